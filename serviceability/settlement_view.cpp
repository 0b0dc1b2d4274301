#include "serviceability/settlement_view.h"

#include "actions/vocabulary.h"
#include "design/units.h"
#include "model/project.h"
#include "serviceability/settlement_chart.h"
#include "studies/chartexport.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "workflow/input_changes.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zolt {

namespace {

using studies::fixedText;

const QColor kVerifiedColour(0x1b, 0x7a, 0x32);
const QColor kNotVerifiedColour(0xc0, 0x1c, 0x1c);
constexpr double kMmPerCm = 10.0;

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// A pressure of the core (kg/m2) as the windows show pressures.
QString pressure(double kgPerM2) {
    return studies::pressureText(kgPerM2 / design::kSquareCmPerSquareM);
}

QStringList tableHeader() {
    return {QStringLiteral("Strato"), QStringLiteral("Da (m)"), QStringLiteral("A (m)"),
            QStringLiteral("s (cm)"), QStringLiteral("s (mm)")};
}

QTableWidgetItem* cell(const QString& value, bool number, bool bold = false) {
    auto* item = new QTableWidgetItem(value);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

// The depth the method stopped at, as the method names it.
QString depthName(SettlementMethod method) {
    switch (method) {
    case SettlementMethod::Schmertmann:
        return QStringLiteral("Profondità zend del diagramma di Iz");
    case SettlementMethod::BurlandBurbidge:
        return QStringLiteral("Profondità di influenza z_I = B^0.763");
    case SettlementMethod::Elastic:
    case SettlementMethod::Oedometric:
        break;
    }
    return QStringLiteral("Profondità di influenza z_I (Δσz = 0.2·σ′v0)");
}

QString termsText(const settlement::Settlement& r) {
    if (const auto& t = r.schmertmann)
        return QStringLiteral("Δp = q − σ′v0(D) = %1; C1 = %2, C2 = %3; Iz0 = %4, Izp = %5 a "
                              "zp = %6 m, zend = %7 m sotto il piano di posa; σ′v(zp) = %8")
            .arg(pressure(t->deltaP), fixedText(t->C1, 3), fixedText(t->C2, 3),
                 fixedText(t->Iz0, 3), fixedText(t->Izp, 3), fixedText(t->zp, 2),
                 fixedText(t->zend, 2), pressure(t->sigmaVp));
    if (const auto& t = r.burlandBurbidge)
        return QStringLiteral("q′ = q − u = %1 kPa, σ′p = %2 kPa, N medio = %3, Ic = %4; "
                              "fs = %5, ft = %6, s0 = %7 mm")
            .arg(fixedText(t->qPrime, 2), fixedText(t->sigmaP, 2), fixedText(t->Nmean, 2),
                 fixedText(t->Ic, 4), fixedText(t->fs, 3), fixedText(t->ft, 3),
                 fixedText(t->s0, 2));
    return {};
}

QString summaryText(const settlement::ProjectSettlement& p) {
    const settlement::Settlement& r = p.result();
    QStringList lines;
    lines << QStringLiteral("Metodo %1; B = %2 m, L = %3 m, D = %4 m")
                 .arg(text(settlement::methodName(r.method)), fixedText(p.footing.B, 2),
                      fixedText(p.footing.L, 2), fixedText(p.footing.D, 2));
    if (!p.combined) {
        lines << QStringLiteral("Carico: %1 = %2")
                     .arg(text(settlement::kProjectLoadName), studies::forceText(p.footing.N));
    } else {
        QString heading =
            QStringLiteral("Combinazioni %1").arg(text(actions::typeLabel(p.settings.combination)));
        if (p.selfWeight != 0.0)
            heading += QStringLiteral(" (N con il peso proprio della fondazione e del rinterro, %1)")
                           .arg(studies::forceText(p.selfWeight));
        lines << heading + QLatin1Char(':');
        for (std::size_t i = 0; i < p.loads.size(); ++i)
            lines << QStringLiteral("   %1: N = %2, s = %3 cm%4")
                         .arg(QString::fromStdString(p.loads[i].name),
                              studies::forceText(p.loads[i].N),
                              fixedText(p.loads[i].settlement.totalCm, 3),
                              i == p.governing ? QStringLiteral(" – determinante") : QString());
    }
    lines << QStringLiteral("q = N/(B·L) = %1; q netto = %2").arg(pressure(r.q), pressure(r.qNet));
    if (const QString terms = termsText(r); !terms.isEmpty())
        lines << terms;
    lines << QStringLiteral("%1: %2 m sotto il piano di posa")
                 .arg(depthName(r.method), fixedText(r.influenceDepth, 2));
    return lines.join(QLatin1Char('\n'));
}

QString checkText(const settlement::Settlement& r) {
    if (!r.limit)
        return QStringLiteral("Cedimento ammissibile non dato: nessuna verifica");
    return QStringLiteral("Cedimento ammissibile %1 cm: s = %2 cm, s/s,amm = %3 % – %4")
        .arg(fixedText(*r.limit, 2), fixedText(r.totalCm, 3), fixedText(*r.utilisation * 100.0, 1),
             r.verified ? QStringLiteral("VERIFICATA") : QStringLiteral("NON VERIFICATA"));
}

QString notesText(const settlement::Settlement& r) {
    QStringList lines{QStringLiteral("Note:")};
    for (const std::string& note : r.notes)
        lines << QStringLiteral("• ") + QString::fromStdString(note);
    return lines.join(QLatin1Char('\n'));
}

void fillTable(QTableWidget* table, const settlement::Settlement& r) {
    table->clearContents();
    table->setRowCount(static_cast<int>(r.layers.size()) + 1);
    int row = 0;
    for (const settlement::LayerSettlement& l : r.layers) {
        table->setItem(row, 0, cell(QString::fromStdString(l.name), false));
        table->setItem(row, 1, cell(fixedText(l.top, 2), true));
        table->setItem(row, 2, cell(fixedText(l.bottom, 2), true));
        table->setItem(row, 3, cell(fixedText(l.s, 3), true));
        table->setItem(row, 4, cell(fixedText(l.s * kMmPerCm, 2), true));
        ++row;
    }
    table->setItem(row, 0, cell(QStringLiteral("Totale"), false, true));
    table->setItem(row, 1, cell(QString(), true));
    table->setItem(row, 2, cell(QString(), true));
    table->setItem(row, 3, cell(fixedText(r.totalCm, 3), true, true));
    table->setItem(row, 4, cell(fixedText(r.totalMm, 2), true, true));
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    // Few rows: the table is as large as its cells, never scrolled.
    const int frame = 2 * table->frameWidth();
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->verticalHeader()->length() + frame);
    table->setMinimumWidth(table->horizontalHeader()->length() + frame);
}

} // namespace

