#include "studies/sweepview.h"

#include "design/parallel.h"
#include "design/units.h"
#include "ground/ground_model.h"
#include "model/project.h"
#include "studies/chartexport.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"
#include "studies/studyinputs.h"
#include "toolkit/twinhelp.h"
#include "verification/stale_result_bar.h"
#include "workflow/input_changes.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPen>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zolt::studies {

namespace {

constexpr unsigned long kHelpContext = 114;
// Points per unit of work on a thread: the core's own sweep chunk.
constexpr std::size_t kChunk = 512;

QString pressureAxisFormat(double top) {
    return top < 10    ? QStringLiteral("%.2f")
           : top < 100 ? QStringLiteral("%.1f")
                       : QStringLiteral("%.0f");
}

QString valueWithUnit(double value, int decimals, const StudyInput& input) {
    return fixedText(value, decimals) + QLatin1Char(' ') + QString::fromUtf8(input.unit);
}

} // namespace

SoilData sweptSoil(const GeometryData& geometry, const SoilData& soil, const GroundData& ground) {
    if (ground.layers.empty())
        return soil;
    return ground::evaluateGround(ground, soil, geometry).drained.soil();
}

SweepView::SweepView(const design::SweepSpec& study, const GeometryData& geometry,
                     const SoilData& soil, const GroundData& ground,
                     const design::Approach* approach, QWidget* parent)
    : QWidget(parent), m_spec(study), m_geometry(geometry), m_soil(soil), m_ground(ground),
      m_approach(approach), m_job(std::make_unique<Job>()) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    const StudyInput& input = *studyInputOf(study.field);
    const int decimals = study.field->decimals;

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    QString summary = QStringLiteral("I quattro metodi in %1 punti, %2 da %3 a %4; gli altri "
                                     "dati sono quelli del progetto.")
                          .arg(study.count)
                          .arg(inputName(*study.field), fixedText(study.from, decimals),
                               valueWithUnit(study.to, decimals, input));
    if (approach != nullptr)
        summary += QStringLiteral(" Il file CSV riporta anche i tassi di utilizzo secondo %1.")
                       .arg(QString::fromUtf8(approach->label.data(),
                                              static_cast<qsizetype>(approach->label.size())));
    if (hasGroundModel(ground)) {
        summary += QStringLiteral(" Terreno del progetto: %1.").arg(groundSummaryText(ground));
        if (!ground.layers.empty() && study.field->soilField != nullptr)
            summary += QStringLiteral(" Con gli strati il valore sostituisce quello equivalente "
                                      "della condizione drenata.");
    }
    if (design::mayBeUndrained(ground))
        summary += QStringLiteral(" Le curve tratteggiate sono la condizione non drenata, dove "
                                  "c'\u00E8.");
    m_summary->setText(summary);

    m_notes = new QLabel;
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setWordWrap(true);
    m_notes->hide();

    m_progressRow = new QWidget;
    m_progress = new QProgressBar;
    m_progress->setRange(0, static_cast<int>(study.count));
    auto* cancel = new QPushButton(QStringLiteral("Ann&ulla"));
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { m_job->cancel = true; });
    auto* progressLayout = new QHBoxLayout(m_progressRow);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressLayout->addWidget(m_progress, 1);
    progressLayout->addWidget(cancel);

    m_view = new QChartView;
    m_view->setRenderHint(QPainter::Antialiasing);
    // Wider with the undrained condition, whose legend has one entry more.
    m_view->setMinimumSize(design::mayBeUndrained(ground) ? 960 : 780, 400);
    m_view->chart()->setTitle(QStringLiteral("Calcolo in corso..."));
    m_view->viewport()->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);

    m_pointer =
        new QLabel(QStringLiteral("Portare il puntatore sul grafico per leggerne i valori."));
    m_pointer->setObjectName(QStringLiteral("pointer"));
    m_pointer->setWordWrap(true);
    m_pointer->setTextFormat(Qt::RichText);
    // The table of values under the pointer: a line for its heading and
    // one for each unit and condition.
    const int lines = design::mayBeUndrained(ground) ? 5 : 3;
    m_pointer->setMinimumHeight(m_pointer->fontMetrics().lineSpacing() * lines + 8);

    auto* buttons = new QHBoxLayout;
    const QString title = QStringLiteral("qult al variare di ") + inputTitle(input);
    m_exports = addChartExports(this, buttons, m_view,
                                QStringLiteral("studio-") + inputName(*study.field), title,
                                [this](CsvForm form) {
                                    // A million points take a moment to write out.
                                    QApplication::setOverrideCursor(Qt::WaitCursor);
                                    std::string text = form == CsvForm::Italian
                                                           ? m_job->table.italianCsv()
                                                           : m_job->table.csv();
                                    QApplication::restoreOverrideCursor();
                                    return text;
                                });
    buttons->addStretch(1);
    auto* help = new QPushButton(QStringLiteral("A&iuto"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
    buttons->addWidget(help);

    m_bar = new StaleResultBar(
        [this] {
            const InputSnapshot now = CurrentInputs();
            return !SameGeometryAndSoil({m_geometry, m_soil, {}, {}}, now) ||
                   !SameGround(m_ground, now.ground);
        },
        this);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &SweepView::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_summary);
    layout->addWidget(m_notes);
    layout->addWidget(m_progressRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_pointer);
    layout->addLayout(buttons);

    connect(&m_run, &WorkerRun::progress, this, &SweepView::showProgress);
    connect(&m_run, &WorkerRun::finished, this, &SweepView::showResults);
    start();
}

