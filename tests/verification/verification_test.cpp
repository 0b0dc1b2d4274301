// The "Verifica SLU" and "Dimensionamento" commands on real widgets: the
// dialogs driven by clicks and keys, the verification window read back cell
// by cell, the pre-check refusals in their message box.
#include "dialogscript.h"
#include "guitest.h"

#include "controls/controlmessages.h"
#include "model/number_text.h"
#include "model/project.h"
#include "model/project_file.h"
#include "profile/ground_dialog.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/sizing_dialog.h"
#include "verification/verification_table.h"
#include "verification/verificationcommands.h"
#include "workflow/commands.h"
#include "workflow/input_changes.h"
#include "workflow/result_rows.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextBrowser>

#include <cstdio>

using namespace zolt;

namespace {

constexpr int kDa1Button = 1112;
constexpr int kDa2Button = 1113;
constexpr int kDa3Button = 1114;
constexpr int kMeyerhofButton = 1116;

const QString kNoFriction = QStringLiteral("Angolo di attrito e coesione entrambi nulli\n");
const QString kNoGrip =
    QStringLiteral("Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n");

const design::Approach* approach(const char* id) {
    return design::findApproach(id);
}

// The item in `column` of the `occurrence`-th row labelled `label`.
QTableWidgetItem* itemOf(const QTableWidget& table, const QString& label, int column = 1,
                         int occurrence = 0) {
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0)->text() == label && occurrence-- == 0)
            return table.item(row, column);
    }
    return nullptr;
}

QString cell(const QTableWidget& table, const QString& label, int column = 1, int occurrence = 0) {
    const QTableWidgetItem* item = itemOf(table, label, column, occurrence);
    return item != nullptr ? item->text() : QStringLiteral("<none>");
}

DialogScript::Step expectChecked(int id) {
    return [id](TDialog& dialog) {
        const auto* button = qobject_cast<const QAbstractButton*>(dialog.ChildWithId(id));
        QVERIFY2(button != nullptr && button->isChecked(), qPrintable(QString::number(id)));
    };
}

template <class T> T* child(const QWidget& parent, const QString& name) {
    return parent.findChild<T*>(name);
}

void clickRadio(QAbstractButton* button) {
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void typeInto(QDoubleSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// A footing that verifies with every approach: 2 x 3 m at 1 m depth in sand.
void typicalFooting() {
    geometryData = {.B = 2, .L = 3, .D = 1, .N = 50000, .T = 5000};
    soilData = {.gamma = 1800, .phi = 30, .delta = 20};
}

// The three-layer example with its water table, as File → Apri progetto
// reads it; false (with the reason) when it cannot be read.
bool openThreeLayers() {
    std::string error;
    if (!ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error)) {
        qWarning("%s", error.c_str());
        return false;
    }
    SetChosenApproach(&ProjectApproach());
    return true;
}

// The window program's "Stratigrafia e falda" with the water table typed
// in, then OK or Annulla.
void typeWaterTable(const QString& depth, bool ok) {
    whenIdle([depth, ok] {
        auto* dialog = qobject_cast<GroundDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        auto* noWater = dialog->findChild<QCheckBox*>(QStringLiteral("noWater"));
        if (noWater->isChecked())
            noWater->click();
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("waterTable"));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, depth);
        dialog->findChild<QPushButton*>(ok ? QStringLiteral("ok") : QStringLiteral("cancel"))
            ->click();
    });
    QCOMPARE(GroundCommand(nullptr), ok);
}

} // namespace

class VerificationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dialogChoicesByMouseAndKeysGiveTheWindow();
    void choicesAreKeptForTheRun();
    void dialogStartsFromAndWritesTheProjectsApproach();
    void refusalsShowThePreCheckTexts_data();
    void refusalsShowThePreCheckTexts();
    void outcomes_data();
    void outcomes();
    void notesFitTheWindow();

    void sizingRules_data();
    void sizingRules();
    void sizingFindsNoWidth();
    void applyWritesTheSizeAsTheGeometryDialogShowsIt();

    void helpPageAndToolBarIcon();

    void staleWindowOffersToRefresh_data();
    void staleWindowOffersToRefresh();
    void sizingDialogKeepsOneSize();
    void tableCopiesWithAHeaderRow();
    void tableFollowsTheWindowAndNamesItsInputs();
    void windowOpensWithinASmallClientArea();

    void groundWindowShowsEveryCondition_data();
    void groundWindowShowsEveryCondition();
    void groundSizingVerifiesEveryCondition();

