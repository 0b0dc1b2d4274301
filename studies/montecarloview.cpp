#include "studies/montecarloview.h"

#include "design/units.h"
#include "design/verification.h"
#include "model/project.h"
#include "studies/chartexport.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"
#include "verification/stale_result_bar.h"
#include "verification/table_copy.h"
#include "workflow/commands.h"
#include "workflow/input_changes.h"
#include "workflow/input_checks.h"

#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QPen>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace zolt::studies {

namespace {

constexpr unsigned long kHelpContext = 115;
// Between a label and its field, px.
constexpr int kLabelSpacing = 12;

struct Variable {
    const char* label;
    const char* cov; // proposed coefficient of variation
};
// Typical spreads of soil parameters: unit weight is known closely, the
// friction angles less so, cohesion and adhesion least. The labels'
// mnemonics avoid the main window's menus (F D A S N H), as do the buttons'.
constexpr Variable kVariables[design::kSoilVariableCount] = {
    {"&Peso di volume \u03B3", "0.05"},
    {"Angolo di a&ttrito \u03C6", "0.10"},
    {"Attrito terreno-fonda&zione \u03B4", "0.10"},
    {"C&oesione c", "0.30"},
    {"Ade&renza ca", "0.30"},
};

struct Figure {
    const char* name;
    const char* label;
};
// Two columns: the probability of failure, then the ultimate load.
constexpr Figure kFigures[] = {
    {"pf", "Probabilit\u00E0 di rottura Pf"},
    {"interval", "Intervallo di Pf al 95 %"},
    {"beta", "Indice di affidabilit\u00E0 \u03B2"},
    {"failures", "Campioni a rottura"},
    {"N", "Carico applicato N"},
    {"above", "Oltre il grafico"},
    {"mean", "Carico limite medio"},
    {"cov", "COV del carico limite"},
    {"p05", "Frattile 5 % (caratteristico)"},
    {"p50", "Frattile 50 %"},
    {"p95", "Frattile 95 %"},
};
constexpr int kFirstColumnFigures = 6;

// Digits and "." only, whatever the user's locale.
QLineEdit* numberEdit(QValidator* validator, const QString& text) {
    auto* edit = new QLineEdit(text);
    validator->setLocale(QLocale::c());
    edit->setValidator(validator);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    return edit;
}

QString optionalForce(const std::optional<double>& kg) {
    return kg ? forceText(*kg) : QStringLiteral("\u2014");
}

// `N` the load the soil carries, named `loadName`.
QChart* histogramChart(const Histogram& h, const design::MonteCarloResult& r, double N,
                       const QString& loadName, int method) {
    auto* chart = new QChart;
    chart->setTitle(
        QStringLiteral("Distribuzione del carico limite (metodo di %1)").arg(methodName(method)));
    chart->legend()->setAlignment(Qt::AlignBottom);

    // An area series does not own the line that bounds it; as its child the
    // line goes with it.
    auto* bars = new QAreaSeries;
    auto* outline = new QLineSeries(bars);
    std::size_t highest = 0;
    outline->append(h.from, 0.0);
    for (std::size_t k = 0; k < h.counts.size(); ++k) {
        const double left = h.from + h.width * static_cast<double>(k);
        const auto count = static_cast<double>(h.counts[k]);
        outline->append(left, count);
        outline->append(left + h.width, count);
        highest = std::max(highest, h.counts[k]);
    }
    outline->append(h.to(), 0.0);
    bars->setUpperSeries(outline);
    bars->setName(QStringLiteral("Campioni per classe"));
    bars->setObjectName(QStringLiteral("histogram"));
    bars->setColor(QColor(0x9D, 0xB9, 0xD3));
    bars->setBorderColor(QColor(0x4A, 0x6F, 0x91));
    chart->addSeries(bars);

    auto* loads = newValueAxis(QStringLiteral("Carico limite (kg)"), QStringLiteral("%.0f"));
    loads->setRange(h.from, h.to());
    useRoundTicks(loads);
    auto* counts = newValueAxis(QStringLiteral("Numero di campioni"), QStringLiteral("%.0f"));
    counts->setRange(0.0, static_cast<double>(std::max<std::size_t>(highest, 1)) * 1.08);
    counts->applyNiceNumbers();
    chart->addAxis(loads, Qt::AlignBottom);
    chart->addAxis(counts, Qt::AlignLeft);
    bars->attachAxis(loads);
    bars->attachAxis(counts);
    addScaledAxis(chart, loads, design::kKilonewtonsPerKg, QStringLiteral("Carico limite (kN)"));

    if (r.p05)
        addReferenceLine(chart, loads, counts, {*r.p05, 0.0}, {*r.p05, counts->max()},
                         QStringLiteral("Frattile 5 % (caratteristico)"), QColor(0x00, 0x9E, 0x73))
            ->setObjectName(QStringLiteral("p05"));
    addReferenceLine(chart, loads, counts, {N, 0.0}, {N, counts->max()}, loadName,
                     QColor(0xC0, 0x00, 0x00))
        ->setObjectName(QStringLiteral("N"));
    return chart;
}

} // namespace