SettlementInputs CurrentSettlementInputs(const SettlementSettings& settings) {
    return {geometryData, soilData, designData.ground, designData.actions,
            designData.settlement.value_or(settings)};
}

settlement::ProjectSettlementOutcome SettleInputs(const SettlementInputs& inputs) {
    return settlement::settleProject(inputs.settings,
                                     ground::buildProfile(inputs.ground, inputs.soil),
                                     inputs.geometry, inputs.soil, inputs.actions);
}

SettlementView::SettlementView(const settlement::ProjectSettlement& result,
                               const SettlementInputs& inputs, QWidget* parent)
    : QWidget(parent) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    m_bar = new StaleResultBar([this] { return Stale(); }, this);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &SettlementView::Refresh);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableWidget(0, static_cast<int>(tableHeader().size()));
    m_table->setObjectName(QStringLiteral("layers"));
    m_table->setHorizontalHeaderLabels(tableHeader());
    m_table->verticalHeader()->hide();
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->horizontalHeader()->setStretchLastSection(false);
    EnableTableCopy(m_table, tableHeader());

    m_check = new QLabel;
    m_check->setObjectName(QStringLiteral("check"));
    m_check->setWordWrap(true);
    m_notes = new QLabel;
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setWordWrap(true);

    m_view = new QChartView;
    m_view->setObjectName(QStringLiteral("chart"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(560, 600);

    m_left = new QVBoxLayout;
    m_left->addWidget(m_summary);
    m_left->addWidget(m_table);
    m_left->addWidget(m_check);
    m_left->addWidget(m_notes);
    m_left->addStretch(1);
    auto* leftPane = new QWidget;
    leftPane->setLayout(m_left);
    m_left->setContentsMargins(0, 0, 0, 0);
    leftPane->setFixedWidth(380);

    auto* body = new QHBoxLayout;
    body->addWidget(leftPane);
    body->addWidget(m_view, 1);

    auto* buttons = new QHBoxLayout;
    studies::addChartExports(this, buttons, m_view, QStringLiteral("cedimenti"),
                             QStringLiteral("Cedimenti"), [this](studies::CsvForm form) {
                                 return SettlementCsv(m_result.result(), form);
                             });
    buttons->addStretch(1);
    auto* help = new QPushButton(QStringLiteral("A&iuto"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    Display(result, inputs);
}

QString SettlementView::Title() const {
    return QStringLiteral("Cedimenti – ") + text(settlement::methodName(m_result.settings.method));
}

bool SettlementView::Stale() const {
    const InputSnapshot computed{m_inputs.geometry, m_inputs.soil, {}, m_inputs.ground};
    return !SameGeometryAndSoil(computed, CurrentInputs()) || designData.ground != m_inputs.ground ||
           designData.actions != m_inputs.actions ||
           (designData.settlement && *designData.settlement != m_inputs.settings);
}

void SettlementView::Display(const settlement::ProjectSettlement& result,
                             const SettlementInputs& inputs) {
    m_result = result;
    m_inputs = inputs;
    const settlement::Settlement& r = m_result.result();
    m_summary->setText(summaryText(m_result));
    fillTable(m_table, r);
    m_check->setText(checkText(r));
    QPalette colours = m_check->palette();
    colours.setColor(QPalette::WindowText,
                     !r.limit ? palette().color(QPalette::WindowText)
                              : (r.verified ? kVerifiedColour : kNotVerifiedColour));
    m_check->setPalette(colours);
    QFont bold = m_check->font();
    bold.setBold(r.limit.has_value());
    m_check->setFont(bold);
    m_notes->setText(notesText(r));
    studies::replaceChart(m_view, NewSettlementChart(r, ground::buildProfile(inputs.ground, inputs.soil),
                                                     m_result.footing.D));
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setWindowTitle(Title());
    m_bar->Recheck();
}

void SettlementView::Refresh() {
    const SettlementInputs inputs = CurrentSettlementInputs(m_inputs.settings);
    const settlement::ProjectSettlementOutcome outcome = SettleInputs(inputs);
    if (!outcome.ok()) {
        ShowMessageBox(studies::sentence(outcome.failure.message), QMessageBox::Warning, this);
        return;
    }
    Display(*outcome.settlement, inputs);
}

} // namespace zolt
