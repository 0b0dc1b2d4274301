// "Cedimenti" driven through its widgets on the three-layer example: the
// dialog's fields written back into the project's settings, the window's
// table against zolt-calc's numbers, its chart, copy and stale bar, the
// message of a missing value, the help page, and "Dimensionamento" keeping
// the settlement within its limit.
#include "../gui/guitest.h"

#include "model/project.h"
#include "model/project_file.h"
#include "serviceability/settlement_chart.h"
#include "serviceability/settlement_dialog.h"
#include "serviceability/settlementcommands.h"
#include "serviceability/settlement_view.h"
#include "toolkit/twinhelp.h"
#include "verification/sizing_dialog.h"
#include "workflow/input_changes.h"

#include <QAbstractSeries>
#include <QCheckBox>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>

#include <optional>

namespace {

using zolt::SettlementDialog;
using zolt::SettlementMethod;
using zolt::SettlementSettings;

template <class T> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qWarning("no widget %s", name);
    return widget;
}

QString cellText(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text() : QString();
}

} // namespace

Q_DECLARE_METATYPE(SettlementMethod)
Q_DECLARE_METATYPE(std::optional<double>)

class SettlementWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogSettings_data();
    void dialogSettings();
    void okWritesTheSettingsAndOpensTheWindow();
    void tableGivesZoltCalcsNumbers_data();
    void tableGivesZoltCalcsNumbers();
    void chartDrawsTheCurvesOverLayersAndWater();
    void tableCopiesWithItsHeader();
    void changedSettingsShowTheStaleBar();
    void aMissingValueNamesItsLayer();
    void helpOpensThePage_data();
    void helpOpensThePage();
    void sizingKeepsTheSettlementWithinItsLimit();

private:
    QMdiSubWindow* openWindow(SettlementMethod method);

    QMainWindow m_window;
    TMDIClient* m_client = nullptr;
    BoxCloser* m_boxes = nullptr;
    zolt::ProjectDocument m_example;
};

void SettlementWindowTest::initTestCase() {
    std::string error;
    QVERIFY2(zolt::ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error),
             error.c_str());
    QVERIFY(zolt::designData.settlement.has_value());
    m_example = {zolt::geometryData, zolt::soilData, zolt::analysisSettings, zolt::designData};
    m_client = setUpMainWindow(m_window, QSize(1260, 980));
    QVERIFY(showActive(m_window));
}

void SettlementWindowTest::init() {
    zolt::geometryData = m_example.geometry;
    zolt::soilData = m_example.soil;
    zolt::analysisSettings = m_example.analysis;
    zolt::designData = m_example.design;
    m_boxes = new BoxCloser;
}

void SettlementWindowTest::cleanup() {
    m_client->closeAllSubWindows();
    delete m_boxes;
    m_boxes = nullptr;
}

QMdiSubWindow* SettlementWindowTest::openWindow(SettlementMethod method) {
    zolt::designData.settlement->method = method;
    return zolt::OpenSettlementWindow(m_client);
}

// What is chosen and typed is what OK hands back; an empty field is none.
void SettlementWindowTest::dialogSettings_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("years");
    QTest::addColumn<SettlementMethod>("expectedMethod");
    QTest::addColumn<std::optional<double>>("expectedLimit");
    QTest::addColumn<std::optional<double>>("expectedYears");
    QTest::newRow("schmertmann, both") << 2 << "2.5" << "10" << SettlementMethod::Schmertmann
                                       << std::optional(2.5) << std::optional(10.0);
    QTest::newRow("elastic, no check, no time")
        << 0 << "" << "" << SettlementMethod::Elastic << std::optional<double>()
        << std::optional<double>();
}

void SettlementWindowTest::dialogSettings() {
    QFETCH(int, method);
    QFETCH(QString, limit);
    QFETCH(QString, years);
    SettlementDialog dialog(nullptr, *zolt::designData.settlement, false);
    child<QComboBox>(dialog, "method")->setCurrentIndex(method);
    child<QLineEdit>(dialog, "limit")->setText(limit);
    child<QLineEdit>(dialog, "years")->setText(years);
    const SettlementSettings s = dialog.Settings();
    QTEST(s.method, "expectedMethod");
    QTEST(s.limit, "expectedLimit");
    QTEST(s.years, "expectedYears");
    QCOMPARE(s.combination, zolt::designData.settlement->combination);
}