MonteCarloView::MonteCarloView(QWidget* parent) : QWidget(parent) {
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);
    auto* covBox = new QGroupBox(QStringLiteral("Coefficienti di variazione"));
    auto* covForm = new QFormLayout(covBox);
    // A label ending in a Greek letter would otherwise run into its field.
    covForm->setHorizontalSpacing(kLabelSpacing);
    for (int v = 0; v < design::kSoilVariableCount; ++v) {
        auto* validator = new QDoubleValidator(this);
        validator->setNotation(QDoubleValidator::StandardNotation);
        validator->setBottom(0.0);
        QLineEdit* edit = numberEdit(validator, QString::fromLatin1(kVariables[v].cov));
        edit->setObjectName(QStringLiteral("cov_") +
                            QString::fromLatin1(design::kSoilVariableNames[v]));
        covForm->addRow(QString::fromUtf8(kVariables[v].label), edit);
        m_cov[static_cast<std::size_t>(v)] = edit;
    }

    auto* runBox = new QGroupBox(QStringLiteral("Simulazione"));
    auto* runForm = new QFormLayout(runBox);
    runForm->setHorizontalSpacing(kLabelSpacing);
    m_method = new QLabel;
    m_method->setObjectName(QStringLiteral("method"));
    m_method->setText(methodName(analysisSettings.method));
    // Whole numbers only; the seed takes the full 64 bits, more than a
    // QIntValidator holds.
    const QRegularExpression digits(QStringLiteral("[0-9]{1,20}"));
    m_samples = numberEdit(new QRegularExpressionValidator(digits, this),
                           QString::number(kProposedSamples));
    m_samples->setObjectName(QStringLiteral("samples"));
    m_seed = numberEdit(new QRegularExpressionValidator(digits, this), QStringLiteral("1"));
    m_seed->setObjectName(QStringLiteral("seed"));
    runForm->addRow(QStringLiteral("Metodo"), m_method);
    runForm->addRow(QStringLiteral("Numero di &campioni"), m_samples);
    runForm->addRow(QStringLiteral("Se&me"), m_seed);

    m_start = new QPushButton(QStringLiteral("A&vvia"));
    m_start->setObjectName(QStringLiteral("start"));
    m_cancel = new QPushButton(QStringLiteral("Ann&ulla"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setEnabled(false);
    auto* help = new QPushButton(QStringLiteral("A&iuto"));
    help->setObjectName(QStringLiteral("help"));
    connect(m_start, &QPushButton::clicked, this, &MonteCarloView::start);
    // Return in any field starts the run, as the default button of a dialog.
    for (QLineEdit* edit : m_cov)
        connect(edit, &QLineEdit::returnPressed, this, &MonteCarloView::start);
    for (QLineEdit* edit : {m_samples, m_seed})
        connect(edit, &QLineEdit::returnPressed, this, &MonteCarloView::start);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_job)
            m_job->control.cancel.store(true);
    });
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    buttons->addWidget(help);

    m_progress = new QProgressBar;
    // One line: a status broken over two would leave its last word alone.
    // The column is wide enough for the usual ones; a longer one (a seed
    // of twenty digits) widens the window.
    m_status = new QLabel(QStringLiteral("Scegliere i dati e premere \u00ABAvvia\u00BB."));
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setMinimumWidth(m_status->fontMetrics().horizontalAdvance(
        QStringLiteral("Completata: 10000000 campioni in 999.9 s (seme 1).")));

    auto* resultBox = new QGroupBox(QStringLiteral("Risultati"));
    auto* results = new QGridLayout(resultBox);
    results->setHorizontalSpacing(12);
    results->setColumnMinimumWidth(2, 12);
    for (int k = 0; k < static_cast<int>(std::size(kFigures)); ++k) {
        const Figure& figure = kFigures[k];
        auto* value = new QLabel(QStringLiteral("\u2014"));
        value->setObjectName(QString::fromLatin1(figure.name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int row = k < kFirstColumnFigures ? k : k - kFirstColumnFigures;
        const int column = k < kFirstColumnFigures ? 0 : 3;
        results->addWidget(new QLabel(QString::fromUtf8(figure.label)), row, column);
        results->addWidget(value, row, column + 1);
    }
    // Room for most loads from the start, so that the window seldom needs
    // to grow for the results. On the columns, not the labels: a label's
    // own minimum width would let the layout squeeze a longer text.
    const int loadWidth =
        resultBox->fontMetrics().horizontalAdvance(QStringLiteral("9999999 kg (98066.5 kN)"));
    for (const int column : {1, 4}) {
        results->setColumnMinimumWidth(column, loadWidth);
        results->setColumnStretch(column, 1);
    }

    resultBox->setObjectName(QStringLiteral("results"));
    EnableCopy(resultBox, QStringLiteral("&Copia risultati"), [this] { return resultsText(); });

    auto* left = new QVBoxLayout;
    left->addWidget(covBox);
    left->addWidget(runBox);
    left->addLayout(buttons);
    left->addWidget(m_progress);
    left->addWidget(m_status);
    left->addStretch(1);

    m_view = new QChartView;
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(640, 460);
    m_view->chart()->setTitle(QStringLiteral("Distribuzione del carico limite"));

    auto* exports = new QHBoxLayout;
    m_exports = addChartExports(this, exports, m_view, QStringLiteral("analisi-probabilistica"),
                                QStringLiteral("Distribuzione del carico limite"),
                                [this](CsvForm form) { return histogramCsv(form); });
    exports->addStretch(1);
    for (QPushButton* button : m_exports)
        button->setEnabled(false);

    m_bar = new StaleResultBar(
        [this] {
            if (!m_shown)
                return false;
            const InputSnapshot now = CurrentInputs();
            return !SameGeometryAndSoil({m_shown->geometry, m_shown->soil, {}, {}}, now) ||
                   !SameGround(m_shown->ground, now.ground) ||
                   now.settings.method != m_shown->study.method;
        },
        this);
    connect(m_bar, &StaleResultBar::RefreshRequested, this, &MonteCarloView::start);

    m_conditionRow = new QWidget;
    auto* conditionLayout = new QHBoxLayout(m_conditionRow);
    conditionLayout->setContentsMargins(0, 0, 0, 0);
    conditionLayout->addWidget(new QLabel(QStringLiteral("Condizione mostrata:")));
    m_conditions = new QButtonGroup(this);
    const std::pair<const char*, QString> conditions[] = {
        {"showDrained", QStringLiteral("drenata (&lungo termine)")},
        {"showUndrained", QStringLiteral("non drenata (&breve termine)")}};
    for (int k = 0; k < 2; ++k) {
        auto* button = new QRadioButton(conditions[k].second);
        button->setObjectName(QString::fromLatin1(conditions[k].first));
        m_conditions->addButton(button, k);
        conditionLayout->addWidget(button);
    }
    m_conditions->button(0)->setChecked(true);
    conditionLayout->addStretch(1);
    m_conditionRow->hide();
    connect(m_conditions, &QButtonGroup::idClicked, this, [this] {
        if (m_shown)
            showJob(*m_shown);
    });
    m_groundLine = new QLabel;
    m_groundLine->setObjectName(QStringLiteral("conditions"));
    m_groundLine->setWordWrap(true);
    m_groundLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_groundLine->hide();

    auto* right = new QVBoxLayout;
    right->addWidget(m_conditionRow);
    right->addWidget(m_view, 1);
    right->addLayout(exports);
    right->addWidget(resultBox);
    right->addWidget(m_groundLine);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(columns, 1);

    connect(&m_run, &WorkerRun::progress, this, &MonteCarloView::showProgress);
    connect(&m_run, &WorkerRun::finished, this, &MonteCarloView::showResults);
}

MonteCarloView::~MonteCarloView() {
    if (m_job)
        m_job->control.cancel.store(true);
    m_run.wait();
}

bool MonteCarloView::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest)
        growToMinimum();
    return handled;
}

