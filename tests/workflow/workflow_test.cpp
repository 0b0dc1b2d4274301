// The analysis workflow on real widgets: the input dialogs, the analysis
// dialog with its pre-checks, the results dialog and the report windows,
// driven as a person would, with the message boxes answered by the test.
#include "dialogscript.h"
#include "guitest.h"

#include "model/file_io.h"
#include "model/project.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "workflow/commands.h"
#include "workflow/report.h"
#include "workflow/results_dialog.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <clocale>
#include <cstdio>
#include <filesystem>

using namespace zolt;

namespace {

const QString kWidthLength =
    QStringLiteral("La larghezza della fondazione deve essere minore o uguale alla lunghezza");

// The report of the typical road below, worked out by hand from the
// Hansen formulas (safety factor 2.5).
const char* const kTypicalReport = "Calcolo capacit\xE0 portante di una fondazione superficiale\n\n"
                                   "Metodo di Hansen\n\n"
                                   "Capacit\xE0 portante    356293 Kg\n\n"
                                   "Qult (Kg/cmq)          5.94\n\n"
                                   "Qamm (Kg/cmq)          2.38\n\n"
                                   "Nc =   25.803    Nq=    14.720     Nga=    10.942\n\n"
                                   "Fattori di forma\n"
                                   "sc =    1.000    sq=     1.000     sga=     1.000\n\n"
                                   "Fattori di profondit\xE0 del piano di posa\n"
                                   "dc =    1.300    dq=     1.224     dga=     1.000\n\n"
                                   "Fattori di inclinazione del carico\n"
                                   "ic =    0.764    iq=     0.780     iga=     0.707\n\n"
                                   "Fattori di inclinazione del pendio\n"
                                   "gc =    1.000    gq=     1.000     gga=     1.000\n\n"
                                   "Fattori di inclinazione del piano di posa\n"
                                   "bc =    0.966    bq=     0.911     bga=     0.882\n\n"
                                   "Fattori di capacit\xE0 portante corretti\n"
                                   "Nc'=   24.746    Nq'=    12.809     Nga'=     6.830\n";

struct Row {
    QString text;
    int id;
    QRect rect;
};

// The rows of the results dialog, in creation order.
QList<Row> rowsOf(const TDialog& dialog) {
    QList<Row> rows;
    for (QLabel* label : dialog.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->objectName().startsWith(QLatin1String("row")))
            rows.append({label->text(), label->property("controlId").toInt(), label->geometry()});
    }
    return rows;
}

// Paste from the field's own context menu.
void pasteFromContextMenu(QLineEdit* edit) {
    const QPoint middle = edit->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, middle, edit->mapToGlobal(middle));
    QCoreApplication::sendEvent(edit, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    const QPointer<QMenu> closing = menu;
    QTest::keyClick(menu, Qt::Key_P); // "&Paste"
    // Without a window manager nobody hands the activation back to the
    // dialog once the menu is gone.
    QTRY_VERIFY(closing.isNull());
    edit->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(edit->window()));
}

bool isFixedPitch(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
           metrics.horizontalAdvance(QLatin1Char('M'));
}

} // namespace

class WorkflowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void geometryShowsTheRecordWithItsDecimals();
    void geometryRefusesWidthOverLengthUntilMended();
    void geometryCancelRestoresTheValuesBeforeTheCommand();
    void fieldRanges_data();
    void fieldRanges();
    void noFieldTakesAMinusSignOrTooManyCharacters();
    void pastingIsLimitedAsTyping();
    void soilCancelRestoresItsFields();

    void analysisCancelRestoresTheSettings();
    void analysisHelpShowsTheMethods();
    void enterOnAMethodStartsTheAnalysis();
    void safetyFactorRange_data();
    void safetyFactorRange();
    void preChecksListTheirMessagesInBitOrder_data();
    void preChecksListTheirMessagesInBitOrder();
    void engineFailureSaysErrore();

    void resultRowsStackWithoutGaps_data();
    void resultRowsStackWithoutGaps();
    void resultPressuresUseTheFullBase();

    void everyReportRunOpensAWindow();
    void reportThatCannotBeWrittenOpensNoWindow();
    void reportBeforeAnyAnalysisWritesNothing();
    void resultsAndReportNameTheAnalysedMethod();

    void typicalRoad();

