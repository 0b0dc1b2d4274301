#include "studies/comparisonview.h"

#include "design/units.h"
#include "model/design_data.h"
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

// The inputs in two lines; with layers the soil record has no part in
// the comparison, and the line of the ground's values below takes its place.
QString inputsText(const GeometryData& g, const SoilData& s, double safetyFactor, bool withSoil) {
    const QString geometry =
        QStringLiteral("B = %1 m, L = %2 m, D = %3 m, \u03B1 = %4\u00B0, \u03C9 = %5\u00B0, "
                       "ex = %6 m, ey = %7 m, N = %8, T = %9\n")
            .arg(fixedText(g.B, 2), fixedText(g.L, 2), fixedText(g.D, 2), fixedText(g.alpha, 2),
                 fixedText(g.omega, 2), fixedText(g.ex, 2), fixedText(g.ey, 2), forceText(g.N),
                 forceText(g.T));
    const QString factor =
        QStringLiteral("coefficiente di sicurezza %1").arg(fixedText(safetyFactor, 2));
    if (!withSoil)
        return geometry + QStringLiteral("Terreno a strati (valori sotto); ") + factor;
    return geometry +
           QStringLiteral("\u03B3 = %1 kg/m\u00B3, \u03C6 = %2\u00B0, \u03B4 = %3\u00B0, "
                          "c = %4 kg/cm\u00B2, ca = %5 kg/cm\u00B2; ")
               .arg(fixedText(s.gamma, 1), fixedText(s.phi, 1), fixedText(s.delta, 1),
                    fixedText(s.c, 3), fixedText(s.ca, 3)) +
           factor;
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

// The bars' group on its category, and a mark across each bar: one
// condition as the chart always had, or two side by side.
constexpr double kPairWidth = 0.8;
constexpr double kPairMarkHalfWidth = 0.15;

QChart* pressureChart(const design::GroundComparison& comparison, double safetyFactor) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Pressione limite qult e pressione ammissibile qamm"));
    chart->legend()->setAlignment(Qt::AlignBottom);

    std::vector<const design::Comparison*> conditions{&comparison.drained.comparison};
    if (comparison.undrained)
        conditions.push_back(&comparison.undrained->comparison);
    const bool pair = conditions.size() > 1;
    const QColor colours[] = {QColor(0x9D, 0xB9, 0xD3), QColor(0xE3, 0xB5, 0x7A)};
    auto* series = new QBarSeries;
    QStringList names;
    double top = 0.0;
    for (std::size_t k = 0; k < conditions.size(); ++k) {
        auto* bars =
            new QBarSet(k == 0 ? (pair ? QStringLiteral("qult drenata") : QStringLiteral("qult"))
                               : QStringLiteral("qult non drenata"));
        bars->setColor(colours[k]);
        for (const design::MethodRun& run : conditions[k]->runs) {
            bars->append(run.pressures.qult);
            top = std::max(top, run.pressures.qult);
        }
        series->append(bars);
    }
    if (pair)
        series->setBarWidth(kPairWidth);
    for (const design::MethodRun& run : comparison.drained.comparison.runs)
        names << methodName(run.method);
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
    for (std::size_t k = 0; k < conditions.size(); ++k) {
        // A bar of the pair stands a quarter of the group off the category.
        const double offset = pair ? (k == 0 ? -0.25 : 0.25) * kPairWidth : 0.0;
        const double half = pair ? kPairMarkHalfWidth : kMarkHalfWidth;
        for (const design::MethodRun& run : conditions[k]->runs) {
            if (run.engineResult != 0)
                continue;
            auto* mark = new QLineSeries;
            mark->setName(QStringLiteral("qamm = qult / %1").arg(fixedText(safetyFactor, 2)));
            mark->setObjectName(QStringLiteral("qamm"));
            const double x = run.method + offset;
            mark->append(x - half, run.pressures.qamm);
            mark->append(x + half, run.pressures.qamm);
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
    }
    return chart;
}

// The values as a CSV file, in the table's columns; empty cells for a
// method without a load. With an undrained condition a first column names
// the condition of each row, the drained rows first.
std::string comparisonCsv(const design::GroundComparison& comparison, CsvForm form) {
    const bool both = comparison.undrained.has_value();
    std::vector<std::vector<std::string>> rows;
    const auto add = [&](const design::Comparison& c, const char* condition) {
        for (const design::MethodRun& run : c.runs) {
            std::vector<std::string> row;
            if (both)
                row.push_back(condition);
            row.push_back(methodName(run.method).toStdString());
            if (run.engineResult == 0) {
                const BearingResult& r = run.result;
                for (const double value :
                     {r.ultimateLoad, design::kilonewtons(r.ultimateLoad), run.pressures.qult,
                      design::kilopascals(run.pressures.qult), run.pressures.qamm,
                      design::kilopascals(run.pressures.qamm), r.Nc, r.Nq, r.Nga, r.NcCorr,
                      r.NqCorr, r.NgaCorr})
                    row.push_back(csvNumber(value, form));
            }
            row.resize(static_cast<std::size_t>(columnNames().size() + (both ? 1 : 0)));
            rows.push_back(std::move(row));
        }
    };
    add(comparison.drained.comparison, ground::conditionName(ground::Condition::Drained));
    if (both)
        add(comparison.undrained->comparison, ground::conditionName(ground::Condition::Undrained));
    QStringList header;
    if (both)
        header << QStringLiteral("Condizione");
    for (QString name : columnNames())
        header << name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return csvText(form, header, rows);
}

// The values, rule and notes of each condition, as rich text.
QString groundText(const design::GroundComparison& comparison, const GroundData& ground) {
    QString html = groundSummaryText(ground).toHtmlEscaped();
    std::vector<const design::ConditionComparison*> conditions{&comparison.drained};
    if (comparison.undrained)
        conditions.push_back(&*comparison.undrained);
    for (const design::ConditionComparison* c : conditions) {
        html += QStringLiteral("<br><b>") + conditionValuesText(c->ground).toHtmlEscaped() +
                QStringLiteral("</b><br>Regola: ") +
                QString::fromUtf8(c->rule.data(), static_cast<qsizetype>(c->rule.size()))
                    .toHtmlEscaped();
        for (const std::string& note : c->notes)
            html += QStringLiteral("<br>Nota: ") + QString::fromStdString(note).toHtmlEscaped();
    }
    return html;
}

const QString kPointerHint = QStringLiteral("Portare il puntatore su una barra per leggerne i valori.");

} // namespace

