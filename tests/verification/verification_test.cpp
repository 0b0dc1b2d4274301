// The "Verifica SLU" and "Dimensionamento" commands on real widgets: the
// dialogs driven by clicks and keys, the verification window read back cell
// by cell, the pre-check refusals in their message box.
#include "dialogscript.h"
#include "guitest.h"

#include "controls/controlmessages.h"
#include "design/sizing.h"
#include "model/number_text.h"
#include "model/project.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/sizing_dialog.h"
#include "verification/verificationcommands.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextBrowser>

#include <clocale>
#include <cstdio>

using namespace zolt;

namespace {

constexpr int kNtcButton = 1111;
constexpr int kDa2Button = 1113;
constexpr int kDa3Button = 1114;
constexpr int kMeyerhofButton = 1116;
constexpr int kHansenButton = 1117;
constexpr int kHelpButton = 106;

const QString kNoFriction = QStringLiteral("Angolo di attrito e coesione entrambi nulli\n");
const QString kNoGrip =
    QStringLiteral("Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n");

const design::Approach& approach(const char* id) {
    return *design::findApproach(id);
}

// The item in `column` of the `occurrence`-th row labelled `label`.
QTableWidgetItem* itemOf(const QTableWidget& table, const QString& label, int column = 1,
                         int occurrence = 0) {
    for (int row = 0; row < table.rowCount(); ++row) {
        const QTableWidgetItem* first = table.item(row, 0);
        if (first != nullptr && first->text() == label && occurrence-- == 0)
            return table.item(row, column);
    }
    return nullptr;
}

QString cell(const QTableWidget& table, const QString& label, int column = 1, int occurrence = 0) {
    const QTableWidgetItem* item = itemOf(table, label, column, occurrence);
    return item != nullptr ? item->text() : QStringLiteral("<none>");
}

QStringList notesOf(const QTableWidget& table) {
    QStringList notes;
    bool inNotes = false;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString text = table.item(row, 0)->text();
        if (inNotes)
            notes.append(text);
        inNotes = inNotes || text == QStringLiteral("Note");
    }
    return notes;
}

bool isChecked(const TDialog& dialog, int id) {
    const auto* button = qobject_cast<const QAbstractButton*>(dialog.ChildWithId(id));
    return button != nullptr && button->isChecked();
}

DialogScript::Step expectChecked(int id) {
    return [id](TDialog& dialog) { QVERIFY2(isChecked(dialog, id), qPrintable(QString::number(id))); };
}

// A footing that verifies on its own: 2 x 3 m at 1 m depth in sand.
void typicalFooting() {
    geometryData = {.B = 2, .L = 3, .D = 1, .N = 50000, .T = 5000};
    soilData = {.gamma = 1800, .phi = 30, .delta = 20};
}

