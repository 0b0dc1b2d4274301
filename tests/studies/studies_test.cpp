// The studies of the "Strumenti" menu on real widgets: the comparison
// window, the parametric study from its dialog to the exported files, and
// the probabilistic analysis run, cancelled and closed while it runs.
#include "guitest.h"

#include "design/comparison.h"
#include "design/monte_carlo.h"
#include "design/sweep.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "model/project.h"
#include "model/project_file.h"
#include "studies/chartexport.h"
#include "studies/montecarloview.h"
#include "studies/studiescommands.h"
#include "studies/studyformat.h"
#include "studies/sweepdialog.h"
#include "studies/sweepview.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "workflow/input_changes.h"

#include <QAbstractButton>
#include <QAreaSeries>
#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QLineSeries>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <clocale>
#include <cmath>
#include <cstdio>

using namespace zolt;
using namespace zolt::studies;

namespace {

// Every factor group of every method takes part, and every method finds a
// load.
const GeometryData kFooting{
    .B = 2, .L = 3, .D = 1, .alpha = 5, .omega = 5, .ex = 0.1, .ey = 0.1, .N = 50000, .T = 2000};
const SoilData kSoil{.gamma = 1800, .phi = 28, .delta = 20, .c = 0.15, .ca = 0.1};

const QString kNoFrictionNoCohesion =
    QStringLiteral("Angolo di attrito e coesione entrambi nulli\n");

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

void retype(QLineEdit* edit, const QString& value) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, value);
}

// A button, or an action of a button's menu (the chart exports), as the
// user reaches it.
void click(QWidget* parent, const char* name) {
    if (auto* action = parent->findChild<QAction*>(QString::fromLatin1(name))) {
        auto* menu = qobject_cast<QMenu*>(action->parent());
        auto* button = menu != nullptr ? qobject_cast<QAbstractButton*>(menu->parent()) : nullptr;
        QVERIFY2(button != nullptr && button->isEnabled() && action->isEnabled(), name);
        action->trigger();
        return;
    }
    auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button != nullptr, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<QLineSeries*> methodCurves(QChart* chart, int method) {
    QList<QLineSeries*> curves;
    for (QAbstractSeries* series : chart->series())
        if (series->property("method").toInt() == method && series->property("method").isValid())
            curves.append(static_cast<QLineSeries*>(series));
    return curves;
}

QList<QPointF> pointsOf(const QList<QLineSeries*>& curves) {
    QList<QPointF> points;
    for (QLineSeries* curve : curves)
        points += curve->points();
    return points;
}

template <class Series> Series* seriesNamed(QChart* chart, const QString& name) {
    for (QAbstractSeries* series : chart->series())
        if (series->objectName() == name)
            return qobject_cast<Series*>(series);
    return nullptr;
}

QString labelText(QWidget* parent, const char* name) {
    auto* label = parent->findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("(no label %1)").arg(name);
}

// The CSV of a sweep as the command-line calculator writes it, from the
// core's points on `ground`: the undrained condition's columns after the
// drained ones where it may have one.
std::string expectedCsv(const design::SweepSpec& study, const design::Approach* approach,
                        const GeometryData& footing = kFooting, const SoilData& soil = kSoil,
                        const GroundData& ground = {}) {
    const char* const methods[] = {"terzaghi", "meyerhof", "hansen", "vesic"};
    const bool undrained = design::mayBeUndrained(ground);
    std::string out(study.field->name);
    for (const char* condition : {"", "_undrained"}) {
        if (*condition != '\0' && !undrained)
            break;
        for (const char* m : methods)
            out += std::string(",") + m + condition + "_load," + m + condition + "_qult";
        if (approach != nullptr)
            for (const char* m : methods)
                out += std::string(",") + m + condition + "_util_bearing," + m + condition +
                       "_util_sliding";
    }
    out += '\n';
    const auto cell = [&](const std::optional<double>& v) {
        out += ',';
        if (v)
            out += formatRoundTrip(*v);
    };
    const auto points = design::runSweepOnGround(study, footing, soil, ground, approach);
    for (const design::SweepPoint& p : *points) {
        out += formatRoundTrip(p.x);
        for (const auto* cells : {&p.methods, &p.undrained}) {
            if (cells == &p.undrained && !undrained)
                break;
            for (const design::SweepCell& c : *cells) {
                cell(c.valid ? std::optional(c.load) : std::nullopt);
                cell(c.valid ? std::optional(c.qult) : std::nullopt);
            }
            if (approach != nullptr)
                for (const design::SweepCell& c : *cells) {
                    cell(c.valid ? c.utilBearing : std::nullopt);
                    cell(c.valid ? c.utilSliding : std::nullopt);
                }
        }
        out += '\n';
    }
    return out;
}

} // namespace

class StudiesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void comparisonTableShowsTheCoresRuns_data();
    void comparisonTableShowsTheCoresRuns();
    void comparisonChartHasABarAndAQammMarkPerMethod();
    void refusedInputsOpenNoComparison();
    void helpButtonsOpenTheStudiesPage_data();
    void helpButtonsOpenTheStudiesPage();

    void sweepDialogProposesARangeAroundTheValue_data();
    void sweepDialogProposesARangeAroundTheValue();
    void refusedSweepKeepsTheDialogOpen_data();
    void refusedSweepKeepsTheDialogOpen();
    void sweepChartHasTheCoresCurvesAndTwoReferences_data();
    void sweepChartHasTheCoresCurvesAndTwoReferences();
    void pointerShowsTheValuesUnderIt();
    void largeSweepPlotsAFewAndExportsAll();
    void cancelledSweepShowsNoChart();
    void csvExportHoldsEveryPoint_data();
    void csvExportHoldsEveryPoint();
    void chartExportsAndTheirFailures();

    void monteCarloRunShowsTheCoresFigures();
    void monteCarloFiguresShowWhole_data();
    void monteCarloFiguresShowWhole();
    void monteCarloRefusesBadSettings_data();
    void monteCarloRefusesBadSettings();
    void longMonteCarloRunCancelsPromptly();
    void closingDuringARunIsSafe();

    void staleWindowsOfferToRefresh_data();
    void staleWindowsOfferToRefresh();
    void comparisonPointerShowsTheBarsValues();
    void tableAndFiguresCopyWithAHeaderRow();
    void everyChartExports_data();
    void everyChartExports();
    void cancelledRunKeepsThePreviousResults();
    void monteCarloStatusAndLabelsHaveRoom();
    void windowsOpenWithinASmallClientArea();
    void groundStudiesShowTheUndrainedCondition_data();
    void groundStudiesShowTheUndrainedCondition();

