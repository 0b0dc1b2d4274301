#include "verification/verification_view.h"

#include "actions/combinations.h"
#include "design/combinations_verification.h"
#include "design/verification.h"
#include "verification/combinations_table.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
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
           a.settings.method == b.settings.method && a.actions == b.actions &&
           a.seismic == b.seismic;
}

// Rows of the combinations' table shown before it scrolls, and the
// height of the window's part with the combinations before it scrolls (px).
constexpr int kVisibleCombinations = 10;
constexpr int kCombinationsHeight = 760;

bool withCombinations(const InputSnapshot& inputs) {
    DesignData design;
    design.actions = inputs.actions;
    return design::hasCombinations(design);
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
    if (withCombinations(inputs)) {
        QWidget* part = NewCombinationsPart(inputs);
        if (part == nullptr)
            return;
        // The combinations and the governing one's table are taller than
        // a screen: the window shows their width whole and scrolls down.
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("combinationsScroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidget(part);
        const QSize whole = part->sizeHint();
        scroll->setMinimumWidth(whole.width() + scroll->verticalScrollBar()->sizeHint().width());
        scroll->setMinimumHeight(std::min(whole.height(), kCombinationsHeight));
        Show(scroll);
        m_rules->setVisible(false);
        m_inputs = inputs;
        m_bar->Recheck();
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            layout()->activate();
            frame->resize(frame->size().expandedTo(frame->minimumSizeHint()));
        }
        // The governing row in sight once the table has its size.
        QTimer::singleShot(0, m_combinations, [table = m_combinations] {
            for (int row = 0; row < table->rowCount(); ++row)
                if (table->item(row, kCombinationNumberColumn)->text().startsWith(u'►'))
                    table->scrollToItem(table->item(row, 0), QAbstractItemView::PositionAtCenter);
        });
        return;
    }
    const design::GroundVerification v = design::verifyOnGround(
        m_approach, inputs.settings.method, inputs.geometry, inputs.soil, inputs.ground);
    if (v.refused()) {
        ShowInputCheckMessages(v.drained.verification.refusal);
        return;
    }
    QTableWidget* table =
        NewVerificationTable(v, inputs.geometry, inputs.ground, VerificationTableParts::Full);
    EnableTableCopy(table, VerificationTableHeader(v));
    Show(table);
    m_table = table;
    m_combinations = nullptr;
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

void VerificationView::Show(QWidget* content) {
    if (m_content != nullptr) {
        const bool focused =
            m_content->isAncestorOf(QApplication::focusWidget()) || m_content->hasFocus();
        delete m_row->replaceWidget(m_content, content);
        delete m_content;
        if (focused)
            content->setFocus();
    } else {
        m_row->insertWidget(0, content, 1);
    }
    m_content = content;
}

QWidget* VerificationView::NewCombinationsPart(const InputSnapshot& inputs) {
    const design::CombinationsVerification v =
        design::verifyCombinations(m_approach, inputs.settings.method, inputs.geometry, inputs.soil,
                                   inputs.ground, *inputs.actions, inputs.seismic);
    if (v.refused()) {
        ShowInputCheckMessages(v.refusal);
        return nullptr;
    }
    auto* part = new QWidget;
    part->setObjectName(QStringLiteral("combinationsPart"));
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* summary = new QLabel(CombinationsSummaryText(v), part);
    summary->setObjectName(QStringLiteral("combinationsSummary"));
    summary->setTextFormat(Qt::RichText);
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->setContentsMargins(kRulesMargin, kRulesMargin, kRulesMargin, 0);
    layout->addWidget(summary);
    QTableWidget* combinations = NewCombinationsTable(v, kVisibleCombinations, part);
    layout->addWidget(combinations, 1);
    m_combinations = combinations;
    // What the table's tool tips tell of each combination, for reading
    // without the mouse.
    QStringList notes;
    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        QStringList all;
        for (const std::string& note : v.checks[i].notes)
            all.append(QString::fromStdString(note));
        for (const std::string_view note : design::eccentricityNotes(v.checks[i].eccentricity))
            all.append(QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())));
        if (!all.isEmpty())
            notes.append(QStringLiteral("Combinazione %1: %2")
                             .arg(i + 1)
                             .arg(all.join(QStringLiteral("; "))));
    }
    if (!notes.isEmpty()) {
        auto* label = new QLabel(notes.join(u'\n'), part);
        label->setObjectName(QStringLiteral("combinationNotes"));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setContentsMargins(kRulesMargin, kRulesMargin, kRulesMargin, 0);
        layout->addWidget(label);
    }
    m_table = nullptr;
    if (const design::CombinationCheck* g = v.governingCheck()) {
        QString title = QStringLiteral("<b>Combinazione determinante %1</b>: %2")
                            .arg(*v.governing + 1)
                            .arg(QString::fromStdString(g->combination.name).toHtmlEscaped());
        for (const std::string& note : g->notes)
            title += QStringLiteral("<br>") + QString::fromStdString(note).toHtmlEscaped();
        auto* heading = new QLabel(title, part);
        heading->setObjectName(QStringLiteral("governingTitle"));
        heading->setTextFormat(Qt::RichText);
        heading->setWordWrap(true);
        heading->setContentsMargins(kRulesMargin, kRulesMargin, kRulesMargin, 0);
        layout->addWidget(heading);
        const GeometryData footing = actions::withCombination(inputs.geometry, g->combination);
        QTableWidget* table =
            NewVerificationTable(*g->verification, footing, inputs.ground,
                                 VerificationTableParts::Full, part, CombinationActionsNote(*g));
        EnableTableCopy(table, VerificationTableHeader(*g->verification));
        layout->addWidget(table);
        m_table = table;
    }
    return part;
}

} // namespace zolt
