#include "studies/comparisonview.h"

#include "design/units.h"
#include "studies/chartexport.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"
#include "toolkit/twinhelp.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "workflow/commands.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPen>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace zolt::studies {

namespace {

constexpr unsigned long kHelpContext = 113;
// Half the width of a qamm mark, in bars (a bar's slot is 1).
constexpr double kMarkHalfWidth = 0.3;

QTableWidgetItem* cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString inputsText(const GeometryData& g, const SoilData& s, double safetyFactor) {
    return QStringLiteral("B = %1 m, L = %2 m, D = %3 m, \u03B1 = %4\u00B0, \u03C9 = %5\u00B0, "
                          "ex = %6 m, ey = %7 m, N = %8, T = %9\n")
               .arg(fixedText(g.B, 2), fixedText(g.L, 2), fixedText(g.D, 2), fixedText(g.alpha, 2),
                    fixedText(g.omega, 2), fixedText(g.ex, 2), fixedText(g.ey, 2), forceText(g.N),
                    forceText(g.T)) +
           QStringLiteral("\u03B3 = %1 kg/m\u00B3, \u03C6 = %2\u00B0, \u03B4 = %3\u00B0, "
                          "c = %4 kg/cm\u00B2, ca = %5 kg/cm\u00B2; coefficiente di sicurezza "
                          "%6")
               .arg(fixedText(s.gamma, 1), fixedText(s.phi, 1), fixedText(s.delta, 1),
                    fixedText(s.c, 3), fixedText(s.ca, 3), fixedText(safetyFactor, 2));
}

// The columns of the table and of the CSV file.
QStringList columnNames() {
    return {QStringLiteral("Metodo"),
            QStringLiteral("Carico limite\n(kg)"),
                                 QStringLiteral("Carico limite\n(kN)"),
                                 QStringLiteral("qult\n(kg/cm\u00B2)"),
                                 QStringLiteral("qult\n(kPa)"),
                                 QStringLiteral("qamm\n(kg/cm\u00B2)"),
                                 QStringLiteral("qamm\n(kPa)"),
                                 QStringLiteral("Nc"),
                                 QStringLiteral("Nq"),
                                 QStringLiteral("N\u03B3"),
                                 QStringLiteral("Nc\u2032"),
                                 QStringLiteral("Nq\u2032"),
                                 QStringLiteral("N\u03B3\u2032")};
}

QTableWidget* methodTable(const design::Comparison& comparison, int chosenMethod) {
    const QStringList headers = columnNames();
    auto* table = new QTableWidget(4, static_cast<int>(headers.size()));
    table->setObjectName(QStringLiteral("methods"));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    for (const design::MethodRun& run : comparison.runs) {
        const int row = run.method;
        table->setItem(row, 0, cell(methodName(run.method), false));
        const bool ok = run.engineResult == 0;
        const double load = run.result.ultimateLoad;
        const QStringList values =
            ok ? QStringList{fixedText(load, 0),
                             fixedText(design::kilonewtons(load), 1),
                             fixedText(run.pressures.qult, 2),
                             fixedText(design::kilopascals(run.pressures.qult), 1),
                             fixedText(run.pressures.qamm, 2),
                             fixedText(design::kilopascals(run.pressures.qamm), 1),
                             fixedText(run.result.Nc, 3),
                             fixedText(run.result.Nq, 3),
                             fixedText(run.result.Nga, 3),
                             fixedText(run.result.NcCorr, 3),
                             fixedText(run.result.NqCorr, 3),
                             fixedText(run.result.NgaCorr, 3)}
               // As the analysis says when the method finds no load.
               : QStringList{QStringLiteral("Errore")};
        for (int column = 0; column < values.size(); ++column)
            table->setItem(row, column + 1, cell(values[column], true));
        if (run.method == chosenMethod) {
            for (int column = 0; column < table->columnCount(); ++column)
                if (QTableWidgetItem* item = table->item(row, column)) {
                    QFont font = item->font();
                    font.setBold(true);
                    item->setFont(font);
                }
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Four rows never need scrolling: the table is as large as its cells.
    const int frame = 2 * table->frameWidth();
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->verticalHeader()->length() + frame);
    table->setFixedWidth(table->horizontalHeader()->length() + frame);
    return table;
}

QChart* pressureChart(const design::Comparison& comparison, double safetyFactor) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Pressione limite qult e pressione ammissibile qamm"));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* bars = new QBarSet(QStringLiteral("qult"));
    QStringList names;
    double top = 0.0;
    for (const design::MethodRun& run : comparison.runs) {
        bars->append(run.pressures.qult);
        bars->setColor(QColor(0x9D, 0xB9, 0xD3));
        names << methodName(run.method);
        top = std::max(top, run.pressures.qult);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    chart->addSeries(series);
    auto* methods = new QBarCategoryAxis;
    methods->append(names);
    chart->addAxis(methods, Qt::AlignBottom);
    series->attachAxis(methods);
    auto* pressure =
        newValueAxis(QStringLiteral("Pressione (kg/cm\u00B2)"), QStringLiteral("%.2f"));
    pressure->setRange(0.0, top > 0.0 ? top * 1.1 : 1.0);
    pressure->applyNiceNumbers();
    chart->addAxis(pressure, Qt::AlignLeft);
    series->attachAxis(pressure);
    addScaledAxis(chart, pressure, design::kKilopascalsPerKgPerCm2,
                  QStringLiteral("Pressione (kPa)"));

    // qamm as a short thick line across each bar of a method with a load.
    bool named = false;
    for (const design::MethodRun& run : comparison.runs) {
        if (run.engineResult != 0)
            continue;
        auto* mark = new QLineSeries;
        mark->setName(QStringLiteral("qamm = qult / %1").arg(fixedText(safetyFactor, 2)));
        mark->setObjectName(QStringLiteral("qamm"));
        const double x = run.method;
        mark->append(x - kMarkHalfWidth, run.pressures.qamm);
        mark->append(x + kMarkHalfWidth, run.pressures.qamm);
        QPen pen(QColor(0x6B, 0x34, 0x10));
        pen.setWidth(4);
        mark->setPen(pen);
        chart->addSeries(mark);
        mark->attachAxis(methods);
        mark->attachAxis(pressure);
        if (named)
            chart->legend()->markers(mark).constFirst()->setVisible(false);
        named = true;
    }
    return chart;
}

// The values as a CSV file, in the table's columns; empty cells for a
// method without a load.
std::string comparisonCsv(const design::Comparison& comparison, CsvForm form) {
    std::vector<std::vector<std::string>> rows;
    for (const design::MethodRun& run : comparison.runs) {
        std::vector<std::string> row{methodName(run.method).toStdString()};
        if (run.engineResult == 0) {
            const BearingResult& r = run.result;
            for (const double value :
                 {r.ultimateLoad, design::kilonewtons(r.ultimateLoad), run.pressures.qult,
                  design::kilopascals(run.pressures.qult), run.pressures.qamm,
                  design::kilopascals(run.pressures.qamm), r.Nc, r.Nq, r.Nga, r.NcCorr, r.NqCorr,
                  r.NgaCorr})
                row.push_back(csvNumber(value, form));
        }
        row.resize(static_cast<std::size_t>(columnNames().size()));
        rows.push_back(std::move(row));
    }
    QStringList header;
    for (QString name : columnNames())
        header << name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return csvText(form, header, rows);
}

const QString kPointerHint = QStringLiteral("Portare il puntatore su una barra per leggerne i valori.");

} // namespace

ComparisonView::ComparisonView(const design::Comparison& comparison, const GeometryData& geometry,
                               const SoilData& soil, double safetyFactor, int chosenMethod,
                               QWidget* parent)
    : QWidget(parent) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    m_bar = new StaleResultBar([this] { return !SameInputs(m_inputs, CurrentInputs()); }, this);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &ComparisonView::refresh);
    m_inputsLabel = new QLabel;
    m_inputsLabel->setObjectName(QStringLiteral("inputs"));
    auto* note = new QLabel(QStringLiteral(
        "qult e qamm sull'intera base B\u00B7L, come nei risultati dell'analisi; in grassetto "
        "il metodo scelto per l'analisi."));
    note->setWordWrap(true);

    m_view = new QChartView;
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(560, 340);
    m_view->viewport()->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);
    m_pointer = new QLabel(kPointerHint);
    m_pointer->setObjectName(QStringLiteral("pointer"));

    auto* buttons = new QHBoxLayout;
    addChartExports(this, buttons, m_view, QStringLiteral("confronto-metodi"),
                    QStringLiteral("Confronto metodi"),
                    [this](CsvForm form) { return comparisonCsv(m_comparison, form); });
    buttons->addStretch(1);
    auto* help = new QPushButton(QStringLiteral("A&iuto"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
    buttons->addWidget(help);

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_bar);
    m_layout->addWidget(m_inputsLabel);
    m_table = new QTableWidget; // a stand-in until display() puts the methods in
    m_layout->addWidget(m_table);
    m_layout->addWidget(note);
    m_layout->addWidget(m_view, 1);
    m_layout->addWidget(m_pointer);
    m_layout->addLayout(buttons);
    display(comparison, {geometry, soil, {chosenMethod, safetyFactor}});
}