private:
    // Opens the window of `kind` (comparison, sweep, Monte Carlo) and, for
    // the studies, waits for its results.
    QWidget* openStudy(const QString& kind);
    // Runs the sweep command, handing its dialog to `steps`; the dialog is
    // cancelled afterwards if the steps left it open.
    void sweepCommand(const std::function<void(SweepDialog&)>& steps);
    // Runs the sweep command for `name` from `from` to `to` in `count`
    // points and waits for its window to finish.
    SweepView* sweep(const QString& name, const QString& from, const QString& to,
                     const QString& count);
    template <class View> View* lastView() {
        const QList<QMdiSubWindow*> windows = m_client->subWindowList();
        return windows.isEmpty() ? nullptr : qobject_cast<View*>(windows.last()->widget());
    }

    QMainWindow m_window;
    TMDIClient* m_client = nullptr;
    QTemporaryDir m_dir;
    BoxCloser* m_boxes = nullptr;
    QString m_exportPath; // what the file prompt answers
    int m_exportFilter = 0;
    QStringList m_filters; // what it was offered
    int m_prompts = 0;
};

void StudiesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_client = setUpMainWindow(m_window, QSize(1100, 800));
    QVERIFY(showActive(m_window));
    setExportFilePrompt([this](QWidget*, const QString&, const QString&, const QStringList& filters) {
        ++m_prompts;
        m_filters = filters;
        return ExportTarget{m_exportPath, m_exportFilter};
    });
}

void StudiesTest::init() {
    geometryData = kFooting;
    soilData = kSoil;
    analysisSettings = AnalysisSettings{};
    designData = {};
    SetChosenApproach(nullptr);
    m_exportPath.clear();
    m_exportFilter = 0;
    m_prompts = 0;
    m_boxes = new BoxCloser;
}

void StudiesTest::cleanup() {
    delete m_boxes;
    m_client->closeAllSubWindows();
    if (QTextBrowser* help = HelpWindow())
        help->window()->close();
}

void StudiesTest::comparisonTableShowsTheCoresRuns_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("fails");
    QTest::newRow("Terzaghi") << int(Terzaghi) << false;
    QTest::newRow("Meyerhof") << int(Meyerhof) << false;
    QTest::newRow("Hansen") << int(Hansen) << false;
    QTest::newRow("Vesic") << int(Vesic) << false;
    QTest::newRow("Hansen fails") << int(Hansen) << true;
}

void StudiesTest::comparisonTableShowsTheCoresRuns() {
    QFETCH(int, method);
    QFETCH(bool, fails);
    if (fails) {
        // Holds against sliding, but Hansen's iq turns negative.
        geometryData.N = 10000;
        geometryData.T = 25000;
        soilData.delta = 70;
        soilData.c = soilData.ca = 0;
    }
    const GeometryData before = geometryData;
    analysisSettings.safetyFactor = 2.5;
    const design::Comparison core = design::compareMethods(geometryData, soilData, 2.5);
    ComparisonCommand(&m_window, m_client);
    auto* view = lastView<QWidget>();
    QVERIFY(view != nullptr);
    QCOMPARE(m_client->subWindowList().last()->windowTitle(), QStringLiteral("Confronto metodi"));
    auto* table = view->findChild<QTableWidget*>();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rowCount(), 4);
    const auto at = [&](int column) {
        QTableWidgetItem* item = table->item(method, column);
        return item != nullptr ? item->text() : QString();
    };
    const design::MethodRun& run = core.runs[static_cast<std::size_t>(method)];
    QCOMPARE(at(0), QStringList({"Terzaghi", "Meyerhof", "Hansen", "Vesic"})[method]);
    QCOMPARE(run.engineResult != 0, fails);
    if (fails) {
        QCOMPARE(at(1), QStringLiteral("Errore"));
        QCOMPARE(at(3), QString());
        return;
    }
    QCOMPARE(at(1), text(formatFixed(run.result.ultimateLoad, 0)));
    QCOMPARE(at(2), text(formatFixed(run.result.ultimateLoad * 0.00980665, 1)));
    QCOMPARE(at(3), text(formatFixed(run.pressures.qult, 2)));
    QCOMPARE(at(4), text(formatFixed(run.pressures.qult * 98.0665, 1)));
    QCOMPARE(at(5), text(formatFixed(run.pressures.qamm, 2)));
    QCOMPARE(at(7), text(formatFixed(run.result.Nc, 3)));
    QCOMPARE(at(9), text(formatFixed(run.result.Nga, 3)));
    QCOMPARE(at(12), text(formatFixed(run.result.NgaCorr, 3)));
    // The table fits: no scroll bars hide a row or a column.
    QVERIFY(table->viewport()->width() >= table->horizontalHeader()->length());
    QVERIFY(table->viewport()->height() >= table->verticalHeader()->length());
    QCOMPARE(geometryData.T, before.T); // the records stay as they were
    QCOMPARE(bearingResult.ultimateLoad, 0.0);
}

void StudiesTest::comparisonChartHasABarAndAQammMarkPerMethod() {
    const design::Comparison core = design::compareMethods(kFooting, kSoil, 3.0);
    ComparisonCommand(&m_window, m_client);
    QChart* chart = lastView<QWidget>()->findChild<QChartView*>()->chart();
    auto* bars = qobject_cast<QBarSeries*>(chart->series().first());
    QVERIFY(bars != nullptr);
    QCOMPARE(bars->count(), 1);
    QBarSet* qult = bars->barSets().first();
    QCOMPARE(qult->count(), 4);
    QList<QLineSeries*> marks;
    for (QAbstractSeries* series : chart->series())
        if (series->objectName() == QLatin1String("qamm"))
            marks.append(static_cast<QLineSeries*>(series));
    QCOMPARE(marks.size(), 4);
    for (int m = 0; m < 4; ++m) {
        QCOMPARE(qult->at(m), core.runs[static_cast<std::size_t>(m)].pressures.qult);
        // Centred on its bar, at qamm.
        const QList<QPointF> mark = marks[m]->points();
        QCOMPARE(mark[0].x() + mark[1].x(), 2.0 * m);
        QCOMPARE(mark[0].y(), core.runs[static_cast<std::size_t>(m)].pressures.qamm);
    }
}

void StudiesTest::refusedInputsOpenNoComparison() {
    soilData.phi = 0;
    soilData.c = 0;
    ComparisonCommand(&m_window, m_client);
    QCOMPARE(m_client->subWindowList().size(), 0);
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, kNoFrictionNoCohesion);
}