void clickRadio(QAbstractButton* button) {
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

template <class T> T* child(const QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
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
    void refusalsShowThePreCheckTexts_data();
    void refusalsShowThePreCheckTexts();
    void outcomesAndBars_data();
    void outcomesAndBars();
    void engineFailureLeavesSlidingShown();
    void eccentricityNotes_data();
    void eccentricityNotes();
    void windowFitsItsText();

    void sizingRules_data();
    void sizingRules();
    void sizingFindsNoWidth();
    void applyWritesTheSizeAsTheGeometryDialogShowsIt();

    void helpOfBothDialogsShowsTheVerificationPage();
    void toolBarIconRenders();

private:
    // Runs the verification command with `script`; the window it opened.
    QMdiSubWindow* verify(DialogScript& script);
    // Runs the sizing command, calls `steps` on its dialog, then closes it.
    void size(const std::function<void(SizingDialog&)>& steps);

    QMainWindow m_window;
    TMDIClient* m_client = nullptr;
    BoxCloser* m_boxes = nullptr;
};

void VerificationTest::initTestCase() {
    m_client = new TMDIClient;
    m_window.setCentralWidget(m_client);
    m_window.resize(1000, 800);
    TApplication::Current()->SetMainWindow(&m_window);
    TApplication::Current()->SetClientWindow(m_client);
    QVERIFY(showActive(m_window));
}

void VerificationTest::init() {
    geometryData = GeometryData{};
    soilData = SoilData{};
    analysisSettings = AnalysisSettings{};
    SetChosenApproach(nullptr);
    m_boxes = new BoxCloser;
}

void VerificationTest::cleanup() {
    delete m_boxes;
    m_client->closeAllSubWindows();
    if (QTextBrowser* help = HelpWindow())
        help->window()->close();
}

QMdiSubWindow* VerificationTest::verify(DialogScript& script) {
    const int before = static_cast<int>(m_client->subWindowList().size());
    VerificationCommand(&m_window, m_client);
    if (!script.finished())
        return nullptr;
    const QList<QMdiSubWindow*> windows = m_client->subWindowList();
    return windows.size() > before ? windows.last() : nullptr;
}

void VerificationTest::size(const std::function<void(SizingDialog&)>& steps) {
    bool ran = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<SizingDialog*>(QApplication::activeModalWidget());
        if (ran || dialog == nullptr || QApplication::activeWindow() != dialog)
            return;
        ran = true;
        const QPointer<SizingDialog> guard(dialog);
        QTimer::singleShot(0, this, [&steps, guard] {
            steps(*guard);
            if (guard != nullptr)
                child<QPushButton>(*guard, "close")->click();
        });
    });
    poll.start(5);
    SizingCommand(&m_window, m_client);
    QVERIFY(ran);
}

void VerificationTest::dialogChoicesByMouseAndKeysGiveTheWindow() {
    geometryData = {.B = 2, .L = 3, .D = 1, .N = 10000, .T = 2000};
    soilData = {.gamma = 1800, .phi = 30, .delta = 20};
    DialogScript script;
    script.then(DialogScript::expectCaption(QStringLiteral("Verifica SLU")))
        .then(DialogScript::expectText(kDa3Button, QStringLiteral("EC7 – DA3 (A1+M2+R3)")))
        .then(expectChecked(kNtcButton)) // none chosen yet
        .then(expectChecked(kMeyerhofButton))
        .then(DialogScript::press(kDa3Button))
        .then([](TDialog& dialog) {
            // Down on the checked method moves the check to the next one.
            QWidget* meyerhof = dialog.ChildWithId(kMeyerhofButton);
            meyerhof->setFocus();
            QTest::keyClick(meyerhof, Qt::Key_Down);
        })
        .then(expectChecked(kHansenButton))
        .then(DialogScript::press(IDOK));
    QMdiSubWindow* window = verify(script);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Verifica – EC7 – DA3 (A1+M2+R3)"));
    QCOMPARE(analysisSettings.method, std::int32_t{Hansen});
    QCOMPARE(ChosenApproach(), &approach("ec7-da3"));

    auto* table = qobject_cast<QTableWidget*>(window->widget());
    QVERIFY(table != nullptr);
    QCOMPARE(cell(*table, QStringLiteral("Calcolo")), QStringLiteral("Metodo di Hansen"));
    QCOMPARE(cell(*table, QStringLiteral("Fondazione B × L")), QStringLiteral("2.00 × 3.00 m"));
    // M2: tan(30°)/1.25 and tan(20°)/1.25.
    QCOMPARE(cell(*table, QStringLiteral("φd")), QStringLiteral("24.79°"));
    QCOMPARE(cell(*table, QStringLiteral("δd")), QStringLiteral("16.23°"));
    QCOMPARE(cell(*table, QStringLiteral("γ")), QStringLiteral("1800.0 Kg/mc"));
    QCOMPARE(cell(*table, QStringLiteral("Ed = N")), QStringLiteral("10000 Kg"));
    QCOMPARE(cell(*table, QStringLiteral("Ed = N"), 2), QStringLiteral("98.07 kN"));
    // Sliding with gammaRh 1.0: 10000 tan(16.23°) = 2911.8 Kg.
    QCOMPARE(cell(*table, QStringLiteral("Rd")), QStringLiteral("2912 Kg"));
    QCOMPARE(cell(*table, QStringLiteral("Rd"), 2), QStringLiteral("28.55 kN"));
    QCOMPARE(cell(*table, QStringLiteral("Utilizzo Ed/Rd"), 1, 1), QStringLiteral("68.7 %"));
    QCOMPARE(cell(*table, QStringLiteral("Esito della verifica")), QStringLiteral("VERIFICATA"));
    QCOMPARE(notesOf(*table).last(),
             QStringLiteral("N e T sono assunti come azioni di progetto (combinazione A1)"));
    QVERIFY(m_boxes->boxes.isEmpty());
}