private:
    // Runs the verification command with `script`; the window it opened.
    QMdiSubWindow* verify(DialogScript& script);
    // The table of the verification window with approach `id`.
    QTableWidget* windowTable(const char* id);
    // Runs the sizing command, calls `steps` on its dialog, then closes it.
    void size(const std::function<void(SizingDialog&)>& steps);

    QMainWindow m_window;
    TMDIClient* m_client = nullptr;
    TStatusBar* m_status = nullptr;
    BoxCloser* m_boxes = nullptr;
};

void VerificationTest::initTestCase() {
    m_client = setUpMainWindow(m_window, QSize(1000, 800));
    m_status = new TStatusBar;
    m_window.setStatusBar(m_status);
    QVERIFY(showActive(m_window));
}

void VerificationTest::init() {
    typicalFooting();
    analysisSettings = AnalysisSettings{};
    designData = {};
    SetChosenApproach(nullptr);
    m_boxes = new BoxCloser;
}

void VerificationTest::cleanup() {
    delete m_boxes;
    m_client->closeAllSubWindows();
}

QMdiSubWindow* VerificationTest::verify(DialogScript& script) {
    const qsizetype before = m_client->subWindowList().size();
    VerificationCommand(&m_window, m_client);
    const QList<QMdiSubWindow*> windows = m_client->subWindowList();
    return script.finished() && windows.size() > before ? windows.last() : nullptr;
}

QTableWidget* VerificationTest::windowTable(const char* id) {
    SetChosenApproach(approach(id));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    return window != nullptr ? window->widget()->findChild<QTableWidget*>() : nullptr;
}

void VerificationTest::size(const std::function<void(SizingDialog&)>& steps) {
    bool ran = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<SizingDialog*>(QApplication::activeModalWidget());
        if (ran || dialog == nullptr || QApplication::activeWindow() != dialog)
            return;
        ran = true;
        QTimer::singleShot(0, dialog, [&steps, dialog] {
            steps(*dialog);
            child<QPushButton>(*dialog, "close")->click();
        });
    });
    poll.start(5);
    SizingCommand(&m_window, m_client);
    QVERIFY(ran);
}

void VerificationTest::dialogChoicesByMouseAndKeysGiveTheWindow() {
    geometryData.N = 10000;
    geometryData.T = 2000;
    DialogScript script;
    script.then(DialogScript::expectCaption(QStringLiteral("Verifica SLU")))
        .then(DialogScript::expectText(kDa3Button, QStringLiteral("EC7 – DA&3 (A1+M2+R3)")))
        .then(expectChecked(1111)) // NTC 2018 while none was chosen
        .then(expectChecked(kMeyerhofButton))
        .then(DialogScript::press(kDa3Button))
        .then([](TDialog& dialog) {
            // Down on the checked method moves the check to Hansen.
            QWidget* meyerhof = dialog.ChildWithId(kMeyerhofButton);
            meyerhof->setFocus();
            QTest::keyClick(meyerhof, Qt::Key_Down);
        })
        .then(expectChecked(kMeyerhofButton + 1))
        .then([](TDialog& dialog) { // Enter on a method: "Verifica"
            QTest::keyClick(dialog.ChildWithId(kMeyerhofButton + 1), Qt::Key_Return);
        });
    QMdiSubWindow* window = verify(script);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Verifica – EC7 – DA3 (A1+M2+R3)"));
    QCOMPARE(analysisSettings.method, std::int32_t{Hansen});
    QCOMPARE(ChosenApproach(), approach("ec7-da3"));

    const auto& table = *window->widget()->findChild<QTableWidget*>();
    QCOMPARE(cell(table, QStringLiteral("Calcolo")), QStringLiteral("Metodo di Hansen"));
    // M2: tan(30°)/1.25 and tan(20°)/1.25; sliding 10000 tan(16.23°) / 1.0.
    QCOMPARE(cell(table, QStringLiteral("φd")), QStringLiteral("24.79°"));
    QCOMPARE(cell(table, QStringLiteral("δd")), QStringLiteral("16.23°"));
    QCOMPARE(cell(table, QStringLiteral("Ed = N"), 2), QStringLiteral("98.07 kN"));
    QCOMPARE(cell(table, QStringLiteral("Rd")), QStringLiteral("2912 Kg"));
    QCOMPARE(cell(table, QStringLiteral("Rd"), 2), QStringLiteral("28.55 kN"));
    QCOMPARE(cell(table, QStringLiteral("Utilizzo Ed/Rd"), 1, 1), QStringLiteral("68.7 %"));
    QCOMPARE(cell(table, QStringLiteral("Esito della verifica")), QStringLiteral("VERIFICATA"));
}