void StudiesTest::helpButtonsOpenTheStudiesPage_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("comparison") << 0;
    QTest::newRow("sweep dialog") << 1;
    QTest::newRow("sweep") << 2;
    QTest::newRow("Monte Carlo") << 3;
}

void StudiesTest::helpButtonsOpenTheStudiesPage() {
    QFETCH(int, window);
    QString page;
    switch (window) {
    case 0:
        ComparisonCommand(&m_window, m_client);
        break;
    case 1:
        sweepCommand([&](SweepDialog& dialog) {
            auto* box = dialog.findChild<QDialogButtonBox*>();
            QTest::mouseClick(box->button(QDialogButtonBox::Help), Qt::LeftButton);
            QVERIFY(HelpWindow() != nullptr);
            page = HelpWindow()->source().fileName();
            QVERIFY(dialog.isVisible()); // still there to be filled in
        });
        break;
    case 2:
        QVERIFY(sweep(QStringLiteral("phi"), QStringLiteral("20"), QStringLiteral("40"),
                      QStringLiteral("3")));
        break;
    default:
        MonteCarloCommand(&m_window, m_client);
    }
    if (window != 1) {
        click(lastView<QWidget>(), "help");
        QVERIFY(HelpWindow() != nullptr);
        page = HelpWindow()->source().fileName();
    }
    QCOMPARE(page, QStringLiteral("studi.html"));
}

void StudiesTest::sweepCommand(const std::function<void(SweepDialog&)>& steps) {
    bool found = false;
    whenIdle([&] {
        auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget());
        found = dialog != nullptr;
        if (!found)
            return;
        steps(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    SweepCommand(&m_window, m_client);
    QVERIFY(found);
}

SweepView* StudiesTest::sweep(const QString& name, const QString& from, const QString& to,
                              const QString& count) {
    const int before = static_cast<int>(m_client->subWindowList().size());
    sweepCommand([&](SweepDialog& dialog) {
        auto* input = dialog.findChild<QComboBox*>(QStringLiteral("input"));
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Home);
        while (!input->currentText().startsWith(name + QLatin1Char(' ')) &&
               input->currentIndex() + 1 < input->count())
            QTest::keyClick(input, Qt::Key_Down);
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("from")), from);
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("to")), to);
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("count")), count);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    if (m_client->subWindowList().size() != before + 1)
        return nullptr;
    auto* view = lastView<SweepView>();
    if (!QTest::qWaitFor([&] { return !view->isRunning(); }, 20000))
        return nullptr;
    return view;
}

void StudiesTest::sweepDialogProposesARangeAroundTheValue_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("B stops at L") << "B"
                                  << "1.00"
                                  << "3.00";
    QTest::newRow("L starts at B") << "L"
                                   << "2.00"
                                   << "4.50";
    QTest::newRow("gamma") << "gamma"
                           << "900.0"
                           << "2700.0";
    QTest::newRow("c") << "c"
                       << "0.075"
                       << "0.225";
    QTest::newRow("ey from zero") << "ey"
                                  << "0.00"
                                  << "0.40";
}

void StudiesTest::sweepDialogProposesARangeAroundTheValue() {
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(QString, to);
    geometryData.ey = 0;
    QStringList shown;
    sweepCommand([&](SweepDialog& dialog) {
        auto* input = dialog.findChild<QComboBox*>(QStringLiteral("input"));
        QCOMPARE(input->count(), 14);
        QCOMPARE(input->currentText(), QStringLiteral("B \u2013 Base della fondazione (m)"));
        input->setFocus();
        while (!input->currentText().startsWith(name + QLatin1Char(' ')))
            QTest::keyClick(input, Qt::Key_Down);
        shown << dialog.findChild<QLineEdit*>(QStringLiteral("from"))->text()
              << dialog.findChild<QLineEdit*>(QStringLiteral("to"))->text()
              << dialog.findChild<QLineEdit*>(QStringLiteral("count"))->text();
    });
    QCOMPARE(shown, (QStringList{from, to, QStringLiteral("101")}));
    QCOMPARE(m_client->subWindowList().size(), 0); // cancelled
}

void StudiesTest::refusedSweepKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("below the field") << "0.05"
                                     << "11"
                                     << "Gli estremi di B devono essere numeri tra 0.10 e 99.90";
    QTest::newRow("no number") << ""
                               << "11"
                               << "Gli estremi di B devono essere numeri tra 0.10 e 99.90";
    QTest::newRow("one point") << "1"
                               << "1"
                               << "Il numero di punti deve essere tra 2 e 1000000";
    QTest::newRow("too many") << "1"
                              << "1000001"
                              << "Il numero di punti deve essere tra 2 e 1000000";
}

void StudiesTest::refusedSweepKeepsTheDialogOpen() {
    QFETCH(QString, from);
    QFETCH(QString, count);
    QFETCH(QString, message);
    sweepCommand([&](SweepDialog& dialog) {
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("from")), from);
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("count")), count);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes[0].text, message);
        QCOMPARE(m_boxes->boxes[0].parent, static_cast<QWidget*>(&dialog));
        // Mended, it goes through.
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("from")), QStringLiteral("1"));
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("count")), QStringLiteral("11"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_client->subWindowList().size(), 1);
}

void StudiesTest::sweepChartHasTheCoresCurvesAndTwoReferences_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("withValues"); // points of each curve
    QTest::addColumn<bool>("flatPressure");
    QTest::newRow("phi, every point") << "phi" << 20.0 << 40.0 << 101 << 101 << true;
    QTest::newRow("phi from 0") << "phi" << 0.0 << 40.0 << 11 << 10 << true;
    QTest::newRow("c, current value outside") << "c" << 0.5 << 1.0 << 6 << 6 << true;
    QTest::newRow("B past L") << "B" << 1.0 << 5.0 << 9 << 5 << false;
}