void SweepView::refresh() {
    m_job->cancel = true;
    m_run.wait();
    m_geometry = geometryData;
    m_soil = soilData;
    m_ground = designData.ground;
    m_job = std::make_unique<Job>();
    m_anchor = nullptr;
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Calcolo in corso..."));
    replaceChart(m_view, chart);
    for (QPushButton* button : m_exports)
        button->setEnabled(false);
    m_notes->hide();
    m_progress->setValue(0);
    m_progressRow->show();
    m_bar->Recheck();
    start();
}

void SweepView::start() {
    for (QPushButton* button : m_exports)
        button->setEnabled(false);
    // The core's runSweep would hold every SweepPoint (over 200 bytes each)
    // and report no progress; chunk by chunk the points go straight into
    // the compact table and the bar can follow them.
    const design::SweepSpec study = m_spec;
    const GeometryData geometry = m_geometry;
    const SoilData soil = m_soil;
    const GroundData ground = m_ground;
    const design::Approach* approach = m_approach;
    m_job->table = SweepTable(study, approach != nullptr, design::mayBeUndrained(ground));
    m_run.start([job = m_job.get(), study, geometry, soil, ground, approach] {
        design::parallelChunks(
            study.count, kChunk, 0,
            [&](std::size_t, std::size_t first, std::size_t last) {
                std::vector<design::SweepPoint> points(last - first);
                design::computeSweepPointsOnGround(study, geometry, soil, ground, approach, first,
                                                   last, points.data());
                job->table.store(first, points);
                job->done.fetch_add(last - first, std::memory_order_relaxed);
            },
            &job->cancel);
    });
}

SweepView::~SweepView() {
    m_job->cancel = true;
    m_run.wait();
}

void SweepView::showProgress() {
    m_progress->setValue(static_cast<int>(m_job->done.load(std::memory_order_relaxed)));
}

void SweepView::showResults() {
    m_progressRow->hide();
    if (m_job->cancel) {
        m_notes->setText(QStringLiteral("Calcolo annullato: nessun risultato."));
        m_notes->show();
        m_view->chart()->setTitle(QString());
        m_pointer->clear();
        return;
    }
    buildChart();
    for (QPushButton* button : m_exports)
        button->setEnabled(true);
}

double SweepView::appliedPressure(double x) const {
    GeometryData g = m_geometry;
    if (m_spec.field->geometryField != nullptr)
        g.*m_spec.field->geometryField = x;
    return g.N / (g.B * g.L * design::kSquareCmPerSquareM);
}