void VerificationTest::choicesAreKeptForTheRun() {
    // A click is a choice even when the dialog is then cancelled.
    DialogScript cancelled;
    cancelled.then(DialogScript::press(kDa2Button)).then(DialogScript::press(IDCANCEL));
    QVERIFY(verify(cancelled) == nullptr);
    QCOMPARE(ChosenApproach(), approach("ec7-da2"));

    // The sizing dialog shares the approach and keeps its own rule.
    size([](SizingDialog& dialog) {
        QVERIFY(child<QRadioButton>(dialog, "ec7-da2")->isChecked());
        clickRadio(child<QRadioButton>(dialog, "ec7-da1"));
        clickRadio(child<QRadioButton>(dialog, "ratioRule"));
    });
    size([](SizingDialog& dialog) {
        QVERIFY(child<QRadioButton>(dialog, "ratioRule")->isChecked());
        QVERIFY(child<QDoubleSpinBox>(dialog, "ratio")->isEnabled());
        QVERIFY(!child<QDoubleSpinBox>(dialog, "length")->isEnabled());
    });
    DialogScript again;
    again.then(expectChecked(kDa1Button)).then(DialogScript::press(IDOK));
    QMdiSubWindow* window = verify(again);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(),
             QStringLiteral("Verifica – EC7 – DA1, Combinazione 1 (A1+M1+R1)"));
}

void VerificationTest::dialogStartsFromAndWritesTheProjectsApproach() {
    designData.approach = "ec7-da2"; // as a project file holds it
    DialogScript script;
    script.then(expectChecked(kDa2Button))
        .then(DialogScript::press(kDa3Button))
        .then(DialogScript::press(IDOK));
    QVERIFY(verify(script) != nullptr);
    QCOMPARE(designData.approach, std::string("ec7-da3"));
    QCOMPARE(ChosenApproach(), approach("ec7-da3"));
}

void VerificationTest::refusalsShowThePreCheckTexts_data() {
    QTest::addColumn<bool>("sizing");
    QTest::addColumn<double>("phi");
    QTest::addColumn<double>("delta");
    QTest::addColumn<QString>("text");
    for (const bool sizing : {false, true}) {
        const char* command = sizing ? "sizing" : "verification";
        QTest::addRow("%s: no friction", command) << sizing << 0.0 << 20.0 << kNoFriction;
        QTest::addRow("%s: no grip", command) << sizing << 30.0 << 0.0 << kNoGrip;
        QTest::addRow("%s: both", command) << sizing << 0.0 << 0.0 << kNoFriction + kNoGrip;
    }
}

void VerificationTest::refusalsShowThePreCheckTexts() {
    QFETCH(bool, sizing);
    QFETCH(double, phi);
    QFETCH(double, delta);
    QFETCH(QString, text);
    // T far beyond the friction: the analysis's sliding pre-check would
    // refuse it, the verification does not.
    geometryData.T = 100000;
    soilData.phi = phi;
    soilData.delta = delta;
    if (sizing) {
        size([](SizingDialog& dialog) {
            child<QPushButton>(dialog, "compute")->click();
            QVERIFY(!dialog.FoundWidth() && !child<QPushButton>(dialog, "apply")->isEnabled());
        });
    } else {
        DialogScript script;
        script.then(DialogScript::press(IDOK));
        QVERIFY(verify(script) == nullptr);
    }
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, text);
}

void VerificationTest::outcomes_data() {
    QTest::addColumn<double>("B");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("T");
    QTest::addColumn<double>("delta");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("bar"); // the bearing's: within 100 %, beyond, none
    QTest::addColumn<bool>("bearing");
    QTest::addColumn<bool>("sliding");
    QTest::newRow("both hold") << 2.0 << 5e4 << 5e3 << 20.0 << int(Meyerhof) << "within" << true
                               << true;
    QTest::newRow("bearing beyond") << 2.0 << 5e6 << 5e3 << 20.0 << int(Meyerhof) << "beyond"
                                    << false << true;
    // The method finds no load; sliding is still checked: 10000 tan(70°) /
    // 1.1 = 24977 Kg < 25000.
    QTest::newRow("engine failure") << 1.0 << 1e4 << 25e3 << 70.0 << int(Hansen) << "none"
                                    << false << false;
}