void StudiesTest::sweepChartHasTheCoresCurvesAndTwoReferences() {
    QFETCH(QString, name);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, count);
    QFETCH(int, withValues);
    QFETCH(bool, flatPressure);
    soilData.c = name == QLatin1String("phi") ? 0.0 : kSoil.c; // phi = 0 is then refused
    SweepView* view =
        sweep(name, QString::number(from), QString::number(to), QString::number(count));
    QVERIFY(view != nullptr);
    const design::SweepSpec study{findInputField(name.toStdString()), from, to,
                                 static_cast<std::size_t>(count)};
    const auto core = design::runSweep(study, geometryData, soilData, nullptr);
    QChart* chart = view->findChild<QChartView*>()->chart();
    for (int m = 0; m < 4; ++m) {
        const QList<QPointF> points = pointsOf(methodCurves(chart, m));
        QCOMPARE(points.size(), withValues);
        QList<QPointF> expected;
        for (const design::SweepPoint& p : *core)
            if (p.methods[static_cast<std::size_t>(m)].valid)
                expected.append({p.x, p.methods[static_cast<std::size_t>(m)].qult});
        QCOMPARE(points, expected);
    }
    QCOMPARE(chart->legend()->markers().size() > 0, true);

    auto* applied = seriesNamed<QLineSeries>(chart, QStringLiteral("applied"));
    QVERIFY(applied != nullptr);
    const double pressure = geometryData.N / (geometryData.B * geometryData.L * 10000);
    if (flatPressure) {
        QCOMPARE(applied->count(), 2);
        QCOMPARE(applied->at(0).y(), pressure);
        QCOMPARE(applied->at(1).y(), pressure);
    } else {
        QCOMPARE(applied->count(), count);
        QCOMPARE(applied->at(count - 1).y(), geometryData.N / (to * geometryData.L * 10000));
    }

    auto* current = seriesNamed<QLineSeries>(chart, QStringLiteral("current"));
    const double value = name == QLatin1String("B")     ? geometryData.B
                         : name == QLatin1String("phi") ? soilData.phi
                                                        : soilData.c;
    if (value < from || value > to) {
        QVERIFY(current == nullptr);
    } else {
        QVERIFY(current != nullptr);
        QCOMPARE(current->at(0).x(), value);
        QCOMPARE(current->at(1).x(), value);
    }
    const bool broken = withValues < count;
    QCOMPARE(labelText(view, "notes").contains(QStringLiteral("si interrompono")), broken);
}

void StudiesTest::pointerShowsTheValuesUnderIt() {
    SweepView* view = sweep(QStringLiteral("phi"), QStringLiteral("20"), QStringLiteral("40"),
                            QStringLiteral("21"));
    QVERIFY(view != nullptr);
    auto* chartView = view->findChild<QChartView*>();
    QChart* chart = chartView->chart();
    QLineSeries* curve = methodCurves(chart, Meyerhof).first();
    // Just off the point phi = 30, towards 30.2: the nearest point is 30.
    const QPointF inChart = chart->mapToPosition(QPointF(30.2, curve->at(10).y()), curve);
    const QPoint inView = chartView->mapFromScene(chart->mapToScene(inChart));
    QTest::mouseMove(chartView->viewport(), inView);
    QTRY_VERIFY(labelText(view, "pointer").contains(QStringLiteral("phi = 30.000 \u00B0")));
    // The four methods' qult at phi = 30, in both units, in method order.
    const QString shown = labelText(view, "pointer");
    qsizetype from = 0;
    for (const char* unit : {"kg/cm", "kPa"}) {
        from = shown.indexOf(QLatin1String(unit), from);
        for (int m = 0; m < 4; ++m) {
            const double q = pointsOf(methodCurves(chart, m))[10].y();
            const QString value = unit[1] == 'g' ? fixedText(q, 2) : fixedText(q * 98.0665, 1);
            from = shown.indexOf(QLatin1Char('>') + value + QLatin1Char('<'), from);
            QVERIFY2(from > 0, qPrintable(value + QStringLiteral(" in ") + shown));
        }
    }
}

void StudiesTest::largeSweepPlotsAFewAndExportsAll() {
    SweepView* view = sweep(QStringLiteral("D"), QStringLiteral("0"), QStringLiteral("3"),
                            QStringLiteral("5000"));
    QVERIFY(view != nullptr);
    QChart* chart = view->findChild<QChartView*>()->chart();
    const QList<QPointF> points = pointsOf(methodCurves(chart, Hansen));
    QVERIFY(points.size() <= static_cast<int>(SweepView::kMaxPlottedPoints) + 1);
    QVERIFY(points.size() > static_cast<int>(SweepView::kMaxPlottedPoints) / 2);
    QCOMPARE(points.first().x(), 0.0);
    QCOMPARE(points.last().x(), 3.0);
    QVERIFY(labelText(view, "notes").contains(QStringLiteral("il file CSV li contiene tutti")));

    m_exportPath = m_dir.filePath(QStringLiteral("large.csv"));
    click(view, "exportCSV");
    const auto csv = readFilePrefix(m_exportPath.toStdString(), 1 << 24);
    QVERIFY(csv);
    QCOMPARE(std::count(csv->begin(), csv->end(), '\n'), 5001);
}

void StudiesTest::cancelledSweepShowsNoChart() {
    sweepCommand([](SweepDialog& dialog) {
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("count")), QStringLiteral("1000000"));
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    auto* view = lastView<SweepView>();
    QVERIFY(view != nullptr);
    QElapsedTimer clock;
    clock.start();
    click(view, "cancel");
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 10000);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(labelText(view, "notes").contains(QStringLiteral("annullato")));
    QVERIFY(view->findChild<QChartView*>()->chart()->series().isEmpty());
    QVERIFY(!view->findChild<QPushButton*>(QStringLiteral("export"))->isEnabled());
}

void StudiesTest::csvExportHoldsEveryPoint_data() {
    QTest::addColumn<QString>("approach");
    QTest::newRow("loads") << QString();
    QTest::newRow("with utilisations") << "ntc2018";
}

void StudiesTest::csvExportHoldsEveryPoint() {
    QFETCH(QString, approach);
    const design::Approach* chosen =
        approach.isEmpty() ? nullptr : design::findApproach(approach.toStdString());
    SetChosenApproach(chosen);
    // phi = 0 with c = 0.15 is not refused; 0.1 steps give numbers that only
    // read back with all their digits.
    SweepView* view = sweep(QStringLiteral("phi"), QStringLiteral("0"), QStringLiteral("4.5"),
                            QStringLiteral("46"));
    QVERIFY(view != nullptr);
    m_exportPath = m_dir.filePath(QStringLiteral("sweep.csv"));
    click(view, "exportCSV");
    QCOMPARE(m_prompts, 1);
    const auto csv = readFilePrefix(m_exportPath.toStdString(), 1 << 20);
    QVERIFY(csv);
    const design::SweepSpec study{findInputField("phi"), 0, 4.5, 46};
    QCOMPARE(QByteArray::fromStdString(*csv), QByteArray::fromStdString(expectedCsv(study, chosen)));
    QVERIFY(m_boxes->boxes.isEmpty());
}