private:
    // Runs `command` with the steps of `script`; true when every step ran.
    template <class Command> bool run(DialogScript& script, Command command) {
        command();
        return script.finished();
    }
    void analyse(int methodButton, const QString& safety = QString());

    QMainWindow m_window;
    TMDIClient* m_client = nullptr;
    QTemporaryDir m_dir;
    BoxCloser* m_boxes = nullptr;
};

void WorkflowTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path())); // the report lands here
    m_client = setUpMainWindow(m_window, QSize(900, 700));
    QVERIFY(showActive(m_window));
}

void WorkflowTest::init() {
    geometryData = GeometryData{};
    soilData = SoilData{};
    analysisSettings = AnalysisSettings{};
    bearingResult = BearingResult{};
    analysedMethod.reset();
    m_boxes = new BoxCloser;
}

void WorkflowTest::cleanup() {
    delete m_boxes;
    m_client->closeAllSubWindows();
    QFile::remove(QStringLiteral("rel.txt"));
}

void WorkflowTest::geometryShowsTheRecordWithItsDecimals() {
    geometryData.N = 1234.6; // shown without decimals, rounded
    DialogScript script;
    const QStringList expected = {"1.00", "1.00", "1.00", "0.00", "0.00",
                                  "0.00", "0.00", "1235", "0"};
    script.then(DialogScript::expectCaption(QStringLiteral("Dati geometria")));
    for (int i = 0; i < expected.size(); ++i)
        script.then(DialogScript::expectText(101 + i, expected[i]));
    script.then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { GeometryCommand(&m_window); }));
    QCOMPARE(geometryData.N, 1234.6);
    QVERIFY(m_boxes->boxes.isEmpty());
}

void WorkflowTest::geometryRefusesWidthOverLengthUntilMended() {
    DialogScript script;
    script.then(DialogScript::type(101, "3"))
        .then(DialogScript::type(102, "2"))
        .then(DialogScript::press(IDOK))
        // reopened after the message, with the values entered
        .then(DialogScript::expectText(101, "3.00"))
        .then(DialogScript::expectText(102, "2.00"))
        .then(DialogScript::type(102, "3"))
        .then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { GeometryCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, kWidthLength);
    QCOMPARE(m_boxes->boxes[0].caption, QStringLiteral("Prova ZOLT"));
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::NoIcon);
    QCOMPARE(m_boxes->boxes[0].buttonCount, 1);
    QCOMPARE(geometryData.B, 3.0);
    QCOMPARE(geometryData.L, 3.0); // equal is allowed
}

void WorkflowTest::geometryCancelRestoresTheValuesBeforeTheCommand() {
    geometryData.D = 2.5;
    geometryData.N = 500;
    DialogScript script;
    script.then(DialogScript::type(101, "4"))
        .then(DialogScript::type(103, "7"))
        .then(DialogScript::type(108, "900"))
        .then(DialogScript::press(IDOK)) // refused: B > L
        .then(DialogScript::type(102, "1.5"))
        .then(DialogScript::press(IDOK)) // refused again
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { GeometryCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), 2);
    QCOMPARE(geometryData.B, 1.0);
    QCOMPARE(geometryData.L, 1.0);
    QCOMPARE(geometryData.D, 2.5);
    QCOMPARE(geometryData.N, 500.0);

    // A data file may bring B > L: confirming it unchanged is refused too.
    geometryData.B = 5;
    geometryData.L = 2;
    DialogScript again;
    again.then(DialogScript::expectText(101, "5.00"))
        .then(DialogScript::press(IDOK))
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(again, [&] { GeometryCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), 3);
    QCOMPARE(m_boxes->boxes[2].text, kWidthLength);
    QCOMPARE(geometryData.B, 5.0);
}