void VerificationTest::choicesAreKeptForTheRun() {
    typicalFooting();
    // A click is a choice even when the dialog is then cancelled.
    DialogScript cancelled;
    cancelled.then(DialogScript::press(kDa2Button)).then(DialogScript::press(IDCANCEL));
    QVERIFY(verify(cancelled) == nullptr);
    QCOMPARE(ChosenApproach(), &approach("ec7-da2"));

    // The sizing dialog shares the approach and keeps its own rule.
    size([](SizingDialog& dialog) {
        QVERIFY(child<QRadioButton>(dialog, "ec7-da2")->isChecked());
        clickRadio(child<QRadioButton>(dialog, "ec7-da1"));
        clickRadio(child<QRadioButton>(dialog, "ratioRule"));
    });
    QCOMPARE(ChosenApproach(), &approach("ec7-da1"));
    size([](SizingDialog& dialog) {
        QVERIFY(child<QRadioButton>(dialog, "ratioRule")->isChecked());
        QVERIFY(child<QDoubleSpinBox>(dialog, "ratio")->isEnabled());
        QVERIFY(!child<QDoubleSpinBox>(dialog, "length")->isEnabled());
    });

    DialogScript again;
    again.then(expectChecked(1112)).then(DialogScript::press(IDOK));
    QMdiSubWindow* window = verify(again);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Verifica – EC7 – DA1, Combinazione 1 (A1+M1+R1)"));
}

void VerificationTest::refusalsShowThePreCheckTexts_data() {
    QTest::addColumn<bool>("sizing");
    QTest::addColumn<double>("phi");
    QTest::addColumn<double>("delta");
    QTest::addColumn<QString>("text");
    // The sliding pre-check gives way to the sliding verification: T far
    // beyond the friction refuses nothing.
    for (const bool sizing : {false, true}) {
        const char* command = sizing ? "sizing: " : "verification: ";
        QTest::addRow("%sno friction, no cohesion", command) << sizing << 0.0 << 20.0 << kNoFriction;
        QTest::addRow("%sno grip", command) << sizing << 30.0 << 0.0 << kNoGrip;
        QTest::addRow("%sboth", command) << sizing << 0.0 << 0.0 << kNoFriction + kNoGrip;
    }
}

void VerificationTest::refusalsShowThePreCheckTexts() {
    QFETCH(bool, sizing);
    QFETCH(double, phi);
    QFETCH(double, delta);
    QFETCH(QString, text);
    typicalFooting();
    geometryData.T = 100000;
    soilData.phi = phi;
    soilData.delta = delta;
    if (sizing) {
        size([](SizingDialog& dialog) {
            child<QPushButton>(dialog, "compute")->click();
            QVERIFY(!dialog.FoundWidth());
            QVERIFY(!child<QPushButton>(dialog, "apply")->isEnabled());
        });
    } else {
        DialogScript script;
        script.then(DialogScript::press(IDOK));
        QVERIFY(verify(script) == nullptr);
        QVERIFY(m_client->subWindowList().isEmpty());
    }
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].text, text);
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::NoIcon);
}