void StudiesTest::chartExportsAndTheirFailures() {
    SweepView* view =
        sweep(QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("11"));
    QVERIFY(view != nullptr);
    m_exportPath = m_dir.filePath(QStringLiteral("chart.png"));
    click(view, "exportPNG");
    const auto png = readFilePrefix(m_exportPath.toStdString(), 1 << 22);
    QVERIFY(png && png->starts_with("\x89PNG"));
    QImage image;
    QVERIFY(image.loadFromData(QByteArray::fromStdString(*png)));
    QCOMPARE(image.size(), view->findChild<QChartView*>()->size() * image.devicePixelRatio());

    m_exportPath = m_dir.filePath(QStringLiteral("chart.svg"));
    click(view, "exportSVG");
    const auto svg = readFilePrefix(m_exportPath.toStdString(), 1 << 22);
    QVERIFY(svg);
    QVERIFY(svg->find("<svg") != std::string::npos);
    QVERIFY(svg->find("Hansen") != std::string::npos); // legend text stays text
    QVERIFY(svg->find("<polyline") != std::string::npos || svg->find("<path") != std::string::npos);

    // A file the user gave up on is not written; one that cannot be
    // written is reported and left alone.
    m_exportPath.clear();
    click(view, "exportCSV");
    QVERIFY(m_boxes->boxes.isEmpty());
    m_exportPath = m_dir.path(); // a folder
    click(view, "exportCSV");
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, QStringLiteral("Errore nell'apertura del file !!"));
    QVERIFY(QFileInfo(m_dir.path()).isDir());
}

void StudiesTest::monteCarloRunShowsTheCoresFigures() {
    analysisSettings.method = Hansen;
    // Near the loads, so that some samples fail and some hold.
    geometryData.N = std::round(
        0.7 * design::compareMethods(kFooting, kSoil, 3).runs[Hansen].result.ultimateLoad);
    MonteCarloCommand(&m_window, m_client);
    auto* view = lastView<MonteCarloView>();
    QVERIFY(view != nullptr);
    QCOMPARE(m_client->subWindowList().last()->windowTitle(),
             QStringLiteral("Analisi probabilistica"));
    QCOMPARE(labelText(view, "method"), QStringLiteral("Hansen"));
    retype(view->findChild<QLineEdit*>(QStringLiteral("cov_phi")), QStringLiteral("0.15"));
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("20000"));
    auto* seed = view->findChild<QLineEdit*>(QStringLiteral("seed"));
    retype(seed, QStringLiteral("7"));
    QTest::keyClick(seed, Qt::Key_Return); // as "Avvia"
    QVERIFY(view->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 20000);

    design::MonteCarloSpec study{
        .samples = 20000, .seed = 7, .method = Hansen, .cov = {0.05, 0.15, 0.10, 0.30, 0.30}};
    const auto core = design::runMonteCarlo(study, geometryData, kSoil, 1, true);
    QVERIFY(core && core->pf > 0.0 && core->pf < 1.0);
    QCOMPARE(labelText(view, "pf"), probabilityText(core->pf));
    QCOMPARE(labelText(view, "beta"), fixedText(*core->beta, 3));
    QCOMPARE(labelText(view, "interval"), probabilityText(core->pfLow) +
                                              QStringLiteral(" \u2013 ") +
                                              probabilityText(core->pfHigh));
    QCOMPARE(labelText(view, "p05"), forceText(*core->p05));
    QCOMPARE(labelText(view, "mean"), forceText(*core->mean));
    QCOMPARE(labelText(view, "N"), forceText(geometryData.N));
    QVERIFY(labelText(view, "status").startsWith(QStringLiteral("Completata")));

    QChart* chart = view->findChild<QChartView*>()->chart();
    auto* histogram = seriesNamed<QAreaSeries>(chart, QStringLiteral("histogram"));
    QVERIFY(histogram != nullptr);
    // Two points a class and the two ends on the axis: every load either
    // in a class or past the last.
    const QList<QPointF> outline = histogram->upperSeries()->points();
    QCOMPARE(outline.size(), 2 * static_cast<int>(MonteCarloView::kClasses) + 2);
    double counted = 0;
    for (int k = 1; k + 1 < outline.size(); k += 2)
        counted += outline[k].y();
    const QString above = labelText(view, "above");
    QCOMPARE(counted + above.section(QLatin1Char(' '), 0, 0).toDouble(),
             static_cast<double>(core->loads.size()));
    QCOMPARE(seriesNamed<QLineSeries>(chart, QStringLiteral("p05"))->at(0).x(), *core->p05);
    QCOMPARE(seriesNamed<QLineSeries>(chart, QStringLiteral("N"))->at(0).x(), geometryData.N);
    QCOMPARE(soilData.phi, kSoil.phi);
}

void StudiesTest::monteCarloFiguresShowWhole_data() {
    QTest::addColumn<GeometryData>("footing");
    QTest::addColumn<SoilData>("soil");
    QTest::addColumn<QString>("beta");
    QTest::addColumn<QString>("failures");
    QTest::addColumn<int>("p95Digits"); // -1: no load
    // Hansen's iq turns negative for every sample: none has a load.
    QTest::newRow("every sample fails")
        << GeometryData{.B = 2, .L = 3, .D = 1, .N = 10000, .T = 25000}
        << SoilData{.gamma = 1800, .phi = 28, .delta = 70} << "< -3.891 (tutti i campioni a rottura)"
        << "20000 su 20000 (20000 senza carico limite)" << -1;
    QTest::newRow("no sample fails") << GeometryData{.B = 20, .L = 30, .D = 2, .N = 1000} << kSoil
                                     << "> 3.891 (nessun campione a rottura)"
                                     << "0 su 20000" << 9;
}

