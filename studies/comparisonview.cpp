#include "studies/comparisonview.h"

#include "design/units.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"
#include "toolkit/twinhelp.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

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

QTableWidget* methodTable(const design::Comparison& comparison, int chosenMethod) {
    const QStringList headers = {QStringLiteral("Metodo"),
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
    auto* table = new QTableWidget(4, static_cast<int>(headers.size()));
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
    // The exact values are in the table; the pointer on a bar repeats them.
    QObject::connect(
        series, &QBarSeries::hovered, series, [comparison](bool inside, int index, QBarSet*) {
            if (!inside || index < 0 || index > 3) {
                QToolTip::hideText();
                return;
            }
            const design::MethodRun& run = comparison.runs[static_cast<std::size_t>(index)];
            QToolTip::showText(QCursor::pos(),
                               run.engineResult != 0
                                   ? QStringLiteral("%1: Errore").arg(methodName(run.method))
                                   : QStringLiteral("%1\nqult %2\nqamm %3")
                                         .arg(methodName(run.method),
                                              pressureText(run.pressures.qult),
                                              pressureText(run.pressures.qamm)));
        });

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

} // namespace

ComparisonView::ComparisonView(const design::Comparison& comparison, const GeometryData& geometry,
                               const SoilData& soil, double safetyFactor, int chosenMethod,
                               QWidget* parent)
    : QWidget(parent) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    auto* inputs = new QLabel(inputsText(geometry, soil, safetyFactor));
    inputs->setObjectName(QStringLiteral("inputs"));
    auto* note = new QLabel(QStringLiteral(
        "qult e qamm sull'intera base B\u00B7L, come nei risultati dell'analisi; in grassetto "
        "il metodo scelto per l'analisi."));
    note->setWordWrap(true);

    auto* view = new QChartView(pressureChart(comparison, safetyFactor));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(560, 340);

    auto* help = new QPushButton(QStringLiteral("A&iuto"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs);
    layout->addWidget(methodTable(comparison, chosenMethod));
    layout->addWidget(note);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
}

} // namespace zolt::studies