void WorkflowTest::fieldRanges_data() {
    QTest::addColumn<bool>("soil");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::newRow("B below 0.1") << false << 101 << "0.05" << false
                                 << "Valore non valido: inserire un numero tra 0.10 e 99.90";
    QTest::newRow("B at 0.1") << false << 101 << "0.1" << true << "";
    QTest::newRow("D zero") << false << 103 << "0" << true << "";
    QTest::newRow("D empty is 0") << false << 103 << "" << true << "";
    QTest::newRow("B empty is 0") << false << 101 << "" << false
                                  << "Valore non valido: inserire un numero tra 0.10 e 99.90";
    QTest::newRow("largest force") << false << 108 << "9999999" << true << "";
    QTest::newRow("friction 99.9") << true << 202 << "99.9" << true << "";
    QTest::newRow("cohesion 99.99") << true << 204 << "99.99" << true << "";
    QTest::newRow("unit weight") << true << 201 << "9999.9" << true << "";
}

void WorkflowTest::fieldRanges() {
    QFETCH(bool, soil);
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    DialogScript script;
    script.then(DialogScript::type(id, typed)).then(DialogScript::press(IDOK));
    if (!accepted)
        script.then(DialogScript::press(IDCANCEL)); // the dialog stayed open
    QVERIFY(run(script, [&] { soil ? SoilCommand(&m_window) : GeometryCommand(&m_window); }));
    if (accepted) {
        QVERIFY(m_boxes->boxes.isEmpty());
    } else {
        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes[0].text, message);
        QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(geometryData.B, 1.0); // Annulla restored the refused value
    }
}

void WorkflowTest::noFieldTakesAMinusSignOrTooManyCharacters() {
    // Characters a person can type into each field at most, then the
    // longest text tried: a minus first, then nine digits.
    const QList<QPair<int, int>> geometry = {{101, 4}, {102, 4}, {103, 4}, {104, 4}, {105, 4},
                                             {106, 4}, {107, 4}, {108, 7}, {109, 7}};
    const QList<QPair<int, int>> soil = {{201, 6}, {202, 4}, {203, 4}, {204, 6}, {205, 6}};
    for (const bool isSoil : {false, true}) {
        DialogScript script;
        for (const auto& [id, limit] : isSoil ? soil : geometry) {
            script.then([id = id, limit = limit](TDialog& dialog) {
                QLineEdit* edit = lineEditOf(dialog, id);
                QVERIFY(edit != nullptr);
                edit->setFocus();
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, QStringLiteral("-"));
                QCOMPARE(edit->text(), QString());
                QTest::keyClicks(edit, QStringLiteral("123456789"));
                QCOMPARE(edit->text(), QStringLiteral("123456789").left(limit));
            });
        }
        script.then(DialogScript::press(IDCANCEL));
        QVERIFY(run(script, [&] { isSoil ? SoilCommand(&m_window) : GeometryCommand(&m_window); }));
    }
    QCOMPARE(geometryData.N, 0.0); // committed on focus loss, undone by Annulla
    QCOMPARE(soilData.gamma, 1800.0);
}

void WorkflowTest::pastingIsLimitedAsTyping() {
    geometryData.L = 5;
    QStringList shown;
    DialogScript script;
    script
        .then([&](TDialog& dialog) {
            QLineEdit* base = lineEditOf(dialog, 101);
            base->setFocus(); // the whole text is selected
            for (const char* text : {"0000.5", "00.15", "2.5"}) {
                QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
                pasteFromContextMenu(base);
                shown.append(base->text());
            }
        })
        .then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { GeometryCommand(&m_window); }));
    // Too long for the field's four characters: refused whole, as typing.
    QCOMPARE(shown, (QStringList{"1.00", "1.00", "2.5"}));
    QVERIFY(m_boxes->boxes.isEmpty());
    QCOMPARE(geometryData.B, 2.5);
}