void VerificationTest::outcomesAndBars_data() {
    QTest::addColumn<double>("N");
    QTest::addColumn<bool>("bearingVerified");
    QTest::addColumn<bool>("beyondFull");
    QTest::newRow("light load") << 50000.0 << true << false;
    QTest::newRow("heavy load") << 5000000.0 << false << true;
}

void VerificationTest::outcomesAndBars() {
    QFETCH(double, N);
    QFETCH(bool, bearingVerified);
    QFETCH(bool, beyondFull);
    typicalFooting();
    geometryData.N = N;
    SetChosenApproach(&approach("ntc2018"));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    const auto& table = *qobject_cast<QTableWidget*>(window->widget());

    const QColor green(0x1b, 0x7a, 0x32);
    const QColor red(0xc0, 0x1c, 0x1c);
    const QTableWidgetItem* bearing = itemOf(table, QStringLiteral("Esito"));
    QCOMPARE(bearing->text(), OutcomeText(bearingVerified));
    QCOMPARE(bearing->foreground().color(), bearingVerified ? green : red);
    const QTableWidgetItem* overall = itemOf(table, QStringLiteral("Esito della verifica"));
    QCOMPARE(overall->foreground().color(), bearingVerified ? green : red);
    QVERIFY(overall->font().bold());

    const QTableWidgetItem* bar = itemOf(table, QStringLiteral("Utilizzo Ed/Rd"));
    const QVariant u = bar->data(kUtilisationRole);
    QVERIFY(u.isValid());
    QCOMPARE(u.toDouble() > 1.0, beyondFull);
    QCOMPARE(bar->text(), PercentText(u.toDouble()));
    // Loads in Kg and kN side by side.
    QCOMPARE(cell(table, QStringLiteral("Rd = Rk / γR,v"), 2),
             KilonewtonText(*design::verify(approach("ntc2018"), Meyerhof, geometryData, soilData)
                                 .bearing.Rd));
}

void VerificationTest::engineFailureLeavesSlidingShown() {
    geometryData = {.B = 1, .L = 1, .D = 1, .N = 10000, .T = 25000};
    soilData = {.gamma = 1800, .phi = 30, .delta = 70};
    analysisSettings.method = Hansen;
    SetChosenApproach(&approach("ntc2018"));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    const auto& table = *qobject_cast<QTableWidget*>(window->widget());
    QCOMPARE(cell(table, QStringLiteral("Rk")), QStringLiteral("non calcolabile"));
    QCOMPARE(cell(table, QStringLiteral("Utilizzo Ed/Rd")), QStringLiteral("non calcolabile"));
    QVERIFY(!itemOf(table, QStringLiteral("Utilizzo Ed/Rd"))->data(kUtilisationRole).isValid());
    QCOMPARE(cell(table, QStringLiteral("Esito")), QStringLiteral("NON VERIFICATA"));
    // 10000 tan(70°) / 1.1 = 24977 Kg: the sliding check still stands.
    QCOMPARE(cell(table, QStringLiteral("Rd")), QStringLiteral("24977 Kg"));
    QCOMPARE(cell(table, QStringLiteral("Esito"), 1, 1), QStringLiteral("NON VERIFICATA"));
    QVERIFY(m_boxes->boxes.isEmpty());
}

void VerificationTest::eccentricityNotes_data() {
    QTest::addColumn<double>("ex");
    QTest::addColumn<double>("ey");
    QTest::addColumn<QStringList>("notes");
    const QString ecc = QStringLiteral("Eccentricità: ex/B = %1, ey/L = %2");
    const QString actions =
        QStringLiteral("N e T sono assunti come azioni di progetto (combinazione A1)");
    const QString middle = QStringLiteral("risultante fuori dal terzo medio");
    const QString third = QStringLiteral("eccentricità oltre un terzo della dimensione");
    QTest::newRow("centred") << 0.0 << 0.0 << QStringList{ecc.arg("0.000", "0.000"), actions};
    QTest::newRow("on B/6") << 2.0 / 6 << 0.0
                            << QStringList{ecc.arg("0.167", "0.000"), actions};
    QTest::newRow("past L/6") << 0.0 << 0.51
                              << QStringList{ecc.arg("0.000", "0.170"), middle, actions};
    QTest::newRow("past B/3") << 0.67 << 0.0
                              << QStringList{ecc.arg("0.335", "0.000"), middle, third, actions};
}