// Through the command as the menu runs it: the dialog, OK, the settings in
// the project (so that saving keeps them) and the window.
void SettlementWindowTest::okWritesTheSettingsAndOpensTheWindow() {
    whenIdle([] {
        auto* dialog = qobject_cast<SettlementDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        child<QComboBox>(*dialog, "method")->setCurrentIndex(0); // elastico
        child<QLineEdit>(*dialog, "limit")->setText(QStringLiteral("3"));
        QTest::mouseClick(child<QPushButton>(*dialog, "ok"), Qt::LeftButton);
    });
    zolt::SettlementCommand(&m_window, m_client);
    QCOMPARE(zolt::designData.settlement->method, SettlementMethod::Elastic);
    QCOMPARE(zolt::designData.settlement->limit, std::optional(3.0));
    QCOMPARE(m_client->subWindowList().size(), 1);
    QMdiSubWindow* window = m_client->subWindowList().first();
    QCOMPARE(window->windowTitle(), QStringLiteral("Cedimenti – elastico (Steinbrenner)"));
    QVERIFY(child<QLabel>(*window, "check")->text().contains(QStringLiteral("NON VERIFICATA")));
}

// zolt-calc --settlement=METHOD on the example, row by row.
void SettlementWindowTest::tableGivesZoltCalcsNumbers_data() {
    QTest::addColumn<SettlementMethod>("method");
    QTest::addColumn<QStringList>("clay"); // to, s cm
    QTest::addColumn<QStringList>("gravel");
    QTest::addColumn<QStringList>("total"); // s cm, s mm
    QTest::newRow("elastic") << SettlementMethod::Elastic << QStringList{"4.50", "3.392"}
                             << QStringList{"8.65", "0.386"} << QStringList{"3.778", "37.78"};
    QTest::newRow("oedometric") << SettlementMethod::Oedometric << QStringList{"4.50", "4.269"}
                                << QStringList{"8.65", "0.268"} << QStringList{"4.537", "45.37"};
    QTest::newRow("schmertmann") << SettlementMethod::Schmertmann << QStringList{"4.50", "5.005"}
                                 << QStringList{"6.61", "0.424"} << QStringList{"5.429", "54.29"};
}

void SettlementWindowTest::tableGivesZoltCalcsNumbers() {
    QFETCH(SettlementMethod, method);
    QFETCH(QStringList, clay);
    QFETCH(QStringList, gravel);
    QFETCH(QStringList, total);
    QMdiSubWindow* window = openWindow(method);
    QVERIFY(window != nullptr);
    auto* table = child<QTableWidget>(*window, "layers");
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(cellText(table, 0, 0), QStringLiteral("Argilla limosa"));
    QCOMPARE(cellText(table, 0, 1), QStringLiteral("1.50")); // the base
    QCOMPARE((QStringList{cellText(table, 0, 2), cellText(table, 0, 3)}), clay);
    QCOMPARE(cellText(table, 1, 0), QStringLiteral("Ghiaia sabbiosa"));
    QCOMPARE((QStringList{cellText(table, 1, 2), cellText(table, 1, 3)}), gravel);
    QCOMPARE(cellText(table, 2, 0), QStringLiteral("Totale"));
    QCOMPARE((QStringList{cellText(table, 2, 3), cellText(table, 2, 4)}), total);
}

void SettlementWindowTest::chartDrawsTheCurvesOverLayersAndWater() {
    QMdiSubWindow* window = openWindow(SettlementMethod::Oedometric);
    QVERIFY(window != nullptr);
    QChart* chart = child<QChartView>(*window, "chart")->chart();
    QStringList names;
    for (const QAbstractSeries* series : chart->series())
        names << series->objectName();
    QCOMPARE(names.count(QString::fromLatin1(zolt::kLayerBand)), 3);
    for (const char* name : {zolt::kWaterBand, zolt::kOverburdenSeries, zolt::kIncreaseSeries,
                             zolt::kCutoffSeries, zolt::kCumulativeSeries, "base",
                             "influenceDepth"})
        QVERIFY2(names.count(QString::fromLatin1(name)) == 1, name);
    // The cumulative settlement reaches the total at the foot of the plot.
    const QLineSeries* cumulative = nullptr;
    for (QAbstractSeries* series : chart->series())
        if (series->objectName() == QLatin1String(zolt::kCumulativeSeries))
            cumulative = qobject_cast<QLineSeries*>(series);
    QVERIFY(cumulative != nullptr);
    QCOMPARE(QString::number(cumulative->points().constLast().x(), 'f', 3), QStringLiteral("4.537"));
}