void MonteCarloView::growToMinimum() {
    // The document window keeps the size it opened with, but a figure can
    // need more room than any width reserved for it (a bound of beta with
    // its note, loads of many digits): the window grows to show it whole.
    const QSize missing = (minimumSizeHint() - size()).expandedTo(QSize(0, 0));
    if (missing.isNull())
        return;
    QWidget* frame = isWindow() ? this : parentWidget();
    frame->resize(frame->size() + missing);
}

void MonteCarloView::start() {
    if (isRunning())
        return;
    auto job = std::make_unique<Job>();
    job->geometry = geometryData;
    job->soil = soilData;
    job->ground = designData.ground;
    job->study.method = analysisSettings.method;
    // Text that is no number becomes a value the core's check refuses
    // with its own message.
    for (std::size_t v = 0; v < m_cov.size(); ++v)
        job->study.cov[v] =
            numberOf(m_cov[v]->text()).value_or(std::numeric_limits<double>::quiet_NaN());
    job->study.samples = static_cast<std::size_t>(integerOf(m_samples->text()).value_or(0));
    const auto seed = integerOf(m_seed->text());
    if (!seed) {
        ShowMessageBox(QStringLiteral("Il seme deve essere un numero intero tra 0 e %1")
                           .arg(std::numeric_limits<std::uint64_t>::max()));
        return;
    }
    job->study.seed = *seed;
    if (const auto problem = design::monteCarloSpecProblem(job->study)) {
        ShowMessageBox(sentence(*problem));
        return;
    }
    // The pre-checks on the values the drained condition runs on (those of
    // the soil on the dry homogeneous ground); a footing the water lifts
    // has nothing to check: every sample fails.
    InputCheckMask mask = 0;
    if (!hasGroundModel(job->ground)) {
        mask = checkInputs(job->geometry, job->soil);
    } else {
        const ground::GroundValues drained =
            ground::evaluateGround(job->ground, job->soil, job->geometry).drained;
        if (!design::liftsFooting(job->geometry, drained))
            mask = checkInputs(ground::methodFooting(job->geometry, drained), drained.soil());
    }
    if (mask != 0) {
        ShowInputCheckMessages(mask);
        return;
    }

    m_job = std::move(job);
    m_method->setText(methodName(m_job->study.method));
    clearResults();
    m_progress->setRange(0, static_cast<int>(m_job->study.samples));
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("Analisi in corso..."));
    setRunning(true);
    m_clock.start();
    m_run.start([job = m_job.get()] {
        job->result = design::runMonteCarloOnGround(job->study, job->geometry, job->soil,
                                                    job->ground, 0, true, &job->control);
        if (job->result) {
            // Each against the normal force its soil carries.
            design::GroundMonteCarlo& r = *job->result;
            job->histogram = histogramOf(r.drained.loads, kClasses,
                                         ground::methodFooting(job->geometry, r.ground.drained).N);
            std::vector<double>().swap(r.drained.loads); // up to 80 MB
            if (r.undrained && r.ground.undrained) {
                job->undrainedHistogram =
                    histogramOf(r.undrained->loads, kClasses,
                                ground::methodFooting(job->geometry, *r.ground.undrained).N);
                std::vector<double>().swap(r.undrained->loads);
            }
        }
    });
}

