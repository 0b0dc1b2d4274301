#include "verification/verification_view.h"

#include "design/verification.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zolt {

namespace {

// The rules' column, in average characters: a clause of a rule on one or
// two lines.
constexpr int kRulesWidthInCharacters = 46;
constexpr int kRulesMargin = 8;

// The verification depends on the records, the ground and the method, not
// on the safety factor of the analysis.
bool sameVerificationInputs(const InputSnapshot& a, const InputSnapshot& b) {
    return SameGeometryAndSoil(a, b) && SameGround(a.ground, b.ground) &&
           a.settings.method == b.settings.method;
}

} // namespace

VerificationView::VerificationView(const design::Approach& approach, QWidget* parent)
    : QWidget(parent), m_approach(approach) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_bar = new StaleResultBar(
        [this] { return Computed() && !sameVerificationInputs(m_inputs, CurrentInputs()); }, this);
    layout->addWidget(m_bar);
    m_row = new QHBoxLayout;
    m_row->setSpacing(0);
    layout->addLayout(m_row, 1);
    m_rules = new QLabel(this);
    m_rules->setObjectName(QStringLiteral("rules"));
    m_rules->setTextFormat(Qt::RichText);
    m_rules->setWordWrap(true);
    m_rules->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_rules->setContentsMargins(kRulesMargin, 0, kRulesMargin, 0);
    m_rules->setFixedWidth(m_rules->fontMetrics().averageCharWidth() * kRulesWidthInCharacters +
                           2 * kRulesMargin);
    m_rules->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_rules->hide();
    m_row->addWidget(m_rules);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &VerificationView::Refresh);
    Refresh();
}

void VerificationView::Refresh() {
    const InputSnapshot inputs = CurrentInputs();
    const design::GroundVerification v = design::verifyOnGround(
        m_approach, inputs.settings.method, inputs.geometry, inputs.soil, inputs.ground);
    if (v.refused()) {
        ShowInputCheckMessages(v.drained.verification.refusal);
        return;
    }
    QTableWidget* table =
        NewVerificationTable(v, inputs.geometry, inputs.ground, VerificationTableParts::Full);
    EnableTableCopy(table, VerificationTableHeader(v));
    if (m_table != nullptr) {
        const bool focused = m_table->hasFocus();
        delete m_row->replaceWidget(m_table, table);
        delete m_table;
        if (focused)
            table->setFocus();
    } else {
        m_row->insertWidget(0, table, 1);
    }
    m_table = table;
    const bool groundModel = hasGroundModel(inputs.ground);
    m_rules->setText(groundModel ? VerificationRulesText(v) : QString());
    m_rules->setVisible(groundModel);
    m_inputs = inputs;
    m_bar->Recheck();
    // A table that grew (layers or a second condition since) is shown
    // whole: the document window grows by what it lacks.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        layout()->activate();
        frame->resize(frame->size().expandedTo(frame->minimumSizeHint()));
    }
}

} // namespace zolt