void StudiesTest::monteCarloFiguresShowWhole() {
    QFETCH(GeometryData, footing);
    QFETCH(SoilData, soil);
    QFETCH(QString, beta);
    QFETCH(QString, failures);
    QFETCH(int, p95Digits);
    geometryData = footing;
    soilData = soil;
    analysisSettings.method = Hansen;
    MonteCarloCommand(&m_window, m_client);
    auto* view = lastView<MonteCarloView>();
    QVERIFY(view != nullptr);
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("20000"));
    click(view, "start");
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 20000);
    QCOMPARE(labelText(view, "beta"), beta);
    QCOMPARE(labelText(view, "failures"), failures);
    QCOMPARE(labelText(view, "p95").indexOf(QStringLiteral(" kg")), p95Digits);
    // Every figure whole and inside the window, once the window has laid out
    // its new texts.
    const auto clipped = [view] {
        QStringList cut;
        for (const QLabel* label : view->findChildren<QLabel*>()) {
            if (label->wordWrap() || !label->isVisible())
                continue; // breaks its lines instead, or is not shown
            const QRect inView(label->mapTo(view, QPoint(0, 0)), label->size());
            // As shown: a mnemonic's '&' takes no room.
            const QString shown = QString(label->text()).remove(QLatin1Char('&'));
            if (label->width() < label->fontMetrics().horizontalAdvance(shown) ||
                !view->rect().contains(inView))
                cut.append(label->text());
        }
        return cut;
    };
    QTRY_VERIFY2(clipped().isEmpty(), qPrintable(clipped().join(QStringLiteral(" | "))));
}

void StudiesTest::monteCarloRefusesBadSettings_data() {
    QTest::addColumn<double>("phi");
    QTest::addColumn<QString>("cov");
    QTest::addColumn<QString>("samples");
    QTest::addColumn<QString>("message");
    QTest::newRow("refused inputs") << 0.0 << "0.1"
                                    << "100" << kNoFrictionNoCohesion;
    QTest::newRow("no samples") << 28.0 << "0.1"
                                << "0"
                                << "Il numero di campioni deve essere tra 1 e 10000000";
    QTest::newRow("too many samples") << 28.0 << "0.1"
                                      << "10000001"
                                      << "Il numero di campioni deve essere tra 1 e 10000000";
    QTest::newRow("empty COV")
        << 28.0 << ""
        << "100"
        << "Coefficiente di variazione di phi non valido: serve un numero tra 0 e 10";
}

void StudiesTest::monteCarloRefusesBadSettings() {
    QFETCH(double, phi);
    QFETCH(QString, cov);
    QFETCH(QString, samples);
    QFETCH(QString, message);
    soilData.phi = phi;
    soilData.c = 0;
    MonteCarloCommand(&m_window, m_client);
    auto* view = lastView<MonteCarloView>();
    retype(view->findChild<QLineEdit*>(QStringLiteral("cov_phi")), cov);
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), samples);
    click(view, "start");
    QVERIFY(!view->isRunning());
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, message);
    QCOMPARE(labelText(view, "pf"), QStringLiteral("\u2014"));
}

void StudiesTest::longMonteCarloRunCancelsPromptly() {
    MonteCarloCommand(&m_window, m_client);
    auto* view = lastView<MonteCarloView>();
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("10000000"));
    click(view, "start");
    auto* progress = view->findChild<QProgressBar*>();
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 10000); // under way
    QVERIFY(view->isRunning());
    QElapsedTimer clock;
    clock.start();
    click(view, "cancel");
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 10000);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(labelText(view, "status").contains(QStringLiteral("annullata")));
    QCOMPARE(labelText(view, "pf"), QStringLiteral("\u2014"));

    // The window is as before: a short run goes through.
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("1000"));
    click(view, "start");
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 10000);
    QVERIFY(labelText(view, "status").startsWith(QStringLiteral("Completata")));
    QVERIFY(labelText(view, "pf") != QStringLiteral("\u2014"));
}

void StudiesTest::closingDuringARunIsSafe() {
    MonteCarloCommand(&m_window, m_client);
    QPointer<QMdiSubWindow> window = m_client->subWindowList().last();
    auto* view = lastView<MonteCarloView>();
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("10000000"));
    click(view, "start");
    QTRY_VERIFY_WITH_TIMEOUT(view->findChild<QProgressBar*>()->value() > 0, 10000);
    QElapsedTimer clock;
    clock.start();
    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));

    // A sweep window too.
    sweepCommand([](SweepDialog& dialog) {
        retype(dialog.findChild<QLineEdit*>(QStringLiteral("count")), QStringLiteral("1000000"));
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window = m_client->subWindowList().last();
    window->close();
    QTRY_VERIFY(window.isNull());
}

QWidget* StudiesTest::openStudy(const QString& kind) {
    if (kind == QLatin1String("comparison")) {
        ComparisonCommand(&m_window, m_client);
        return lastView<QWidget>();
    }
    if (kind == QLatin1String("sweep"))
        return sweep(QStringLiteral("phi"), QStringLiteral("20"), QStringLiteral("40"),
                     QStringLiteral("5"));
    MonteCarloCommand(&m_window, m_client);
    auto* view = lastView<MonteCarloView>();
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("2000"));
    click(view, "start");
    if (!QTest::qWaitFor([view] { return !view->isRunning(); }, 20000))
        return nullptr;
    return view;
}

void StudiesTest::staleWindowsOfferToRefresh_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("change"); // 0 none, 1 N, 2 the method, 3 the safety factor, 4 the water
    QTest::addColumn<bool>("stale");
    for (const char* kind : {"comparison", "sweep", "Monte Carlo"}) {
        QTest::addRow("%s: unchanged", kind) << kind << 0 << false;
        QTest::addRow("%s: N", kind) << kind << 1 << true;
    }
    QTest::newRow("comparison: safety factor") << "comparison" << 3 << true;
    QTest::newRow("sweep: method, which it draws all four of") << "sweep" << 2 << false;
    QTest::newRow("Monte Carlo: method") << "Monte Carlo" << 2 << true;
    for (const char* kind : {"comparison", "sweep", "Monte Carlo"})
        QTest::addRow("%s: water table", kind) << kind << 4 << true;
}