void WorkflowTest::soilCancelRestoresItsFields() {
    DialogScript script;
    const QStringList expected = {"1800.0", "30.0", "20.0", "0.000", "0.000"};
    script.then(DialogScript::expectCaption(QStringLiteral("Dati Terreno")));
    for (int i = 0; i < expected.size(); ++i)
        script.then(DialogScript::expectText(201 + i, expected[i]));
    script.then(DialogScript::type(202, "35"))
        .then(DialogScript::type(204, "0.25")) // leaving 202 commits 35
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { SoilCommand(&m_window); }));
    QCOMPARE(soilData.phi, 30.0);
    QCOMPARE(soilData.c, 0.0);

    DialogScript accept;
    accept.then(DialogScript::type(202, "35")).then(DialogScript::press(IDOK));
    QVERIFY(run(accept, [&] { SoilCommand(&m_window); }));
    QCOMPARE(soilData.phi, 35.0);
}

void WorkflowTest::analysisCancelRestoresTheSettings() {
    DialogScript script;
    script.then(DialogScript::expectCaption(QStringLiteral("Metodo di calcolo")))
        .then([](TDialog& dialog) {
            // start values: Meyerhof checked, 3.00
            auto* meyerhof = qobject_cast<QRadioButton*>(dialog.ChildWithId(302));
            QVERIFY(meyerhof != nullptr && meyerhof->isChecked());
            QCOMPARE(lineEditOf(dialog, 305)->text(), QStringLiteral("3.00"));
        })
        .then(DialogScript::press(304))
        .then(DialogScript::type(305, "2.5"))
        .then(DialogScript::press(303)) // the edit writes its value on leaving
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(analysisSettings.method, static_cast<int>(Meyerhof));
    QCOMPARE(analysisSettings.safetyFactor, 3.0);
    QCOMPARE(bearingResult.ultimateLoad, 0.0); // nothing ran

    DialogScript again;
    again
        .then([](TDialog& dialog) {
            auto* meyerhof = qobject_cast<QRadioButton*>(dialog.ChildWithId(302));
            QVERIFY(meyerhof != nullptr && meyerhof->isChecked());
            QCOMPARE(lineEditOf(dialog, 305)->text(), QStringLiteral("3.00"));
        })
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(again, [&] { AnalysisCommand(&m_window); }));
}

void WorkflowTest::analysisHelpShowsTheMethods() {
    QString page;
    DialogScript script;
    script
        .then([&](TDialog& dialog) {
            DialogScript::press(106)(dialog);
            QTextBrowser* help = HelpWindow();
            QVERIFY(help != nullptr);
            page = help->source().fileName();
            help->window()->close(); // the dialog is active again
            dialog.activateWindow();
        })
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(page, QStringLiteral("metodi.html"));
}

void WorkflowTest::enterOnAMethodStartsTheAnalysis() {
    QString caption;
    DialogScript script;
    script
        .then([](TDialog& dialog) {
            // The focus starts on a method; Enter there is the default button's.
            QVERIFY(qobject_cast<QRadioButton*>(dialog.focusWidget()) != nullptr);
            DialogScript::press(303)(dialog);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        })
        .then([&](TDialog& next) {
            caption = next.windowTitle();
            next.CloseWindow(IDCANCEL); // the results, or else the dialog that stayed
        });
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(caption, QStringLiteral("Risultati"));
    QCOMPARE(analysisSettings.method, static_cast<int>(Hansen));
    QVERIFY(bearingResult.ultimateLoad > 0.0);
}

void WorkflowTest::safetyFactorRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("9.00") << "9.00" << true;
    QTest::newRow("9.01") << "9.01" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0.99") << "0.99" << false;
}

void WorkflowTest::safetyFactorRange() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    DialogScript script;
    script.then(DialogScript::type(305, typed)).then(DialogScript::press(IDOK));
    if (accepted)
        script.then(DialogScript::press(IDOK)); // the results
    else
        script.then(DialogScript::press(IDCANCEL));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), accepted ? 0 : 1);
    if (!accepted)
        QCOMPARE(m_boxes->boxes[0].text,
                 QStringLiteral("Valore non valido: inserire un numero tra 1.00 e 9.00"));
    // Annulla puts back the value of before
    QCOMPARE(analysisSettings.safetyFactor, accepted ? typed.toDouble() : 3.0);
    QCOMPARE(bearingResult.ultimateLoad != 0.0, accepted);
}