void VerificationTest::outcomes() {
    QFETCH(double, B);
    QFETCH(double, N);
    QFETCH(double, T);
    QFETCH(double, delta);
    QFETCH(int, method);
    QFETCH(QString, bar);
    QFETCH(bool, bearing);
    QFETCH(bool, sliding);
    geometryData.B = geometryData.L = B;
    geometryData.N = N;
    geometryData.T = T;
    soilData.delta = delta;
    analysisSettings.method = method;
    const QTableWidget* table = windowTable("ntc2018");
    QVERIFY(table != nullptr);

    const QTableWidgetItem* utilisation = itemOf(*table, QStringLiteral("Utilizzo Ed/Rd"));
    const QVariant u = utilisation->data(kUtilisationRole);
    if (bar == QStringLiteral("none")) {
        QCOMPARE(cell(*table, QStringLiteral("Rd = Rk / γR,v")), QStringLiteral("non calcolabile"));
        QCOMPARE(utilisation->text(), QStringLiteral("non calcolabile"));
        QVERIFY(!u.isValid());
        QCOMPARE(cell(*table, QStringLiteral("Rd")), QStringLiteral("24977 Kg"));
    } else {
        QCOMPARE(u.toDouble() > 1.0, bar == QStringLiteral("beyond"));
        QCOMPARE(utilisation->text(), PercentText(u.toDouble()));
    }
    const QTableWidgetItem* outcomes[] = {itemOf(*table, QStringLiteral("Esito")),
                                          itemOf(*table, QStringLiteral("Esito"), 1, 1),
                                          itemOf(*table, QStringLiteral("Esito della verifica"))};
    const bool verified[] = {bearing, sliding, bearing && sliding};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(outcomes[i]->text(), OutcomeText(verified[i]));
        QCOMPARE(outcomes[i]->foreground().color(),
                 verified[i] ? QColor(0x1b, 0x7a, 0x32) : QColor(0xc0, 0x1c, 0x1c));
    }
}

void VerificationTest::notesFitTheWindow() {
    geometryData.ex = 0.67; // past B/3: both notes, the longest rows
    QTableWidget* table = windowTable("ec7-da2");
    QVERIFY(table != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(table));
    QStringList notes;
    for (int row = table->rowCount() - 1; table->item(row, 0)->text() != QStringLiteral("Note"); --row)
        notes.prepend(table->item(row, 0)->text());
    QCOMPARE(notes, QStringList({"Eccentricità: ex/B = 0.335, ey/L = 0.000",
                                 "risultante fuori dal terzo medio",
                                 "eccentricità oltre un terzo della dimensione",
                                 "N e T sono assunti come azioni di progetto (combinazione A1)"}));
    // The window takes the table's size, the table its cells' text.
    QVERIFY(table->viewport()->width() >= table->horizontalHeader()->length());
    QVERIFY(table->viewport()->height() >= table->verticalHeader()->length());
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            if (item == nullptr)
                continue;
            const QFontMetrics metrics(item->font());
            const QRect rect = table->visualItemRect(item);
            QVERIFY2(rect.width() > metrics.horizontalAdvance(item->text()) &&
                         rect.height() >= metrics.height(),
                     qPrintable(item->text()));
        }
    }
}

void VerificationTest::sizingRules_data() {
    QTest::addColumn<QString>("rule"); // names the radio button and the spin box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("ratio"); // L/B; 0 for a fixed length
    QTest::addColumn<double>("length");
    QTest::newRow("square") << "square" << QString() << 1.0 << 0.0;
    QTest::newRow("ratio") << "ratio" << "1.5" << 1.5 << 0.0;
    QTest::newRow("length") << "length" << "4" << 0.0 << 4.0;
}