void StudiesTest::staleWindowsOfferToRefresh() {
    QFETCH(QString, kind);
    QFETCH(int, change);
    QFETCH(bool, stale);
    QWidget* view = openStudy(kind);
    QVERIFY(view != nullptr);
    auto* bar = view->findChild<QWidget*>(QStringLiteral("staleBar"));
    QVERIFY(bar != nullptr && !bar->isVisible());
    if (change == 1)
        geometryData.N = 40000;
    else if (change == 2)
        analysisSettings.method = Vesic;
    else if (change == 3)
        analysisSettings.safetyFactor = 2.5;
    else if (change == 4)
        designData.ground.waterTable = 0.5; // as Stratigrafia e falda writes it
    AnnounceInputChanges(); // as the main window does after every command
    QCOMPARE(bar->isVisible(), stale);
    if (!stale)
        return;
    click(bar, "refresh");
    if (auto* sweepView = qobject_cast<SweepView*>(view))
        QTRY_VERIFY_WITH_TIMEOUT(!sweepView->isRunning(), 20000);
    if (auto* monteCarlo = qobject_cast<MonteCarloView*>(view))
        QTRY_VERIFY_WITH_TIMEOUT(!monteCarlo->isRunning(), 20000);
    QVERIFY(!bar->isVisible());
    // Worked out on the records as they are now.
    if (kind == QLatin1String("comparison")) {
        const design::Comparison core =
            design::compareOnGround(geometryData, soilData, designData.ground,
                                    analysisSettings.safetyFactor)
                .drained.comparison;
        QCOMPARE(view->findChild<QTableWidget*>()->item(Hansen, 5)->text(),
                 text(formatFixed(core.runs[Hansen].pressures.qamm, 2)));
    } else if (kind == QLatin1String("sweep")) {
        auto* applied = seriesNamed<QLineSeries>(view->findChild<QChartView*>()->chart(),
                                                 QStringLiteral("applied"));
        QCOMPARE(applied->at(0).y(), geometryData.N / (2.0 * 3.0 * 10000));
    } else if (change == 4) {
        // The soil carries N less U = 1000·(1.00 − 0.50)·2·3 = 3000 Kg.
        QCOMPARE(labelText(view, "N"),
                 forceText(geometryData.N - 3000) + QStringLiteral(" = N − U"));
    } else {
        QCOMPARE(labelText(view, change == 1 ? "N" : "method"),
                 change == 1 ? forceText(40000) : QStringLiteral("Vesic"));
    }
}

void StudiesTest::comparisonPointerShowsTheBarsValues() {
    ComparisonCommand(&m_window, m_client);
    QWidget* view = lastView<QWidget>();
    auto* chartView = view->findChild<QChartView*>();
    QChart* chart = chartView->chart();
    auto* bars = qobject_cast<QBarSeries*>(chart->series().first());
    const design::Comparison core = design::compareMethods(kFooting, kSoil, 3.0);
    // Half way up Hansen's bar, off its centre.
    const QPointF inChart =
        chart->mapToPosition(QPointF(2.2, core.runs[Hansen].pressures.qult / 2), bars);
    QTest::mouseMove(chartView->viewport(), chartView->mapFromScene(chart->mapToScene(inChart)));
    QTRY_COMPARE(labelText(view, "pointer"),
                 QStringLiteral("Hansen: qult %1, qamm %2")
                     .arg(pressureText(core.runs[Hansen].pressures.qult),
                          pressureText(core.runs[Hansen].pressures.qamm)));
}

void StudiesTest::tableAndFiguresCopyWithAHeaderRow() {
    ComparisonCommand(&m_window, m_client);
    auto* table = lastView<QWidget>()->findChild<QTableWidget*>();
    QVERIFY(showActive(m_window));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("Metodo\tCarico limite (kg)\tCarico limite (kN)\t"
                                            "qult (kg/cm²)\tqult (kPa)\tqamm (kg/cm²)\t"
                                            "qamm (kPa)\tNc\tNq\tNγ\tNc′\tNq′\tNγ′"));
    QCOMPARE(lines.value(2).section(QLatin1Char('\t'), 0, 1),
             QStringLiteral("Meyerhof\t") + table->item(Meyerhof, 1)->text());

    auto* monteCarlo = qobject_cast<MonteCarloView*>(openStudy(QStringLiteral("Monte Carlo")));
    QVERIFY(monteCarlo != nullptr);
    auto* results = monteCarlo->findChild<QWidget*>(QStringLiteral("results"));
    results->setFocus();
    QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
    lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("Grandezza\tValore"));
    QCOMPARE(lines.value(1),
             QStringLiteral("Probabilità di rottura Pf\t") + labelText(monteCarlo, "pf"));
    QCOMPARE(lines.size(), 13); // twelve lines and the last one's end
}

void StudiesTest::everyChartExports_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("header"); // of the Italian CSV
    QTest::newRow("comparison") << "comparison" << "Metodo;Carico limite (kg);Carico limite (kN)";
    QTest::newRow("sweep") << "sweep" << "phi (°);Terzaghi carico limite (kg);Terzaghi qult (kg/cm²)";
    QTest::newRow("Monte Carlo") << "Monte Carlo" << "Carico limite da (kg);Carico limite a (kg)";
}

void StudiesTest::everyChartExports() {
    QFETCH(QString, kind);
    QFETCH(QString, header);
    QWidget* view = openStudy(kind);
    QVERIFY(view != nullptr);
    const auto exported = [&](const char* button, const QString& name, int filter) {
        m_exportPath = m_dir.filePath(name);
        m_exportFilter = filter;
        click(view, button);
        const auto bytes = readFilePrefix(m_exportPath.toStdString(), 1 << 22);
        return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
    };
    QVERIFY(exported("exportPNG", QStringLiteral("grafico.png"), 0).startsWith("\x89PNG"));
    QVERIFY(exported("exportSVG", QStringLiteral("grafico.svg"), 0).contains("<svg"));
    const QByteArray standard = exported("exportCSV", QStringLiteral("valori.csv"), 0);
    QCOMPARE(m_filters.size(), 2); // the standard form and the Italian one
    QVERIFY(m_filters[1].contains(QStringLiteral("punto e virgola")));
    const QByteArray italian = exported("exportCSV", QStringLiteral("valori-it.csv"), 1);
    QVERIFY(italian.startsWith("\xEF\xBB\xBF" + header.toUtf8()));
    // The same numbers: "," for the decimal point, ";" between cells.
    QByteArray expected = standard.mid(standard.indexOf('\n'));
    expected.replace(',', ';').replace('.', ',');
    QCOMPARE(italian.mid(italian.indexOf('\n')), expected);
    QVERIFY(expected.contains(','));
    QVERIFY(m_boxes->boxes.isEmpty());
}

void StudiesTest::cancelledRunKeepsThePreviousResults() {
    auto* view = qobject_cast<MonteCarloView*>(openStudy(QStringLiteral("Monte Carlo")));
    QVERIFY(view != nullptr);
    const QString pf = labelText(view, "pf");
    QVERIFY(pf != QStringLiteral("\u2014"));
    retype(view->findChild<QLineEdit*>(QStringLiteral("samples")), QStringLiteral("10000000"));
    click(view, "start");
    QTRY_VERIFY_WITH_TIMEOUT(view->findChild<QProgressBar*>()->value() > 0, 10000);
    click(view, "cancel");
    QTRY_VERIFY_WITH_TIMEOUT(!view->isRunning(), 10000);
    QCOMPARE(labelText(view, "status"),
             QStringLiteral("Analisi annullata: restano i risultati precedenti."));
    QCOMPARE(labelText(view, "pf"), pf);
    QVERIFY(seriesNamed<QAreaSeries>(view->findChild<QChartView*>()->chart(),
                                     QStringLiteral("histogram")) != nullptr);
    QVERIFY(view->findChild<QPushButton*>(QStringLiteral("export"))->isEnabled());
}