ComparisonView::ComparisonView(const design::GroundComparison& comparison,
                               const InputSnapshot& inputs, QWidget* parent)
    : QWidget(parent) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    m_bar = new StaleResultBar([this] { return !SameInputs(m_inputs, CurrentInputs()); }, this);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &ComparisonView::refresh);
    m_inputsLabel = new QLabel;
    m_inputsLabel->setObjectName(QStringLiteral("inputs"));
    m_groundLabel = new QLabel;
    m_groundLabel->setObjectName(QStringLiteral("ground"));
    m_groundLabel->setTextFormat(Qt::RichText);
    m_groundLabel->setWordWrap(true);
    m_drainedTitle = new QLabel(QStringLiteral("<b>Condizione drenata (tensioni efficaci)</b>"));
    m_drainedTitle->setObjectName(QStringLiteral("drainedTitle"));
    m_undrainedTitle =
        new QLabel(QStringLiteral("<b>Condizione non drenata (tensioni totali)</b>"));
    m_undrainedTitle->setObjectName(QStringLiteral("undrainedTitle"));
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
    m_layout->addWidget(m_groundLabel);
    m_layout->addWidget(m_drainedTitle);
    m_table = new QTableWidget; // stand-ins until display() puts the methods in
    m_layout->addWidget(m_table);
    m_layout->addWidget(m_undrainedTitle);
    m_undrainedTable = new QTableWidget;
    m_layout->addWidget(m_undrainedTable);
    m_layout->addWidget(note);
    m_layout->addWidget(m_view, 1);
    m_layout->addWidget(m_pointer);
    m_layout->addLayout(buttons);
    display(comparison, inputs);
}

void ComparisonView::display(const design::GroundComparison& comparison,
                             const InputSnapshot& inputs) {
    m_comparison = comparison;
    m_inputs = inputs;
    m_inputsLabel->setText(inputsText(inputs.geometry, inputs.soil, inputs.settings.safetyFactor,
                                      inputs.ground.layers.empty()));
    const bool groundModel = hasGroundModel(inputs.ground);
    const bool both = comparison.undrained.has_value();
    m_groundLabel->setText(groundModel ? groundText(comparison, inputs.ground) : QString());
    m_groundLabel->setVisible(groundModel);
    m_drainedTitle->setVisible(both);
    m_undrainedTitle->setVisible(both);
    QStringList header;
    for (QString name : columnNames())
        header << name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto replace = [&](QTableWidget*& shown, const design::Comparison* runs,
                             const QString& name) {
        QTableWidget* table =
            runs != nullptr ? methodTable(*runs, inputs.settings.method) : new QTableWidget;
        table->setObjectName(name);
        table->setVisible(runs != nullptr);
        if (runs != nullptr)
            EnableTableCopy(table, header);
        const bool focused = shown->hasFocus();
        delete m_layout->replaceWidget(shown, table);
        delete shown;
        shown = table;
        if (focused && runs != nullptr)
            shown->setFocus();
    };
    replace(m_table, &comparison.drained.comparison, QStringLiteral("methods"));
    replace(m_undrainedTable, both ? &comparison.undrained->comparison : nullptr,
            QStringLiteral("undrainedMethods"));
    m_bars = nullptr;
    QChart* chart = pressureChart(comparison, inputs.settings.safetyFactor);
    m_bars = qobject_cast<QBarSeries*>(chart->series().constFirst());
    replaceChart(m_view, chart);
    m_pointer->setText(kPointerHint);
    m_bar->Recheck();
}

void ComparisonView::refresh() {
    const InputSnapshot inputs = CurrentInputs();
    const design::GroundComparison comparison = design::compareOnGround(
        inputs.geometry, inputs.soil, inputs.ground, inputs.settings.safetyFactor);
    if (comparison.refused()) {
        ShowInputCheckMessages(comparison.drained.comparison.refusal);
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
    const auto values = [](const design::MethodRun& run) {
        return run.engineResult != 0
                   ? QStringLiteral("Errore")
                   : QStringLiteral("qult %1, qamm %2")
                         .arg(pressureText(run.pressures.qult), pressureText(run.pressures.qamm));
    };
    const auto at = static_cast<std::size_t>(index);
    const design::MethodRun& run = m_comparison.drained.comparison.runs[at];
    if (!m_comparison.undrained) {
        m_pointer->setText(QStringLiteral("%1: %2").arg(methodName(run.method), values(run)));
        return;
    }
    m_pointer->setText(QStringLiteral("%1: drenata %2; non drenata %3")
                           .arg(methodName(run.method), values(run),
                                values(m_comparison.undrained->comparison.runs[at])));
}

} // namespace zolt::studies