void WorkflowTest::preChecksListTheirMessagesInBitOrder_data() {
    QTest::addColumn<double>("phi");
    QTest::addColumn<double>("delta");
    QTest::addColumn<double>("T");
    QTest::addColumn<QString>("text");
    QTest::newRow("no friction, no cohesion")
        << 0.0 << 20.0 << 0.0 << "Angolo di attrito e coesione entrambi nulli\n";
    QTest::newRow("no interface grip")
        << 30.0 << 0.0 << 0.0 << "Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n";
    QTest::newRow("no grip and sliding")
        << 30.0 << 0.0 << 10.0
        << "Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n"
           "Fondazione non verificata a scorrimento\n";
    QTest::newRow("all three") << 0.0 << 0.0 << 10.0
                               << "Angolo di attrito e coesione entrambi nulli\n"
                                  "Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n"
                                  "Fondazione non verificata a scorrimento\n";
}

void WorkflowTest::preChecksListTheirMessagesInBitOrder() {
    QFETCH(double, phi);
    QFETCH(double, delta);
    QFETCH(double, T);
    QFETCH(QString, text);
    soilData.phi = phi;
    soilData.delta = delta;
    geometryData.T = T;
    bearingResult.ultimateLoad = 123; // an earlier result stays
    DialogScript script;
    script.then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, text);
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::NoIcon);
    QCOMPARE(bearingResult.ultimateLoad, 123.0);
}

void WorkflowTest::engineFailureSaysErrore() {
    geometryData.N = 10000;
    geometryData.T = 25000;
    soilData.delta = 70; // holds against sliding; Hansen's iq turns negative
    DialogScript script;
    script.then(DialogScript::press(303)).then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, QStringLiteral("Errore"));
}

void WorkflowTest::resultRowsStackWithoutGaps_data() {
    QTest::addColumn<int>("methodButton");
    QTest::addColumn<double>("T");
    QTest::addColumn<QStringList>("prefixes");
    QTest::newRow("Terzaghi") << 301 << 0.0 << QStringList{"sc"};
    QTest::newRow("Meyerhof vertical") << 302 << 0.0 << QStringList{"sc", "dc"};
    QTest::newRow("Meyerhof inclined") << 302 << 1000.0 << QStringList{"dc", "ic"};
    QTest::newRow("Hansen") << 303 << 0.0 << QStringList{"sc", "dc", "ic", "gc", "bc"};
    QTest::newRow("Vesic") << 304 << 1000.0 << QStringList{"sc", "dc", "ic", "gc", "bc"};
}

void WorkflowTest::resultRowsStackWithoutGaps() {
    QFETCH(int, methodButton);
    QFETCH(double, T);
    QFETCH(QStringList, prefixes);
    geometryData.N = 10000;
    geometryData.T = T;
    QList<Row> rows;
    QString caption;
    DialogScript script;
    script.then(DialogScript::press(methodButton))
        .then(DialogScript::press(IDOK))
        .then([&](TDialog& dialog) {
            caption = dialog.windowTitle();
            rows = rowsOf(dialog);
        })
        .then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(caption, QStringLiteral("Risultati"));
    QCOMPARE(rows.size(), 5 + prefixes.size());
    const QStringList fixed = {"Capacit\u00E0 portante", "Qult", "Qamm", "Nc = "};
    for (int i = 0; i < rows.size(); ++i) {
        const QString expectedStart = i < 4                     ? fixed[i]
                                      : i < 4 + prefixes.size() ? prefixes[i - 4] + " = "
                                                                : QStringLiteral("Nc'=");
        QVERIFY2(rows[i].text.startsWith(expectedStart), qPrintable(rows[i].text));
        QCOMPARE(rows[i].rect, QRect(10, 20 + 30 * i, 350, 30));
        QCOMPARE(rows[i].id, i == 0 ? 401 : i <= 2 ? 402 : 403);
    }
    QCOMPARE(rows.last().rect.y(), 140 + 30 * static_cast<int>(prefixes.size()));
}