void SweepView::buildChart() {
    const SweepTable& table = m_job->table;
    const std::size_t n = table.size();
    const StudyInput& input = *studyInputOf(m_spec.field);

    // Evenly chosen points, the last one always among them.
    const std::size_t stride =
        n <= kMaxPlottedPoints ? 1 : (n - 1 + kMaxPlottedPoints - 2) / (kMaxPlottedPoints - 1);
    std::vector<std::size_t> plotted;
    for (std::size_t i = 0; i < n; i += stride)
        plotted.push_back(i);
    if (plotted.back() != n - 1)
        plotted.push_back(n - 1);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("qult al variare di ") + inputTitle(input));
    chart->legend()->setAlignment(Qt::AlignBottom);
    const double xLow = std::min(m_spec.from, m_spec.to);
    const double xHigh = std::max(m_spec.from, m_spec.to);
    auto* xAxis = newValueAxis(inputTitle(input), QStringLiteral("%g"));
    auto* yAxis = newValueAxis(QStringLiteral("qult (kg/cm\u00B2)"), QStringLiteral("%.2f"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    // A method's curve breaks where points have no values: one series per
    // unbroken run, only the first in the legend. The undrained condition's
    // curves are dashed.
    double top = 0.0;
    bool broken = false;
    const int conditions = table.hasUndrained() ? 2 : 1;
    for (const std::size_t i : plotted)
        for (int m = 0; m < 4; ++m)
            broken = broken || !table.qult(i, m).has_value();
    for (int condition = 0; condition < conditions; ++condition) {
        for (int m = 0; m < 4; ++m) {
            QLineSeries* run = nullptr;
            bool named = false;
            for (const std::size_t i : plotted) {
                const auto q = table.qult(i, m, condition);
                if (!q) {
                    run = nullptr;
                    continue;
                }
                if (run == nullptr) {
                    run = new QLineSeries;
                    run->setProperty("method", m);
                    run->setProperty("condition", condition);
                    QPen pen(methodColor(m));
                    pen.setWidth(2);
                    if (condition == 1)
                        pen.setStyle(Qt::DashLine);
                    run->setPen(pen);
                    run->setName(condition == 0 ? methodName(m)
                                                : methodName(m) + QStringLiteral(" non drenata"));
                    chart->addSeries(run);
                    run->attachAxis(xAxis);
                    run->attachAxis(yAxis);
                    // The colours name the methods; one entry of its own
                    // names the dashes.
                    if (named || condition == 1)
                        chart->legend()->markers(run).constFirst()->setVisible(false);
                    named = true;
                    if (m_anchor == nullptr)
                        m_anchor = run;
                }
                run->append(table.x(i), *q);
                top = std::max(top, *q);
            }
        }
    }

    if (conditions > 1) {
        auto* dashes = new QLineSeries;
        dashes->setName(QStringLiteral("non drenata (tratteggio)"));
        QPen pen(QColor(0x55, 0x55, 0x55));
        pen.setWidth(2);
        pen.setStyle(Qt::DashLine);
        dashes->setPen(pen);
        chart->addSeries(dashes);
        dashes->attachAxis(xAxis);
        dashes->attachAxis(yAxis);
    }

    const bool pressureFollowsX = m_spec.field == findInputField("B") ||
                                  m_spec.field == findInputField("L") ||
                                  m_spec.field == findInputField("N");
    std::vector<QPointF> pressure;
    if (pressureFollowsX) {
        for (const std::size_t i : plotted)
            pressure.emplace_back(table.x(i), appliedPressure(table.x(i)));
    } else {
        pressure = {{xLow, appliedPressure(xLow)}, {xHigh, appliedPressure(xHigh)}};
    }
    for (const QPointF& p : pressure)
        top = std::max(top, p.y());

    if (top <= 0.0)
        top = 1.0;
    yAxis->setRange(0.0, top * 1.05);
    yAxis->applyNiceNumbers();
    yAxis->setLabelFormat(pressureAxisFormat(yAxis->max()));
    addScaledAxis(chart, yAxis, design::kKilopascalsPerKgPerCm2, QStringLiteral("qult (kPa)"));
    if (xLow < xHigh)
        xAxis->setRange(xLow, xHigh);
    else
        xAxis->setRange(xLow - 1.0, xLow + 1.0); // every point at one value
    useRoundTicks(xAxis);

    auto* applied = new QLineSeries;
    applied->setName(QStringLiteral("Pressione applicata N/(B\u00B7L)"));
    applied->setObjectName(QStringLiteral("applied"));
    for (const QPointF& p : pressure)
        applied->append(p);
    QPen pen(Qt::black);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    applied->setPen(pen);
    chart->addSeries(applied);
    applied->attachAxis(xAxis);
    applied->attachAxis(yAxis);
    if (m_anchor == nullptr)
        m_anchor = applied;

    const double current =
        inputValue(*m_spec.field, m_geometry, sweptSoil(m_geometry, m_soil, m_ground));
    if (current >= xAxis->min() && current <= xAxis->max()) {
        addReferenceLine(chart, xAxis, yAxis, {current, 0.0}, {current, yAxis->max()},
                         QStringLiteral("Valore attuale (%1)")
                             .arg(valueWithUnit(current, m_spec.field->decimals, input)),
                         QColor(0x55, 0x55, 0x55))
            ->setObjectName(QStringLiteral("current"));
    }
    replaceChart(m_view, chart);

    QString notes;
    if (plotted.size() < n)
        notes +=
            QStringLiteral(" Il grafico mostra %1 dei %2 punti; il file CSV li contiene tutti.")
                .arg(plotted.size())
                .arg(n);
    if (broken)
        notes += hasGroundModel(m_ground)
                     ? QStringLiteral(" Dove le curve si interrompono il calcolo non ha valori: i "
                                      "controlli preliminari lo rifiutano, il metodo non trova un "
                                      "carico limite, B supera L o la falda solleva la fondazione.")
                     : QStringLiteral(" Dove le curve si interrompono il calcolo non ha valori: i "
                                      "controlli preliminari lo rifiutano, il metodo non trova un "
                                      "carico limite o B supera L.");
    m_notes->setText(notes.trimmed());
    m_notes->setVisible(!notes.isEmpty());
}

bool SweepView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::MouseMove)
        showPointer(static_cast<QMouseEvent*>(event)->position());
    return QWidget::eventFilter(watched, event);
}