void VerificationTest::sizingRules() {
    QFETCH(QString, rule);
    QFETCH(QString, typed);
    QFETCH(double, ratio);
    QFETCH(double, length);
    geometryData.N = 120000;
    analysisSettings.method = Vesic;
    double B = 0;
    double L = 0;
    size([&](SizingDialog& dialog) {
        QCOMPARE(child<QLabel>(dialog, "method")->text(),
                 QStringLiteral("Metodo di Vesic, scelto per l'analisi"));
        clickRadio(child<QRadioButton>(dialog, rule + QStringLiteral("Rule")));
        if (!typed.isEmpty())
            typeInto(child<QDoubleSpinBox>(dialog, rule), typed);
        QTest::mouseClick(child<QPushButton>(dialog, "compute"), Qt::LeftButton);
        QVERIFY(dialog.FoundWidth() && dialog.FoundLength());
        B = *dialog.FoundWidth();
        L = *dialog.FoundLength();
        QCOMPARE(child<QLabel>(dialog, "size")->text(), QStringLiteral("B × L = ") + SizeText(B, L));
        const auto* table = child<QTableWidget>(dialog, "verificationTable");
        QVERIFY(table->isVisible() && table->size() == table->sizeHint()); // not squeezed
        QCOMPARE(cell(*table, QStringLiteral("Esito della verifica")), QStringLiteral("VERIFICATA"));
    });
    const auto ruleLength = [&](double width) { return ratio > 0 ? ratio * width : length; };
    // The rule's length up to the next centimetre, never shorter.
    QVERIFY(L >= ruleLength(B) - 1e-9 && L < ruleLength(B) + 0.01);
    // The smallest width: one centimetre less fails under the same rule.
    GeometryData g = geometryData;
    g.B = B;
    g.L = L;
    QVERIFY(design::verify(*approach("ntc2018"), Vesic, g, soilData).verified);
    g.B = B - 0.01;
    g.L = ruleLength(g.B);
    QVERIFY(!design::verify(*approach("ntc2018"), Vesic, g, soilData).verified);
    QCOMPARE(geometryData.B, 2.0); // nothing written without Applica
}

void VerificationTest::sizingFindsNoWidth() {
    geometryData.T = 40000; // beyond N tan(20°) / 1.1 at any width
    size([](SizingDialog& dialog) {
        child<QPushButton>(dialog, "compute")->click();
        const auto* size = child<QLabel>(dialog, "size");
        QCOMPARE(size->text(),
                 QStringLiteral("Nessuna larghezza tra 0.10 e 99.90 m soddisfa la verifica"));
        // The dialog widens for the message at once: nothing cut.
        QVERIFY(size->width() >= QFontMetrics(size->font()).horizontalAdvance(size->text()));
        QVERIFY(child<QTableWidget>(dialog, "verificationTable") == nullptr);
        QVERIFY(!child<QPushButton>(dialog, "apply")->isEnabled());
    });
    QVERIFY(m_boxes->boxes.isEmpty());
}

void VerificationTest::applyWritesTheSizeAsTheGeometryDialogShowsIt() {
    geometryData.N = 120000;
    ControlChangeFlags = 0;
    double B = 0;
    double L = 0;
    size([&](SizingDialog& dialog) {
        clickRadio(child<QRadioButton>(dialog, "ratioRule"));
        auto* ratio = child<QDoubleSpinBox>(dialog, "ratio");
        typeInto(ratio, QStringLiteral("1.3"));
        QTest::keyClick(ratio, Qt::Key_Return); // the default button: Calcola
        QVERIFY(dialog.FoundWidth());
        B = *dialog.FoundWidth();
        L = *dialog.FoundLength();
        QTest::mouseClick(child<QPushButton>(dialog, "apply"), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(dialog, "apply")->isEnabled());
        // Another ratio is another question: the result goes.
        QTest::keyClick(ratio, Qt::Key_Up);
        QVERIFY(child<QTableWidget>(dialog, "verificationTable") == nullptr);
    });
    QCOMPARE(geometryData.B, B);
    QCOMPARE(geometryData.L, L);
    QCOMPARE(ControlChangeFlags, std::int32_t{3}); // as the geometry fields mark it
    // The status bar says what was written.
    QCOMPARE(m_status->GetText(), QStringLiteral("Dimensionamento applicato: B × L = ") +
                                      SizeText(B, L) +
                                      QStringLiteral(" scritti nei dati della geometria"));

    // The geometry dialog shows the size and takes it as it stands (B <= L).
    DialogScript script;
    script.then(DialogScript::expectText(101, QString::fromStdString(formatFixed(B, 2))))
        .then(DialogScript::expectText(102, QString::fromStdString(formatFixed(L, 2))))
        .then(DialogScript::press(IDOK));
    GeometryCommand(&m_window);
    QVERIFY(script.finished());
    QVERIFY(m_boxes->boxes.isEmpty());
    QCOMPARE(geometryData.L, L);
}