void WorkflowTest::resultPressuresUseTheFullBase() {
    bearingResult.ultimateLoad = 50000;
    bearingResult.Nc = 5.14;
    QList<Row> rows;
    QFont rowFont;
    DialogScript script;
    script.then([&](TDialog& dialog) {
        rows = rowsOf(dialog);
        rowFont = dialog.findChild<QLabel*>(QStringLiteral("row1"))->font();
        dialog.CloseWindow(IDOK);
    });
    QVERIFY(run(script, [&] { ShowResultsDialog(&m_window); }));
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0].text, QStringLiteral("Capacit\u00E0 portante     50000 Kg"));
    QCOMPARE(rows[1].text, QStringLiteral("Qult (Kg/cmq)          5.00"));
    QCOMPARE(rows[2].text, QStringLiteral("Qamm (Kg/cmq)          1.67"));
    QCOMPARE(rows[3].text, QStringLiteral("Nc =    5.140    Nq=     0.000     Nga=     0.000"));
    QVERIFY(isFixedPitch(rowFont));
    // the longest row fits its 350 pixels
    QVERIFY(QFontMetrics(rowFont).horizontalAdvance(rows[4].text) <= 350);
}

void WorkflowTest::everyReportRunOpensAWindow() {
    analysedMethod = Meyerhof; // as after an analysis
    bearingResult.ultimateLoad = 1000;
    QMdiSubWindow* first = ReportCommand(m_client);
    bearingResult.ultimateLoad = 2000;
    QMdiSubWindow* second = ReportCommand(m_client);
    QVERIFY(first != nullptr && second != nullptr);
    QCOMPARE(m_client->subWindowList().size(), 2);
    for (QMdiSubWindow* window : {first, second}) {
        QCOMPARE(window->windowTitle(), QStringLiteral("Relazione"));
        QCOMPARE(window->pos(), QPoint(100, 100));
        auto* view = qobject_cast<QPlainTextEdit*>(window->widget());
        QVERIFY(view != nullptr);
        QVERIFY(!view->isReadOnly());
        QVERIFY(isFixedPitch(view->font()));
        QCOMPARE(view->height(), 400);
        QVERIFY(view->width() >= 400);
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0); // no line is cut
    }
    const auto text = [](QMdiSubWindow* w) {
        return qobject_cast<QPlainTextEdit*>(w->widget())->toPlainText();
    };
    QVERIFY(text(first).contains(QStringLiteral("Capacit\u00E0 portante      1000 Kg")));
    QVERIFY(text(second).contains(QStringLiteral("Capacit\u00E0 portante      2000 Kg")));
    const auto file = readFilePrefix("rel.txt", 1 << 16);
    QVERIFY(file && file->find("      2000 Kg") != std::string::npos);
    QVERIFY(m_boxes->boxes.isEmpty());
}

void WorkflowTest::reportThatCannotBeWrittenOpensNoWindow() {
    analysedMethod = Meyerhof;
    QVERIFY(QDir().mkdir(QStringLiteral("rel.txt"))); // a folder in the way
    QCOMPARE(ReportCommand(m_client), nullptr);
    QVERIFY(QDir().rmdir(QStringLiteral("rel.txt")));
    QCOMPARE(m_client->subWindowList().size(), 0);
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, QStringLiteral("Errore nell'apertura del file !!"));
}