void SweepView::showPointer(QPointF position) {
    QChart* chart = m_view->chart();
    if (m_anchor == nullptr || m_job->table.size() == 0)
        return;
    const QPointF inChart = chart->mapFromScene(m_view->mapToScene(position.toPoint()));
    if (!chart->plotArea().contains(inChart))
        return;
    const SweepTable& table = m_job->table;
    const std::size_t i = table.nearest(chart->mapToValue(inChart, m_anchor).x());
    const StudyInput& input = *studyInputOf(m_spec.field);
    QString names;
    QString rows;
    for (int m = 0; m < 4; ++m)
        names += QStringLiteral("<th align=\"right\" style=\"color:%1\">%2</th>")
                     .arg(methodColor(m).name(), methodName(m));
    const int conditions = table.hasUndrained() ? 2 : 1;
    for (int condition = 0; condition < conditions; ++condition) {
        const QString suffix = conditions == 1  ? QString()
                               : condition == 0 ? QStringLiteral(" drenata")
                                                : QStringLiteral(" non drenata");
        QString pressures;
        QString kilopascals;
        for (int m = 0; m < 4; ++m) {
            const auto q = table.qult(i, m, condition);
            pressures += QStringLiteral("<td align=\"right\">%1</td>")
                             .arg(q ? fixedText(*q, 2) : QStringLiteral("\u2014"));
            kilopascals +=
                QStringLiteral("<td align=\"right\">%1</td>")
                    .arg(q ? fixedText(design::kilopascals(*q), 1) : QStringLiteral("\u2014"));
        }
        rows += QStringLiteral("<tr><td>qult%1 (kg/cm\u00B2)</td>%2</tr>"
                               "<tr><td>qult%1 (kPa)</td>%3</tr>")
                    .arg(suffix, pressures, kilopascals);
    }
    m_pointer->setText(
        QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">"
                       "<tr><th align=\"left\">%1 = %2</th>%3</tr>%4</table>")
            .arg(inputName(*m_spec.field),
                 valueWithUnit(table.x(i), m_spec.field->decimals + 2, input).toHtmlEscaped(),
                 names, rows));
}

QSize SweepView::sizeHint() const {
    return QWidget::sizeHint() + QSize(0, 2 * fontMetrics().lineSpacing());
}

} // namespace zolt::studies