void VerificationTest::eccentricityNotes() {
    QFETCH(double, ex);
    QFETCH(double, ey);
    QFETCH(QStringList, notes);
    typicalFooting();
    geometryData.ex = ex;
    geometryData.ey = ey;
    SetChosenApproach(&approach("ec7-da2"));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    QCOMPARE(notesOf(*qobject_cast<QTableWidget*>(window->widget())), notes);
}

void VerificationTest::windowFitsItsText() {
    typicalFooting();
    geometryData.ex = 0.7; // both notes, the longest rows
    SetChosenApproach(&approach("ec7-da1"));
    QMdiSubWindow* window = OpenVerificationWindow(m_client);
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const auto& table = *qobject_cast<QTableWidget*>(window->widget());
    QVERIFY(table.viewport()->width() >= table.horizontalHeader()->length());
    QVERIFY(table.viewport()->height() >= table.verticalHeader()->length());
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            if (item == nullptr)
                continue;
            const QRect rect = table.visualItemRect(item);
            const QFontMetrics metrics(item->font());
            QVERIFY2(rect.width() > metrics.horizontalAdvance(item->text()), qPrintable(item->text()));
            QVERIFY2(rect.height() >= metrics.height(), qPrintable(item->text()));
        }
    }
}

void VerificationTest::sizingRules_data() {
    QTest::addColumn<QString>("ruleButton");
    QTest::addColumn<QString>("spinBox");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("value");
    QTest::newRow("square") << "squareRule" << QString() << QString()
                            << int(design::SizingRuleKind::Square) << 1.0;
    QTest::newRow("ratio") << "ratioRule" << "ratio" << "1.5"
                           << int(design::SizingRuleKind::Ratio) << 1.5;
    QTest::newRow("length") << "lengthRule" << "length" << "4"
                            << int(design::SizingRuleKind::Length) << 4.0;
}

void VerificationTest::sizingRules() {
    QFETCH(QString, ruleButton);
    QFETCH(QString, spinBox);
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(double, value);
    typicalFooting();
    geometryData.N = 120000;
    analysisSettings.method = Vesic;
    double B = 0;
    double L = 0;
    QString sizeShown;
    QString outcome;
    size([&](SizingDialog& dialog) {
        QCOMPARE(child<QLabel>(dialog, "method")->text(), QStringLiteral("Metodo di Vesic, scelto per l'analisi"));
        clickRadio(dialog.findChild<QRadioButton*>(ruleButton));
        if (!spinBox.isEmpty()) {
            auto* box = dialog.findChild<QDoubleSpinBox*>(spinBox);
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, typed);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "compute"), Qt::LeftButton);
        QVERIFY(dialog.FoundWidth() && dialog.FoundLength());
        B = *dialog.FoundWidth();
        L = *dialog.FoundLength();
        sizeShown = child<QLabel>(dialog, "size")->text();
        const auto* table = child<QTableWidget>(dialog, "verificationTable");
        QVERIFY(table != nullptr);
        QVERIFY(table->isVisible() && table->size() == table->sizeHint()); // not squeezed
        outcome = cell(*table, QStringLiteral("Esito della verifica"));
        QVERIFY(child<QPushButton>(dialog, "apply")->isEnabled());
    });
    QCOMPARE(outcome, QStringLiteral("VERIFICATA"));
    const design::SizingRule rule{design::SizingRuleKind(kind), value};
    switch (rule.kind) {
    case design::SizingRuleKind::Square:
        QCOMPARE(L, B);
        break;
    case design::SizingRuleKind::Ratio: // rounded up to the centimetre
        QVERIFY(L >= value * B - 1e-9 && L < value * B + 0.01);
        break;
    case design::SizingRuleKind::Length:
        QCOMPARE(L, value);
        break;
    }
    QCOMPARE(sizeShown, QStringLiteral("B × L = ") + SizeText(B, L));
    // The smallest width: one centimetre less fails under the same rule.
    const design::Approach& ntc = approach("ntc2018");
    GeometryData g = geometryData;
    g.B = B;
    g.L = L;
    QVERIFY(design::verify(ntc, Vesic, g, soilData).verified);
    g.B = B - 0.01;
    g.L = rule.kind == design::SizingRuleKind::Square ? g.B
          : rule.kind == design::SizingRuleKind::Ratio ? value * g.B
                                                        : value;
    QVERIFY(!design::verify(ntc, Vesic, g, soilData).verified);
    QCOMPARE(geometryData.B, 2.0); // nothing written without Applica
}