void VerificationTest::helpPageAndToolBarIcon() {
    // The help window belongs to the dialog while it runs: read it there.
    QStringList pages;
    QString text;
    const auto readHelp = [&] {
        QTextBrowser* help = HelpWindow();
        QVERIFY(help != nullptr);
        pages.append(help->source().fileName());
        text = help->toPlainText();
        help->window()->close();
    };
    DialogScript script;
    script
        .then([&](TDialog& dialog) {
            DialogScript::press(106)(dialog);
            readHelp();
            dialog.activateWindow();
        })
        .then(DialogScript::press(IDCANCEL));
    QVERIFY(verify(script) == nullptr);
    size([&](SizingDialog& dialog) {
        child<QPushButton>(dialog, "help")->click();
        readHelp();
    });
    QCOMPARE(pages, QStringList({"verifiche.html", "verifiche.html"}));
    for (const char* source : {"6.4.2.1", "Tab. 6.4.I", "A.3", "A.5", "combinazione A1"})
        QVERIFY2(text.contains(QString::fromUtf8(source)), source);
    QVERIFY(!QIcon(QStringLiteral(":/icons/111.svg")).pixmap(24, 24).isNull());
}

void VerificationTest::staleWindowOffersToRefresh_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("stale");
    QTest::newRow("N typed in the geometry dialog") << 0 << true;
    QTest::newRow("method") << 1 << true;
    QTest::newRow("size applied by the sizing dialog") << 2 << true;
    QTest::newRow("safety factor: no input of a verification") << 3 << false;
    QTest::newRow("N typed and typed back") << 4 << false;
    QTest::newRow("water table typed in Stratigrafia e falda") << 5 << true;
    QTest::newRow("Stratigrafia e falda cancelled") << 6 << false;
    QTest::newRow("project opened") << 7 << true;
}

void VerificationTest::staleWindowOffersToRefresh() {
    QFETCH(int, change);
    QFETCH(bool, stale);
    SetChosenApproach(approach("ntc2018"));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    auto* bar = window->findChild<QWidget*>(QStringLiteral("staleBar"));
    QVERIFY(bar != nullptr && !bar->isVisible());
    const auto typeN = [this](const QString& N) {
        DialogScript script;
        script.then(DialogScript::type(108, N)).then(DialogScript::press(IDOK));
        GeometryCommand(&m_window);
        QVERIFY(script.finished());
    };
    switch (change) {
    case 0:
        typeN(QStringLiteral("60000"));
        break;
    case 1:
        analysisSettings.method = Vesic;
        break;
    case 2:
        geometryData.N = 120000;
        size([](SizingDialog& dialog) {
            child<QPushButton>(dialog, "compute")->click();
            child<QPushButton>(dialog, "apply")->click();
            // The window behind learns of it while the dialog is open.
            QVERIFY(QApplication::activeModalWidget() == &dialog);
        });
        break;
    case 3:
        analysisSettings.safetyFactor = 2.0;
        break;
    case 5:
    case 6:
        typeWaterTable(QStringLiteral("0.5"), change == 5);
        break;
    case 7:
        QVERIFY(openThreeLayers());
        break;
    default:
        typeN(QStringLiteral("60000"));
        typeN(QStringLiteral("50000"));
    }
    AnnounceInputChanges(); // as the main window does after every command
    QCOMPARE(bar->isVisible(), stale);
    QCOMPARE(bar->findChild<QLabel*>()->text(), QStringLiteral("I dati sono cambiati dopo il calcolo"));
    // The window grew by the bar: the table keeps every row.
    const auto* shown = window->findChild<QTableWidget*>();
    QVERIFY(shown->height() >= shown->minimumHeight());
    if (!stale)
        return;
    auto* refresh = bar->findChild<QPushButton*>(QStringLiteral("refresh"));
    QCOMPARE(refresh->text(), QStringLiteral("A&ggiorna"));
    QTest::mouseClick(refresh, Qt::LeftButton);
    QVERIFY(!bar->isVisible());
    const auto* table = window->findChild<QTableWidget*>();
    QVERIFY(cell(*table, QStringLiteral("Sforzo normale N")).startsWith(KgText(geometryData.N)));
    QCOMPARE(cell(*table, QStringLiteral("Calcolo")),
             QString::fromUtf8(methodTitle(analysisSettings.method).data()));
    QCOMPARE(cell(*table, QStringLiteral("Fondazione B × L")), SizeText(geometryData.B, geometryData.L));
}