void WorkflowTest::reportBeforeAnyAnalysisWritesNothing() {
    QVERIFY(writeReportFile("rel.txt", "an older report\n"));
    // A failed run is no analysis either: Hansen's iq turns negative.
    geometryData.N = 10000;
    geometryData.T = 25000;
    soilData.delta = 70;
    DialogScript script;
    script.then(DialogScript::press(303)).then(DialogScript::press(IDOK));
    QVERIFY(run(script, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(ReportCommand(m_client), nullptr);
    QCOMPARE(m_client->subWindowList().size(), 0);
    QCOMPARE(m_boxes->boxes.size(), 2);
    QCOMPARE(m_boxes->boxes[0].text, QStringLiteral("Errore"));
    QCOMPARE(m_boxes->boxes[1].text, QStringLiteral("Eseguire prima l'analisi"));
    QCOMPARE(m_boxes->boxes[1].icon, QMessageBox::NoIcon);
    QCOMPARE(readFilePrefix("rel.txt", 4096), std::optional<std::string>("an older report\n"));
}

// A method chosen after the analysis (Annulla here; the verification
// dialogs write the same setting) does not rename its numbers.
void WorkflowTest::resultsAndReportNameTheAnalysedMethod() {
    QString shown;
    DialogScript analysis;
    analysis.then(DialogScript::press(303))
        .then(DialogScript::press(IDOK))
        .then([&](TDialog& results) {
            auto* method = results.findChild<QLabel*>(QStringLiteral("method"));
            QVERIFY(method != nullptr);
            shown = method->text();
            auto* ok = results.ChildWithId(IDOK);
            QVERIFY(!method->geometry().intersects(ok->geometry()));
            QVERIFY(method->fontMetrics().horizontalAdvance(shown) <= method->width());
        })
        .then(DialogScript::press(IDOK));
    QVERIFY(run(analysis, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(shown, QStringLiteral("Metodo di Hansen"));

    DialogScript cancelled;
    cancelled.then(DialogScript::press(304)).then(DialogScript::press(IDCANCEL));
    QVERIFY(run(cancelled, [&] { AnalysisCommand(&m_window); }));
    QCOMPARE(analysisSettings.method, static_cast<int>(Hansen));
    analysisSettings.method = Vesic;
    QVERIFY(ReportCommand(m_client) != nullptr);
    const auto bytes = readFilePrefix("rel.txt", 1 << 16);
    QVERIFY(bytes);
    QVERIFY(bytes->find("Metodo di Hansen\n") != std::string::npos);
    QVERIFY(bytes->find("Vesic") == std::string::npos);
}

void WorkflowTest::typicalRoad() {
    DialogScript geometry;
    geometry.then(DialogScript::type(101, "2"))
        .then(DialogScript::type(102, "3"))
        .then(DialogScript::type(103, "1.5"))
        .then(DialogScript::type(104, "5"))
        .then(DialogScript::type(106, "0.2"))
        .then(DialogScript::type(108, "50000"))
        .then(DialogScript::type(109, "5000"))
        .then(DialogScript::press(IDOK));
    QVERIFY(run(geometry, [&] { GeometryCommand(&m_window); }));

    DialogScript soil;
    soil.then(DialogScript::type(201, "1900"))
        .then(DialogScript::type(202, "28"))
        .then(DialogScript::type(204, "0.1"))
        .then(DialogScript::type(205, "0.05"))
        .then(DialogScript::press(IDOK));
    QVERIFY(run(soil, [&] { SoilCommand(&m_window); }));

    QList<Row> rows;
    DialogScript analysis;
    analysis.then(DialogScript::press(303))
        .then(DialogScript::type(305, "2.5"))
        .then(DialogScript::press(IDOK))
        .then([&](TDialog& dialog) { rows = rowsOf(dialog); })
        .then(DialogScript::press(IDOK));
    QVERIFY(run(analysis, [&] { AnalysisCommand(&m_window); }));
    QVERIFY(m_boxes->boxes.isEmpty());
    QCOMPARE(rows.size(), 10);
    QCOMPARE(rows[0].text, QStringLiteral("Capacit\u00E0 portante    356293 Kg"));

    QMdiSubWindow* window = ReportCommand(m_client);
    QVERIFY(window != nullptr);
    const auto bytes = readFilePrefix("rel.txt", 1 << 16);
    QVERIFY(bytes);
    QCOMPARE(QByteArray::fromStdString(*bytes), QByteArray(kTypicalReport));
    const QString shown = qobject_cast<QPlainTextEdit*>(window->widget())->toPlainText();
    QCOMPARE(shown, QString::fromLatin1(kTypicalReport)); // Latin-1 and 1252 agree on these
    // the results dialog showed the report's rows
    for (const Row& row : rows)
        QVERIFY2(shown.contains(row.text), qPrintable(row.text));
}

ZOLT_GUI_TEST_MAIN(WorkflowTest)

#include "workflow_test.moc"
