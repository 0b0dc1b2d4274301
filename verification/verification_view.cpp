#include "verification/verification_view.h"

#include "design/verification.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"

#include <QTableWidget>
#include <QVBoxLayout>

namespace zolt {

namespace {

// The verification depends on the records and on the method, not on the
// safety factor of the analysis.
bool sameVerificationInputs(const InputSnapshot& a, const InputSnapshot& b) {
    return SameGeometryAndSoil(a, b) && a.settings.method == b.settings.method;
}

} // namespace

VerificationView::VerificationView(const design::Approach& approach, QWidget* parent)
    : QWidget(parent), m_approach(approach) {
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_bar = new StaleResultBar(
        [this] { return Computed() && !sameVerificationInputs(m_inputs, CurrentInputs()); }, this);
    m_layout->addWidget(m_bar);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &VerificationView::Refresh);
    Refresh();
}

void VerificationView::Refresh() {
    const InputSnapshot inputs = CurrentInputs();
    const design::Verification v =
        design::verify(m_approach, inputs.settings.method, inputs.geometry, inputs.soil);
    if (v.refused()) {
        ShowInputCheckMessages(v.refusal);
        return;
    }
    QTableWidget* table = NewVerificationTable(v, inputs.geometry, VerificationTableParts::Full);
    EnableTableCopy(table, VerificationTableHeader());
    if (m_table != nullptr) {
        const bool focused = m_table->hasFocus();
        delete m_layout->replaceWidget(m_table, table);
        delete m_table;
        if (focused)
            table->setFocus();
    } else {
        m_layout->addWidget(table, 1);
    }
    m_table = table;
    m_inputs = inputs;
    m_bar->Recheck();
}

} // namespace zolt