void VerificationTest::sizingFindsNoWidth() {
    typicalFooting();
    geometryData.T = 40000; // beyond N tan(20°) / 1.1 for any width
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
    typicalFooting();
    geometryData.N = 120000;
    ControlChangeFlags = 0;
    double B = 0;
    double L = 0;
    size([&](SizingDialog& dialog) {
        clickRadio(child<QRadioButton>(dialog, "ratioRule"));
        auto* ratio = child<QDoubleSpinBox>(dialog, "ratio");
        ratio->setFocus();
        ratio->selectAll();
        QTest::keyClicks(ratio, "1.3");
        QTest::keyClick(ratio, Qt::Key_Return); // the default button: Calcola
        QVERIFY(dialog.FoundWidth());
        B = *dialog.FoundWidth();
        L = *dialog.FoundLength();
        QTest::mouseClick(child<QPushButton>(dialog, "apply"), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(dialog, "apply")->isEnabled());
        // A changed rule is a new question: nothing left to apply.
        ratio->setFocus();
        QTest::keyClick(ratio, Qt::Key_Up);
        QVERIFY(child<QTableWidget>(dialog, "verificationTable") == nullptr);
    });
    QCOMPARE(geometryData.B, B);
    QCOMPARE(geometryData.L, L);
    QVERIFY(B <= L);
    QCOMPARE(ControlChangeFlags, std::int32_t{3});

    DialogScript script;
    script.then(DialogScript::expectText(101, QString::fromStdString(formatFixed(B, 2))))
        .then(DialogScript::expectText(102, QString::fromStdString(formatFixed(L, 2))))
        .then(DialogScript::press(IDOK));
    GeometryCommand(&m_window);
    QVERIFY(script.finished());
    QVERIFY(m_boxes->boxes.isEmpty()); // B <= L: accepted as it stands
    QCOMPARE(geometryData.B, B);
    QCOMPARE(geometryData.L, L);
}

void VerificationTest::helpOfBothDialogsShowsTheVerificationPage() {
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
            DialogScript::press(kHelpButton)(dialog);
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
}

void VerificationTest::toolBarIconRenders() {
    const QIcon icon(QStringLiteral(":/icons/111.svg"));
    QVERIFY(!icon.pixmap(24, 24).isNull());
}

#ifdef ZOLT_TEST_LOCALE
// Again under a decimal-comma locale: the window and the dialogs must show
// and read "." whatever the user's locale.
int main(int argc, char** argv) {
    qputenv("LC_ALL", ZOLT_TEST_LOCALE);
    qputenv("LANG", ZOLT_TEST_LOCALE);
    TApplication app(QStringLiteral("Prova ZOLT"), argc, argv);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 5.0);
    if (QString::fromLatin1(probe) != QStringLiteral("5,00")) {
        std::fprintf(stderr, "the locale %s is not active (run scripts/install-deps)\n",
                     ZOLT_TEST_LOCALE);
        return 1;
    }
    VerificationTest test;
    return QTest::qExec(&test, argc, argv);
}
#else
ZOLT_GUI_TEST_MAIN(VerificationTest)
#endif

#include "verification_test.moc"