void SettlementWindowTest::tableCopiesWithItsHeader() {
    QMdiSubWindow* window = openWindow(SettlementMethod::Oedometric);
    QVERIFY(window != nullptr);
    auto* table = child<QTableWidget>(*window, "layers");
    table->setFocus();
    table->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("Strato\tDa (m)\tA (m)\ts (cm)\ts (mm)"));
    QCOMPARE(lines.value(1), QStringLiteral("Argilla limosa\t1.50\t4.50\t4.269\t42.69"));
}

// A limit changed since shows the bar; "Aggiorna" checks against the new one.
void SettlementWindowTest::changedSettingsShowTheStaleBar() {
    QMdiSubWindow* window = openWindow(SettlementMethod::Oedometric);
    QVERIFY(window != nullptr);
    auto* bar = child<QWidget>(*window, "staleBar");
    QVERIFY(!bar->isVisible());
    zolt::designData.settlement->limit = 4.0;
    zolt::AnnounceInputChanges();
    QVERIFY(bar->isVisible());
    QTest::mouseClick(child<QPushButton>(*bar, "refresh"), Qt::LeftButton);
    QVERIFY(!bar->isVisible());
    QVERIFY(child<QLabel>(*window, "check")->text().contains(QStringLiteral("NON VERIFICATA")));
}

// Burland and Burbidge reach the clay, which has no Nspt: a message names
// both, and no window opens.
void SettlementWindowTest::aMissingValueNamesItsLayer() {
    QVERIFY(openWindow(SettlementMethod::BurlandBurbidge) == nullptr);
    QCOMPARE(m_boxes->boxes.size(), 1);
    const QString text = m_boxes->boxes.first().text;
    QVERIFY2(text.contains(QStringLiteral("Argilla limosa")) && text.contains(QStringLiteral("Nspt")),
             qPrintable(text));
    QCOMPARE(m_boxes->boxes.first().icon, QMessageBox::Warning);
    QVERIFY(m_client->subWindowList().isEmpty());
}

void SettlementWindowTest::helpOpensThePage_data() {
    QTest::addColumn<bool>("window"); // else the dialog
    QTest::newRow("dialog") << false;
    QTest::newRow("window") << true;
}

void SettlementWindowTest::helpOpensThePage() {
    QFETCH(bool, window);
    std::optional<SettlementDialog> dialog;
    QWidget* target = nullptr;
    if (window) {
        QMdiSubWindow* sub = openWindow(SettlementMethod::Oedometric);
        QVERIFY(sub != nullptr);
        m_client->setActiveSubWindow(sub);
        m_window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
        target = child<QTableWidget>(*sub, "layers");
    } else {
        dialog.emplace(&m_window, *zolt::designData.settlement, false);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*dialog));
        target = child<QComboBox>(*dialog, "method");
    }
    target->setFocus();
    QTest::keyClick(target, Qt::Key_F1);
    QTextBrowser* help = HelpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->source().fileName(), QStringLiteral("cedimenti.html"));
    help->window()->close();
}

// With the option, the width found settles within the limit, and a tighter
// limit asks for a wider footing (at 5 cm the bearing governs: 0.84 cm on
// 7.34 m; 0.6 and 0.4 cm take 7.93 and 8.26 m).
void SettlementWindowTest::sizingKeepsTheSettlementWithinItsLimit() {
    double previous = 0.0;
    for (const double limit : {5.0, 0.6, 0.4}) {
        zolt::designData.settlement->limit = limit;
        zolt::SizingDialog dialog(&m_window);
        auto* option = child<QCheckBox>(dialog, "settlement");
        QVERIFY(option->isEnabled());
        option->setChecked(true);
        QTest::mouseClick(child<QPushButton>(dialog, "compute"), Qt::LeftButton);
        QVERIFY(dialog.FoundWidth().has_value());
        QVERIFY(*dialog.FoundWidth() > previous);
        previous = *dialog.FoundWidth();
        zolt::GeometryData sized = zolt::geometryData;
        sized.B = *dialog.FoundWidth();
        sized.L = *dialog.FoundLength();
        const auto s = zolt::settlement::settleProject(*zolt::designData.settlement, sized,
                                                       zolt::soilData, zolt::designData);
        QVERIFY(s.ok() && s.settlement->verified());
        QVERIFY(child<QLabel>(dialog, "settled")->text().startsWith(QStringLiteral("Cedimento s = ")));
    }
    zolt::designData.settlement->limit.reset();
    zolt::SizingDialog none(&m_window);
    QVERIFY(!child<QCheckBox>(none, "settlement")->isEnabled());
}

ZOLT_GUI_TEST_MAIN(SettlementWindowTest)
#include "settlement_window_test.moc"