void ComparisonView::display(const design::Comparison& comparison, const InputSnapshot& inputs) {
    m_comparison = comparison;
    m_inputs = inputs;
    m_inputsLabel->setText(inputsText(inputs.geometry, inputs.soil, inputs.settings.safetyFactor));
    QTableWidget* table = methodTable(comparison, inputs.settings.method);
    QStringList header;
    for (QString name : columnNames())
        header << name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EnableTableCopy(table, header);
    const bool focused = m_table->hasFocus();
    delete m_layout->replaceWidget(m_table, table);
    delete m_table;
    m_table = table;
    if (focused)
        m_table->setFocus();
    m_bars = nullptr;
    QChart* chart = pressureChart(comparison, inputs.settings.safetyFactor);
    m_bars = qobject_cast<QBarSeries*>(chart->series().constFirst());
    replaceChart(m_view, chart);
    m_pointer->setText(kPointerHint);
    m_bar->Recheck();
}

void ComparisonView::refresh() {
    const InputSnapshot inputs = CurrentInputs();
    const design::Comparison comparison =
        design::compareMethods(inputs.geometry, inputs.soil, inputs.settings.safetyFactor);
    if (comparison.refused()) {
        ShowInputCheckMessages(comparison.refusal);
        return;
    }
    display(comparison, inputs);
}

bool ComparisonView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched == m_view->viewport())
        showPointer(static_cast<QMouseEvent*>(event)->position());
    return QWidget::eventFilter(watched, event);
}

void ComparisonView::showPointer(QPointF position) {
    QChart* chart = m_view->chart();
    if (m_bars == nullptr)
        return;
    const QPointF inChart = chart->mapFromScene(m_view->mapToScene(position.toPoint()));
    // The categories stand at 0, 1, 2, 3; a bar's slot is one wide.
    const QPointF value = chart->mapToValue(inChart, m_bars);
    const long index = std::lround(value.x());
    if (!chart->plotArea().contains(inChart) || index < 0 || index > 3) {
        m_pointer->setText(kPointerHint);
        return;
    }
    const design::MethodRun& run = m_comparison.runs[static_cast<std::size_t>(index)];
    m_pointer->setText(run.engineResult != 0
                           ? QStringLiteral("%1: Errore").arg(methodName(run.method))
                           : QStringLiteral("%1: qult %2, qamm %3")
                                 .arg(methodName(run.method), pressureText(run.pressures.qult),
                                      pressureText(run.pressures.qamm)));
}

} // namespace zolt::studies