void MonteCarloView::setRunning(bool running) {
    for (QPushButton* button : m_exports)
        button->setEnabled(!running && m_shown != nullptr);
    m_start->setEnabled(!running);
    m_cancel->setEnabled(running);
    for (QLineEdit* edit : m_cov)
        edit->setEnabled(!running);
    m_samples->setEnabled(!running);
    m_seed->setEnabled(!running);
}

void MonteCarloView::showProgress() {
    const std::size_t done = m_job->control.done.load(std::memory_order_relaxed);
    m_progress->setValue(static_cast<int>(done));
    if (m_job->control.cancel)
        m_status->setText(QStringLiteral("Annullamento in corso..."));
    else
        m_status->setText(QStringLiteral("Analisi in corso: %1 di %2 campioni")
                              .arg(done)
                              .arg(m_job->study.samples));
}

void MonteCarloView::clearResults() {
    for (const Figure& figure : kFigures)
        setResult(figure.name, QStringLiteral("\u2014"));
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Analisi in corso..."));
    replaceChart(m_view, chart);
}

void MonteCarloView::setResult(const char* name, const QString& text) {
    if (auto* label = findChild<QLabel*>(QString::fromLatin1(name)))
        label->setText(text);
}

void MonteCarloView::showResults() {
    setRunning(false);
    std::unique_ptr<Job> job = std::move(m_job);
    const bool refused = job->result && job->result->drained.refusal != 0;
    if (!job->result || refused) {
        // The last analysis that went through stays on show.
        m_progress->setValue(0);
        if (m_shown)
            showJob(*m_shown);
        else {
            clearResults();
            m_view->chart()->setTitle(QString());
        }
        const QString kept = m_shown ? QStringLiteral("restano i risultati precedenti.")
                                     : QStringLiteral("nessun risultato.");
        m_status->setText(refused ? QStringLiteral("I controlli preliminari rifiutano i dati.")
                                  : QStringLiteral("Analisi annullata: ") + kept);
        setRunning(false);
        if (refused)
            ShowInputCheckMessages(job->result->drained.refusal);
        return;
    }
    m_progress->setValue(m_progress->maximum());
    m_status->setText(QStringLiteral("Completata: %1 campioni in %2 s (seme %3).")
                          .arg(job->result->drained.samples)
                          .arg(fixedText(static_cast<double>(m_clock.elapsed()) / 1000.0, 1))
                          .arg(job->study.seed));
    m_shown = std::move(job);
    showJob(*m_shown);
    setRunning(false);
}