void VerificationTest::sizingDialogKeepsOneSize() {
    geometryData.N = 120000;
    size([](SizingDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* compute = child<QPushButton>(dialog, "compute");
        const QSize size = dialog.size();
        const QPoint place = compute->mapToGlobal(QPoint(0, 0));
        const auto same = [&](const char* step) {
            QCoreApplication::processEvents();
            QVERIFY2(dialog.size() == size && compute->mapToGlobal(QPoint(0, 0)) == place, step);
        };
        compute->click();
        QVERIFY(dialog.FoundWidth());
        same("result shown");
        clickRadio(child<QRadioButton>(dialog, "ratioRule"));
        same("rule changed");
        geometryData.T = 40000; // no width verifies: the longest line
        compute->click();
        same("no width found");
    });
}

void VerificationTest::tableCopiesWithAHeaderRow() {
    QTableWidget* table = windowTable("ntc2018");
    QVERIFY(table != nullptr);
    table->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("Voce\tValore\tValore SI"));
    QCOMPARE(lines.value(1), QStringLiteral("Dati della verifica\t\t"));
    QVERIFY(lines.contains(QStringLiteral("Ed = N\t50000 Kg\t490.33 kN")));
    QCOMPARE(lines.size(), table->rowCount() + 2); // and the last line's end
}

void VerificationTest::tableFollowsTheWindowAndNamesItsInputs() {
    geometryData.D = 1.5;
    QTableWidget* table = windowTable("ec7-da1");
    QVERIFY(table != nullptr);
    QCOMPARE(cell(*table, QStringLiteral("Approccio")),
             QStringLiteral("EC7 – DA1, Combinazione 1 (A1+M1+R1)"));
    QCOMPARE(cell(*table, QStringLiteral("Profondità D")), QStringLiteral("1.50 m"));
    QCOMPARE(cell(*table, QStringLiteral("Sforzo normale N"), 2), QStringLiteral("490.33 kN"));
    QCOMPARE(cell(*table, QStringLiteral("Sforzo tagliante T")), QStringLiteral("5000 Kg"));
    auto* window = m_client->subWindowList().last();
    const int columns = table->horizontalHeader()->length();
    window->resize(window->width() + 200, window->height());
    QTRY_COMPARE(table->horizontalHeader()->length(), table->viewport()->width());
    QVERIFY(table->horizontalHeader()->length() >= columns + 200);
    window->resize(window->width() - 400, window->height()); // no narrower than its text
    QTRY_VERIFY(table->viewport()->width() >= columns);
}

void VerificationTest::windowOpensWithinASmallClientArea() {
    m_window.resize(500, 420);
    QTRY_VERIFY(m_client->viewport()->height() < 400);
    QMdiSubWindow* window = windowTable("ntc2018") != nullptr ? m_client->subWindowList().last() : nullptr;
    QVERIFY(window != nullptr);
    const QRect area = m_client->viewport()->rect();
    // Its first lines whole: the window starts inside the area, at most as
    // wide as it.
    QVERIFY(window->x() >= 0 && window->y() >= 0);
    QVERIFY2(window->geometry().right() <= area.right() || window->x() == 0,
             qPrintable(QStringLiteral("%1 in %2").arg(window->width()).arg(area.width())));
    m_window.resize(1000, 800);
}

void VerificationTest::groundWindowShowsEveryCondition_data() {
    QTest::addColumn<int>("ground"); // 0 the three-layer example, 1 water over the base, 2 N < U
    QTest::addColumn<int>("conditions");
    // label, then the text of each condition's first column.
    QTest::addColumn<QList<QStringList>>("rows");
    // Worked by hand. The example: q' = 1700·1.00 + 1900·0.50 = 2650 Kg/mq;
    // over B = 2.50 m below the base 0.50 m above the water and 2.00 m
    // below, gamma' = (0.50·1900 + 2.00·950)/2.50 = 1140, the total
    // (0.50·1900 + 2.00·1950)/2.50 = 1940 Kg/mc; c = cu = 0.600 Kg/cmq.
    QTest::newRow("three layers with water")
        << 0 << 2
        << QList<QStringList>{{"Modello del terreno", "drenata (tensioni efficaci)",
                               "non drenata (tensioni totali)"},
                              {"q al piano di posa", "2650 Kg/mq", "2650 Kg/mq"},
                              {"γ", "1140.0 Kg/mc", "1940.0 Kg/mc"},
                              {"φ", "24.00°", "0.00°"},
                              {"c", "0.100 Kg/cmq", "0.600 Kg/cmq"},
                              {"δ", "16.00°", "0.00°"},
                              {"ca", "0.050 Kg/cmq", "0.600 Kg/cmq"},
                              {"Sottospinta U", "0 Kg", "0 Kg"},
                              {"Ed = N", "260000 Kg", "260000 Kg"},
                              {"Condizione determinante", "non drenata"},
                              {"Esito della verifica", "NON VERIFICATA"}};
    // Water 0.50 m down, 0.50 m over the base of the 2 × 3 m footing:
    // q' = 1800·0.50 + 1000·0.50 = 1400 Kg/mq, gamma' = 1000 Kg/mc,
    // U = 1000·0.50·2·3 = 3000 Kg, Ed = 50000 − 3000 Kg.
    QTest::newRow("water over the base")
        << 1 << 1
        << QList<QStringList>{
               {"q al piano di posa", "1400 Kg/mq"},
               {"γ", "1000.0 Kg/mc"},
               {"Sottospinta U", "3000 Kg"},
               {"Ed = N − U", "47000 Kg"},
               {"Terreno", "omogeneo (Dati Terreno), falda a 0.50 m dal piano campagna"},
               {"Esito della verifica", "VERIFICATA"}};
    QTest::newRow("water lifting the footing")
        << 2 << 1
        << QList<QStringList>{{"Sottospinta U", "3000 Kg"},
                              {"Rk", "non calcolabile"},
                              {"Condizione drenata: la falda solleva la fondazione: N − U ≤ 0"},
                              {"Esito della verifica", "NON VERIFICATA"}};
}