void StudiesTest::monteCarloStatusAndLabelsHaveRoom() {
    auto* view = qobject_cast<MonteCarloView*>(openStudy(QStringLiteral("Monte Carlo")));
    QVERIFY(view != nullptr);
    auto* status = view->findChild<QLabel*>(QStringLiteral("status"));
    QVERIFY(status->text().startsWith(QStringLiteral("Completata")));
    // One line, whole: no word of it alone on a second one.
    QTRY_VERIFY(status->width() >= status->fontMetrics().horizontalAdvance(status->text()));
    QVERIFY(!status->wordWrap());
    for (QLineEdit* field : view->findChildren<QLineEdit*>()) {
        auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
        if (form == nullptr)
            continue;
        auto* label = qobject_cast<QLabel*>(form->labelForField(field));
        QVERIFY(label != nullptr);
        // The mnemonic's marker takes no room on the screen.
        const QString shown = QString(label->text()).remove(QLatin1Char('&'));
        const int textEnd = label->x() + label->fontMetrics().horizontalAdvance(shown);
        QVERIFY2(field->x() - textEnd >= 6, qPrintable(label->text()));
    }
}

void StudiesTest::windowsOpenWithinASmallClientArea() {
    m_window.resize(900, 620);
    QTRY_COMPARE(m_client->viewport()->width(), 900);
    for (const char* kind : {"comparison", "sweep", "Monte Carlo"}) {
        QVERIFY(openStudy(QString::fromLatin1(kind)) != nullptr);
        const QMdiSubWindow* window = m_client->subWindowList().last();
        const QRect area = m_client->viewport()->rect();
        // Inside the area, or, wider than it can shrink, from its left edge:
        // the first lines show from their start.
        QVERIFY2(window->x() >= 0 && window->y() >= 0 &&
                     (window->geometry().right() <= area.right() || window->x() == 0),
                 kind);
    }
    m_window.resize(1100, 800);
}

void StudiesTest::groundStudiesShowTheUndrainedCondition_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"comparison", "sweep", "Monte Carlo"})
        QTest::newRow(kind) << kind;
}

// The three-layer example with its water table: each study shows the
// undrained condition beside the drained one, as the core computes them.
void StudiesTest::groundStudiesShowTheUndrainedCondition() {
    QFETCH(QString, kind);
    std::string error;
    QVERIFY2(ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error), error.c_str());
    const GroundData& ground = designData.ground;
    QWidget* view = openStudy(kind);
    QVERIFY(view != nullptr);
    if (kind == QLatin1String("comparison")) {
        const design::GroundComparison core =
            design::compareOnGround(geometryData, soilData, ground, analysisSettings.safetyFactor);
        QVERIFY(core.undrained);
        auto* undrained = view->findChild<QTableWidget*>(QStringLiteral("undrainedMethods"));
        QVERIFY(undrained != nullptr && undrained->isVisible());
        for (const design::MethodRun& run : core.undrained->comparison.runs)
            QCOMPARE(undrained->item(run.method, 1)->text(),
                     run.engineResult == 0 ? text(formatFixed(run.result.ultimateLoad, 0))
                                           : QStringLiteral("Errore"));
        // q' and gamma' worked by hand (see the verification's tests).
        QVERIFY(labelText(view, "ground").contains(QStringLiteral("Drenata: q = 2650 kg/m²")));
        QVERIFY(labelText(view, "ground").contains(QStringLiteral("γ = 1940.0 kg/m³")));
        QChart* chart = view->findChild<QChartView*>()->chart();
        QCOMPARE(qobject_cast<QBarSeries*>(chart->series().first())->count(), 2);
        int marks = 0;
        for (const design::Comparison* c : {&core.drained.comparison, &core.undrained->comparison})
            for (const design::MethodRun& run : c->runs)
                marks += run.engineResult == 0 ? 1 : 0;
        int shown = 0;
        for (QAbstractSeries* series : chart->series())
            shown += series->objectName() == QLatin1String("qamm") ? 1 : 0;
        QCOMPARE(shown, marks);
    } else if (kind == QLatin1String("sweep")) {
        QChart* chart = view->findChild<QChartView*>()->chart();
        int dashed = 0;
        for (QAbstractSeries* series : chart->series())
            if (series->property("condition").toInt() == 1)
                dashed += static_cast<QLineSeries*>(series)->pen().style() == Qt::DashLine ? 1 : 0;
        QVERIFY(dashed >= 3); // the methods that find an undrained load
        m_exportPath = m_dir.filePath(QStringLiteral("ground-sweep.csv"));
        click(view, "exportCSV");
        const auto csv = readFilePrefix(m_exportPath.toStdString(), 1 << 20);
        QVERIFY(csv);
        const design::SweepSpec study{findInputField("phi"), 20, 40, 5};
        QCOMPARE(
            QByteArray::fromStdString(*csv),
            QByteArray::fromStdString(expectedCsv(study, nullptr, geometryData, soilData, ground)));
    } else {
        auto* monteCarlo = qobject_cast<MonteCarloView*>(view);
        design::MonteCarloSpec study{.samples = 2000,
                                     .seed = 1,
                                     .method = analysisSettings.method,
                                     .cov = {0.05, 0.10, 0.10, 0.30, 0.30}};
        const auto core = design::runMonteCarloOnGround(study, geometryData, soilData, ground, 1);
        QVERIFY(core && core->undrained);
        QCOMPARE(labelText(view, "pf"), probabilityText(core->drained.pf));
        auto* undrained = view->findChild<QAbstractButton*>(QStringLiteral("showUndrained"));
        QVERIFY(undrained != nullptr && undrained->isVisible());
        QTest::mouseClick(undrained, Qt::LeftButton, {}, QPoint(8, undrained->height() / 2));
        QCOMPARE(labelText(view, "pf"), probabilityText(core->undrained->pf));
        QVERIFY(labelText(view, "conditions")
                    .contains(QStringLiteral("determinante la condizione %1")
                                  .arg(QString::fromUtf8(ground::conditionName(core->governing)))));
        QVERIFY(!monteCarlo->isRunning());
    }
}

ZOLT_GUI_TEST_MAIN(StudiesTest)

#include "studies_test.moc"