int MonteCarloView::shownCondition() const {
    return m_shown && m_shown->result && m_shown->result->undrained ? m_conditions->checkedId() : 0;
}

void MonteCarloView::showJob(const Job& job) {
    const design::GroundMonteCarlo& g = *job.result;
    const bool both = g.undrained.has_value();
    m_conditionRow->setVisible(both);
    const int condition = both ? m_conditions->checkedId() : 0;
    const design::MonteCarloResult& r = condition == 1 ? *g.undrained : g.drained;
    const Histogram& histogram = condition == 1 ? job.undrainedHistogram : job.histogram;
    const ground::GroundValues& values =
        condition == 1 && g.ground.undrained ? *g.ground.undrained : g.ground.drained;
    // The normal force the soil carries: N less the uplift of the drained
    // condition's water.
    const double carried = ground::methodFooting(job.geometry, values).N;
    const bool uplift = values.uplift != 0.0;
    m_method->setText(methodName(job.study.method));
    setResult("pf", probabilityText(r.pf));
    setResult("interval",
              probabilityText(r.pfLow) + QStringLiteral(" \u2013 ") + probabilityText(r.pfHigh));
    setResult("beta", QStringLiteral("\u2014"));
    if (r.beta)
        setResult("beta", fixedText(*r.beta, 3));
    else if (r.betaAbove)
        setResult(
            "beta",
            QStringLiteral("> %1 (nessun campione a rottura)").arg(fixedText(*r.betaAbove, 3)));
    else if (r.betaBelow)
        setResult(
            "beta",
            QStringLiteral("< %1 (tutti i campioni a rottura)").arg(fixedText(*r.betaBelow, 3)));
    QString failures = QStringLiteral("%1 su %2").arg(r.failures).arg(r.samples);
    if (r.lifted)
        failures += QStringLiteral(" (la falda solleva la fondazione)");
    else if (r.refused > 0)
        failures += QStringLiteral(" (%1 senza carico limite)").arg(r.refused);
    setResult("failures", failures);
    setResult("mean", optionalForce(r.mean));
    setResult("cov", r.cov ? fixedText(*r.cov, 3) : QStringLiteral("\u2014"));
    setResult("p05", optionalForce(r.p05));
    setResult("p50", optionalForce(r.p50));
    setResult("p95", optionalForce(r.p95));
    setResult("N",
              uplift ? forceText(carried) + QStringLiteral(" = N \u2212 U") : forceText(carried));
    setResult("above", QStringLiteral("%1 campioni").arg(histogram.above));

    if (hasGroundModel(job.ground)) {
        QString line = groundSummaryText(job.ground) + QLatin1Char('.');
        if (both)
            line +=
                QStringLiteral("\nPf drenata %1, non drenata %2: determinante la condizione %3.")
                    .arg(probabilityText(g.drained.pf), probabilityText(g.undrained->pf),
                         QString::fromUtf8(ground::conditionName(g.governing)));
        line += QLatin1Char('\n') + conditionValuesText(g.ground.drained);
        if (g.ground.undrained)
            line += QLatin1Char('\n') + conditionValuesText(*g.ground.undrained);
        m_groundLine->setText(line);
    }
    m_groundLine->setVisible(hasGroundModel(job.ground));

    const QString loadName = uplift ? QStringLiteral("Carico sul terreno N \u2212 U")
                                    : QStringLiteral("Carico applicato N");
    if (!histogram.counts.empty())
        replaceChart(m_view, histogramChart(histogram, r, carried, loadName, job.study.method));
    else {
        auto* chart = new QChart;
        chart->setTitle(QStringLiteral("Distribuzione del carico limite"));
        replaceChart(m_view, chart);
    }
    m_bar->Recheck();
}