void VerificationTest::groundWindowShowsEveryCondition() {
    QFETCH(int, ground);
    QFETCH(int, conditions);
    QFETCH(QList<QStringList>, rows);
    if (ground == 0) {
        QVERIFY(openThreeLayers());
    } else {
        designData.ground.waterTable = 0.5;
        geometryData.N = ground == 1 ? 50000 : 2000;
        SetChosenApproach(approach("ntc2018"));
    }
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    const auto& table = *window->widget()->findChild<QTableWidget*>();
    QCOMPARE(table.columnCount(), 1 + 2 * conditions);
    for (const QStringList& row : rows) {
        if (row.size() == 1) { // a note over every column
            QVERIFY2(itemOf(table, row[0], 0) != nullptr, qPrintable(row[0]));
            continue;
        }
        for (int k = 1; k < row.size(); ++k)
            QCOMPARE(cell(table, row[0], 1 + 2 * (k - 1)), row[k]);
    }
    // The rules of each condition beside the table, whole.
    auto* rules = window->widget()->findChild<QLabel*>(QStringLiteral("rules"));
    QVERIFY(rules != nullptr && rules->isVisible());
    QVERIFY(rules->text().contains(QStringLiteral("sottospinta U = γw·(D − zw)·B·L")));
    QCOMPARE(rules->text().contains(QStringLiteral("φ = 0, c = media pesata di cu")),
             conditions == 2);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(rules->height() >= rules->heightForWidth(rules->width()));
    QVERIFY(table.viewport()->height() >= table.verticalHeader()->length());
}

void VerificationTest::groundSizingVerifiesEveryCondition() {
    QVERIFY(openThreeLayers());
    const design::Approach& chosen = ProjectApproach();
    double B = 0;
    size([&](SizingDialog& dialog) {
        QVERIFY(child<QRadioButton>(dialog, "ec7-da1")->isChecked()); // the project's approach
        clickRadio(child<QRadioButton>(dialog, "squareRule"));
        child<QPushButton>(dialog, "compute")->click();
        QVERIFY(dialog.FoundWidth());
        B = *dialog.FoundWidth();
        const auto* table = child<QTableWidget>(dialog, "verificationTable");
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(cell(*table, QStringLiteral("Condizione"), 3),
                 QStringLiteral("non drenata (tensioni totali)"));
        QCOMPARE(cell(*table, QStringLiteral("Esito della condizione"), 3),
                 QStringLiteral("VERIFICATA"));
        QCOMPARE(cell(*table, QStringLiteral("Esito della verifica")),
                 QStringLiteral("VERIFICATA"));
        QVERIFY(table->size() == table->sizeHint()); // not squeezed
    });
    // The smallest width on the grid: both conditions hold at it, one
    // fails a centimetre narrower, the ground evaluated at each width.
    GeometryData g = geometryData;
    g.B = g.L = B;
    const auto at = [&](const GeometryData& footing) {
        return design::verifyOnGround(chosen, analysisSettings.method, footing, soilData,
                                      designData.ground);
    };
    QVERIFY(at(g).verified);
    g.B = g.L = B - 0.01;
    QVERIFY(!at(g).verified);
}

ZOLT_GUI_TEST_MAIN(VerificationTest)

#include "verification_test.moc"