QString MonteCarloView::resultsText() const {
    QString text = QStringLiteral("Grandezza\tValore\n");
    if (m_shown && m_shown->result && m_shown->result->undrained)
        text += QStringLiteral("Condizione\t") +
                QString::fromUtf8(ground::conditionName(shownCondition() == 1
                                                            ? ground::Condition::Undrained
                                                            : ground::Condition::Drained)) +
                QLatin1Char('\n');
    for (const Figure& figure : kFigures) {
        const auto* value = findChild<QLabel*>(QString::fromLatin1(figure.name));
        text += QString::fromUtf8(figure.label) + QLatin1Char('\t') +
                (value != nullptr ? value->text() : QString()) + QLatin1Char('\n');
    }
    return text;
}

std::string MonteCarloView::histogramCsv(CsvForm form) const {
    std::vector<std::vector<std::string>> rows;
    if (m_shown) {
        const Histogram& h =
            shownCondition() == 1 ? m_shown->undrainedHistogram : m_shown->histogram;
        for (std::size_t k = 0; k < h.counts.size(); ++k) {
            const double left = h.from + h.width * static_cast<double>(k);
            rows.push_back({csvNumber(left, form), csvNumber(left + h.width, form),
                            std::to_string(h.counts[k])});
        }
        // The samples past the last class, with no upper end.
        rows.push_back({csvNumber(h.to(), form), std::string(), std::to_string(h.above)});
    }
    return csvText(form,
                   {QStringLiteral("Carico limite da (kg)"), QStringLiteral("Carico limite a (kg)"),
                    QStringLiteral("Campioni")},
                   rows);
}

} // namespace zolt::studies
