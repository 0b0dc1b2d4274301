// The whole program from its main window: the menu, tool bar and status bar
// against the command table, the file commands with their dialogs, help,
// the about box and a typical analysis chosen from the menu.
#include "../gui/guitest.h"

#include "app/tpanapp.h"
#include "document/documentcommands.h"
#include "model/data_file.h"
#include "model/project.h"
#include "model/project_file.h"
#include "toolkit/tcontrolbar.h"
#include "toolkit/tdecoratedmdiframe.h"
#include "toolkit/tdialog.h"
#include "toolkit/tdialogunits.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <limits>

namespace {

class TestPanApp : public TPanApp {
public:
    using TPanApp::InitMainWindow;
    using TPanApp::TPanApp;
};

TestPanApp* app() {
    return static_cast<TestPanApp*>(qApp);
}

TDecoratedMDIFrame* frame() {
    return app()->GetFrame();
}

// Answers the modal windows the program opens, one step per window in the
// order they appear, and records their titles. A window that comes when no
// step is left is recorded and cancelled, so that no test waits for a
// person.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(QList<Step> steps) : m_steps(std::move(steps)) { Schedule(); }
    QStringList titles;
    bool Done() const { return m_steps.isEmpty(); }

private:
    // A new timer each time: a repeating one would not fire again while one
    // of its steps runs a nested modal loop.
    void Schedule() { QTimer::singleShot(5, this, &ModalScript::Poll); }

    void Poll() {
        Schedule();
        QWidget* window = QApplication::activeModalWidget();
        // A step may open a nested modal window (a question of the file
        // dialog, say): that one is the next step's, its own is not.
        if (window == nullptr || !window->isVisible() || m_handling.contains(window))
            return;
        titles.append(window->windowTitle());
        if (m_steps.isEmpty()) {
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
            return;
        }
        const Step step = m_steps.takeFirst();
        m_handling.append(window);
        step(window);
        m_handling.removeOne(window);
    }

    QList<Step> m_steps;
    QList<QWidget*> m_handling;
};

TDialog* asDialog(QWidget* window) {
    auto* dialog = qobject_cast<TDialog*>(window);
    if (dialog == nullptr)
        qWarning("not a template dialog: %s", qPrintable(window->windowTitle()));
    return dialog;
}

void typeInto(QWidget* window, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(asDialog(window)->ChildWithId(id));
    QVERIFY(edit != nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void press(QWidget* window, int id) {
    auto* button = qobject_cast<QAbstractButton*>(asDialog(window)->ChildWithId(id));
    QVERIFY(button != nullptr);
    button->click();
}

// Opens a menu of the bar by its mnemonic and chooses an item by its own.
void chooseFromMenu(Qt::Key menu, Qt::Key item) {
    // The activation comes back to the frame after a dialog closes.
    QTRY_VERIFY(frame()->isActiveWindow());
    QTest::keyClick(frame(), menu, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup != nullptr);
    QTest::keyClick(popup, item);
}

// A step of the real file dialog: the name typed and Return.
ModalScript::Step typeFileName(const QString& name, QString* shownName = nullptr) {
    return [name, shownName](QWidget* window) {
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit != nullptr);
        if (shownName != nullptr)
            *shownName = edit->text();
        // Typed into the focused field, as the dialog follows typing only
        // (and lets go of the file selected before only then).
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, name);
        if (QCompleter* completer = edit->completer(); completer != nullptr)
            completer->popup()->hide();
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

// The inputs as they stand count as saved: Apri and Exit ask nothing.
void markInputsSaved() {
    app()->SavedGeometry = zolt::geometryData;
    app()->SavedSoil = zolt::soilData;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray dataFileOf(const zolt::GeometryData& geometry, const zolt::SoilData& soil) {
    const zolt::DataFileImage image = zolt::encodeDataFile(geometry, soil);
    return QByteArray(reinterpret_cast<const char*>(image.data()), image.size());
}

// A project with a footing, a water table and two layers, B = 2.5 m.
zolt::ProjectDocument layeredProject() {
    zolt::ProjectDocument project;
    project.geometry.B = 2.5;
    project.geometry.L = 3.0;
    project.design.ground.waterTable = 2.0;
    zolt::SoilLayer sand;
    sand.name = "Sabbia";
    sand.phi = 28.0;
    zolt::SoilLayer clay;
    clay.name = "Argilla";
    clay.phi = 24.0;
    clay.cu = 0.6;
    project.design.ground.layers = {sand, clay};
    return project;
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString titleWith(const QString& project) {
    const QString title = QStringLiteral("Orvane Informatica * ZOLT 3.0(32)");
    return project.isEmpty() ? title : title + QStringLiteral(" - ") + project;
}

// The texts of the File menu's items between the data file's and Exit.
QStringList recentItems() {
    auto* menu = qobject_cast<QMenu*>(frame()->CommandAction(103)->parent());
    QStringList texts;
    bool inside = false;
    for (QAction* item : menu->actions()) {
        if (item == frame()->CommandAction(103))
            break;
        if (inside && !item->isSeparator())
            texts.append(item->text());
        if (item == frame()->CommandAction(102))
            inside = true;
    }
    return texts;
}

const QMap<int, QString> kHints = {
    {101, "Apre archivio esistente"},
    {102, "Salva i dati su disco"},
    {103, "Esce dal programma"},
    {104, "Avvia il calcolo"},
    {105, "Genera la relazione di calcolo"},
    {106, "Attiva il sistema di aiuto "},
    {107, "Attiva la tabella Informazioni"},
    {108, "Attiva la tabella per l'input della geometra"},
    {109, "Attiva la tabella per la descrizione del terreno"},
    {110, "Software prodotto e distribuito dalla Orvane Informatica"},
    {111, "Verifica di capacità portante e scorrimento secondo NTC 2018 o Eurocodice 7"},
    {112, "Trova la larghezza minima che soddisfa la verifica"},
    {113, "Confronta i quattro metodi sugli stessi dati"},
    {114, "Mostra come varia la capacità portante al variare di un dato"},
    {115, "Stima la probabilità di rottura con parametri incerti"},
    {116, "Crea la relazione completa in PDF o ODT"},
    {117, "Stampa la relazione completa"},
    {118, "Calcola i cedimenti della fondazione e li verifica (SLE)"},
    {130, "Crea un nuovo progetto con i dati iniziali"},
    {131, "Apre un progetto esistente (.zolt)"},
    {132, "Salva il progetto"},
    {133, "Salva il progetto in un nuovo file"},
    {134, "Attiva la tabella degli strati del terreno e della falda"},
    {135, "Attiva le azioni sulla fondazione e le loro combinazioni"},
    {136, "Attiva i dati sismici del sito e della verifica allo SLV"},
    {141, "Riapre un progetto usato di recente"},
    {901, "Affianca le finestre aperte"},
    {902, "Dispone le finestre aperte a cascata"},
    {903, "Chiude la finestra attiva"},
    {904, "Chiude tutte le finestre"},
    {905, "Passa alla finestra successiva"},
    {906, "Passa alla finestra precedente"},
};

} // namespace

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void mainWindowOpensMaximisedWithTitleIconAndClient();
    void menuBarHoldsTheCommandTable();
    void toolBarHoldsItsButtonsInOrder();
    void statusBarShowsTheHintOfEachHighlightedCommand();
    void fileCommandsShareTheirDialogData();
    void fileFailuresShowTheOpenErrorBox();
    void anInvalidFileNamesItsFault_data();
    void anInvalidFileNamesItsFault();
    void fileCommandsRunTheFileDialogs();
    void fileDialogsSpeakItalianAndShowEveryColumn();
    void helpCommandsShowTheirPages();
    void helpFromADialogOutlivesIt();
    void aboutBoxShowsMakerAndProgramUnclipped();
    void typicalRoadFromTheMenu();
    void unsavedInputsAreNotLostWithoutAWord_data();
    void unsavedInputsAreNotLostWithoutAWord();
    void savedOrOpenedInputsAskNothing();
    void toolsCommandsOpenTheirWindows();
    void resultWindowsLearnOfChangedInputs();
    void projectCommandsSaveAndOpenTheProject();
    void recentProjectsInTheFileMenu();
    void openingAProject_data();
    void openingAProject();
    void saveQuestionCoversTheProject_data();
    void saveQuestionCoversTheProject();
    void groundFromTheDatiMenu();
    void aNewUserBuildsVerifiesAndReportsALayeredProject();
    void exitClosesTheMainWindow();

private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
};

void AppTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    // The report file goes to the current folder.
    QVERIFY(QDir::setCurrent(m_dir.path()));
    app()->InitMainWindow();
    QVERIFY(frame() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(frame()));
    frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame()));
}

void AppTest::init() {
    zolt::geometryData = {};
    zolt::soilData = {};
    zolt::analysisSettings = {};
    app()->SavedGeometry = {};
    app()->SavedSoil = {};
    app()->FileData = TFileData{};
    app()->FileDialog = RunFileDialog;
    zolt::designData = {};
    zolt::SetChosenApproach(nullptr);
    app()->Project.ClearRecent();
    app()->Project.FileData = TProjectFiles().FileData;
    app()->Project.MarkSaved({});
    app()->ShowProject();
    if (!frame()->isActiveWindow()) {
        frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
    }
}

void AppTest::mainWindowOpensMaximisedWithTitleIconAndClient() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Orvane ZOLT 6.0"));
    QCOMPARE(frame()->windowTitle(), QStringLiteral("Orvane Informatica * ZOLT 3.0(32)"));
    QVERIFY(frame()->isMaximized());
    QVERIFY(!frame()->windowIcon().isNull());
    QCOMPARE(app()->GetMainWindow(), frame());
    QVERIFY(app()->Client != nullptr);
    QCOMPARE(frame()->centralWidget(), app()->Client);
    QCOMPARE(app()->GetClientWindow(), app()->Client);
    QVERIFY(app()->FileData.FileName.isEmpty());
    QCOMPARE(app()->FileData.Flags, 0x1006u);
    QCOMPARE(app()->FileData.DefExt, QStringLiteral("dat"));
    QCOMPARE(app()->FileData.NameFilters(), (QStringList{"All Files (*.dat)", "All Files (*)"}));
    QVERIFY(!app()->EvCommand(100));
    QVERIFY(!app()->EvCommand(119));
}

void AppTest::menuBarHoldsTheCommandTable() {
    const QList<std::pair<QString, QList<std::pair<QString, int>>>> table = {
        {"&File",
         {{"&Nuovo progetto", 130},
          {"Apri &progetto...", 131},
          {"Salva p&rogetto", 132},
          {"Salva progetto &con nome...", 133},
          {"", 0},
          {"&Apri", 101},
          {"&Salva", 102},
          {"", 0},
          {"&Exit", 103}}},
        {"&Dati",
         {{"&Geometria", 108},
          {"&Terreno", 109},
          {"&Stratigrafia e falda...", 134},
          {"&Azioni e combinazioni...", 135},
          {"S&isma...", 136}}},
        {"&Analisi", {{"&Analisi", 104}, {"&Relazione", 105}}},
        {"&Strumenti",
         {{"&Verifica SLU...", 111},
          {"&Dimensionamento...", 112},
          {"C&edimenti...", 118},
          {"&Confronto metodi", 113},
          {"&Studio parametrico...", 114},
          {"Analisi &probabilistica...", 115},
          {"&Relazione completa...", 116},
          {"S&tampa relazione...", 117}}},
        {"Fi&nestra",
         {{"&Chiudi", 903},
          {"Chiudi &tutte", 904},
          {"", 0},
          {"&Affianca", 901},
          {"&Sovrapponi", 902},
          {"", 0},
          {"S&uccessiva", 905},
          {"&Precedente", 906}}},
        {"&Help", {{"&Help", 106}, {"&Informazioni", 107}, {"&Prodotti Orvane", 110}}},
    };
    const QList<QAction*> bar = frame()->menuBar()->actions();
    QCOMPARE(bar.size(), table.size());
    for (qsizetype m = 0; m < table.size(); ++m) {
        QCOMPARE(bar.at(m)->text(), table.at(m).first);
        QMenu* menu = bar.at(m)->menu();
        QVERIFY(menu != nullptr);
        const QList<QAction*> items = menu->actions();
        const auto& expected = table.at(m).second;
        QCOMPARE(items.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(items.at(i)->text(), expected.at(i).first);
            if (expected.at(i).second == 0)
                QVERIFY(items.at(i)->isSeparator());
            else
                QCOMPARE(frame()->CommandAction(expected.at(i).second), items.at(i));
        }
    }
}

void AppTest::toolBarHoldsItsButtonsInOrder() {
    TControlBar* bar = frame()->GetControlBar();
    QVERIFY(bar != nullptr);
    QCOMPARE(frame()->toolBarArea(bar), Qt::TopToolBarArea);
    const QList<int> layout = {101, 102, 0, 108, 109, 0, 104, 0, 105, 0, 106, 0, 110, 0, 111};
    QCOMPARE(bar->Layout(), layout);
    QCOMPARE(bar->font().pointSize(), 10);

    // Left to right on screen, as listed, with 12-pixel separators.
    int right = -1;
    int separators = 0;
    for (const int id : layout) {
        QWidget* gadget = nullptr;
        if (id != 0) {
            QToolButton* button = bar->Button(id);
            QVERIFY(button != nullptr);
            QCOMPARE(button->toolTip(), kHints.value(id).trimmed());
            const QIcon icon = button->icon();
            QVERIFY2(!icon.pixmap(16, 16).isNull() && !icon.pixmap(24, 24).isNull(),
                     qPrintable(QString::number(id)));
            gadget = button;
        } else {
            // The separator widgets, in order, are the bar's non-button
            // children that are exactly 12 pixels wide.
            QList<QWidget*> gaps;
            for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QToolButton*>(child) == nullptr && child->isVisible() &&
                    child->width() == 12)
                    gaps.append(child);
            }
            std::sort(gaps.begin(), gaps.end(),
                      [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
            QVERIFY(separators < gaps.size());
            gadget = gaps.at(separators++);
        }
        QVERIFY(gadget->isVisible());
        QVERIFY2(gadget->geometry().left() > right, qPrintable(QString::number(id)));
        right = gadget->geometry().right();
    }
    QCOMPARE(separators, 6);
    QVERIFY(bar->Button(103) == nullptr && bar->Button(107) == nullptr);
    for (const int id : {112, 113, 114, 115, 116, 117, 118})
        QVERIFY(bar->Button(id) == nullptr);
}

void AppTest::statusBarShowsTheHintOfEachHighlightedCommand() {
    TStatusBar* status = frame()->GetStatusBar();
    QVERIFY(status != nullptr);
    const QString idle = QStringLiteral(
        "Orvane Informatica - 35121 Padova - Via dei Geotecnici 17 - Tel. 049 555 0172");
    QCOMPARE(status->GetText(), idle);
    QVERIFY(status->ModeIndicatorLabel(TStatusBar::CapsLock) != nullptr);
    QVERIFY(status->ModeIndicatorLabel(TStatusBar::NumLock) != nullptr);

    // Through the menus by keyboard: the first item of each menu is
    // highlighted as it opens, Down goes to the next, Right to the next menu.
    const QList<QList<int>> menus = {{130, 131, 132, 133, 101, 102, 103},
                                     {108, 109, 134, 135, 136},
                                     {104, 105},
                                     {111, 112, 118, 113, 114, 115, 116, 117},
                                     {}, // the window commands, off without windows
                                     {106, 107, 110}};
    QTest::keyClick(frame(), Qt::Key_F, Qt::AltModifier);
    for (qsizetype m = 0; m < menus.size(); ++m) {
        for (qsizetype i = 0; i < menus.at(m).size(); ++i) {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup != nullptr);
            if (i > 0)
                QTest::keyClick(popup, Qt::Key_Down);
            const int id = menus.at(m).at(i);
            QTRY_COMPARE(status->GetText(), kHints.value(id));
            QCOMPARE(status->GetHintId(), id);
        }
        if (m + 1 < menus.size())
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    }
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_COMPARE(status->GetText(), idle);
    if (QApplication::activePopupWidget() == nullptr)
        QTest::keyClick(frame(), Qt::Key_Escape); // leave the bar's keyboard mode

    // The tool bar's buttons as the pointer passes over them.
    TControlBar* bar = frame()->GetControlBar();
    for (const int id : bar->Layout()) {
        if (id == 0)
            continue;
        QTest::mouseMove(bar->Button(id));
        QTRY_COMPARE(status->GetText(), kHints.value(id));
    }
    QTest::mouseMove(app()->Client, QPoint(300, 300));
    QTRY_COMPARE(status->GetText(), idle);
}

void AppTest::fileCommandsShareTheirDialogData() {
    struct Call {
        TFileDialogKind kind;
        TFileData data;
    };
    QList<Call> calls;
    QString answer;
    app()->FileDialog = [&](QWidget* owner, TFileDialogKind kind, TFileData& data) {
        if (owner != frame())
            qWarning("file dialog without the main window as owner");
        calls.append({kind, data});
        if (answer.isEmpty())
            return false;
        data.FileName = answer;
        return true;
    };

    // Saving the start values gives their 112 bytes.
    answer = Path(QStringLiteral("inizio.dat"));
    frame()->CommandAction(102)->trigger();
    QCOMPARE(fileBytes(answer), dataFileOf(zolt::GeometryData{}, zolt::SoilData{}));
    QCOMPARE(fileBytes(answer).size(), 112);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).kind, TFileDialogKind::Save);
    QCOMPARE(calls.at(0).data.Flags, 0x1006u);
    QCOMPARE(calls.at(0).data.Filter,
             QStringLiteral("All Files (*.dat)|*.dat|All Files (*.*)|*.*|"));
    QCOMPARE(calls.at(0).data.DefExt, QStringLiteral("dat"));
    QVERIFY(calls.at(0).data.FileName.isEmpty());

    // Open starts from the name chosen last and brings the values back;
    // the analysis settings are no part of the file.
    zolt::geometryData.B = 7.5;
    zolt::soilData.phi = 12.0;
    zolt::analysisSettings.method = zolt::Vesic;
    markInputsSaved();
    frame()->CommandAction(101)->trigger();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(1).kind, TFileDialogKind::Open);
    QCOMPARE(calls.at(1).data.FileName, answer);
    QCOMPARE(zolt::geometryData.B, 1.0);
    QCOMPARE(zolt::soilData.phi, 30.0);
    QCOMPARE(zolt::analysisSettings.method, zolt::Vesic);

    // A cancelled dialog reads and writes nothing and keeps the name.
    const QString kept = answer;
    zolt::geometryData.B = 7.5;
    markInputsSaved();
    answer.clear();
    frame()->CommandAction(101)->trigger();
    frame()->CommandAction(102)->trigger();
    QCOMPARE(calls.size(), 4);
    QCOMPARE(zolt::geometryData.B, 7.5);
    QCOMPARE(app()->FileData.FileName, kept);
    QCOMPARE(fileBytes(kept), dataFileOf(zolt::GeometryData{}, zolt::SoilData{}));
}

void AppTest::fileFailuresShowTheOpenErrorBox() {
    QString answer;
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = answer;
        return true;
    };
    BoxCloser boxes;
    zolt::geometryData.B = 4.0;
    markInputsSaved();
    answer = Path(QStringLiteral("manca.dat"));
    frame()->CommandAction(101)->trigger();
    answer = Path(QStringLiteral("nessuna/cartella/dati.dat"));
    frame()->CommandAction(102)->trigger();

    QCOMPARE(boxes.boxes.size(), 2);
    for (const BoxCloser::Box& box : boxes.boxes) {
        QCOMPARE(box.text, QStringLiteral("Errore nell'apertura del file !!"));
        QCOMPARE(box.caption, QStringLiteral("Orvane ZOLT 6.0"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttonCount, 1);
        QCOMPARE(box.parent, frame());
    }
    QCOMPARE(zolt::geometryData.B, 4.0);
    QVERIFY(!QFile::exists(answer));
}

void AppTest::anInvalidFileNamesItsFault_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    zolt::GeometryData negative;
    negative.B = -2.0;
    zolt::SoilData nan;
    nan.phi = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("out of range")
        << dataFileOf(negative, {})
        << QString::fromUtf8("Il file non contiene dati validi: B = -2.00 fuori dall'intervallo "
                             "0.10\u201399.90");
    QTest::newRow("not finite") << dataFileOf({}, nan)
                                << QStringLiteral("Il file non contiene dati validi: phi = nan "
                                                  "non \u00e8 un numero finito");
    QTest::newRow("too short") << QByteArray(111, '\0')
                               << QStringLiteral("Il file non contiene dati validi: il file "
                                                 "\u00e8 di 111 byte, non di 112");
}

void AppTest::anInvalidFileNamesItsFault() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString name = Path(QStringLiteral("guasto.dat"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = name;
        return true;
    };
    BoxCloser boxes;
    zolt::geometryData.B = 0.5;
    markInputsSaved();
    frame()->CommandAction(101)->trigger();
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, text);
    QCOMPARE(boxes.boxes[0].caption, QStringLiteral("Orvane ZOLT 6.0"));
    QCOMPARE(zolt::geometryData.B, 0.5);
}

void AppTest::fileCommandsRunTheFileDialogs() {
    // The program's own dialog, answered by typing a name and Return.
    QStringList filters;
    QString shownName;
    QString overwriteText;
    {
        ModalScript script({
            [&](QWidget* window) {
                auto* dialog = qobject_cast<QFileDialog*>(window);
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->parentWidget(), frame());
                filters = dialog->nameFilters();
                typeFileName(QStringLiteral("prova"))(window);
            },
        });
        frame()->CommandAction(102)->trigger();
        QVERIFY(script.Done());
        QCOMPARE(script.titles, QStringList{"Salva"});
    }
    QCOMPARE(filters, (QStringList{"All Files (*.dat)", "All Files (*)"}));
    const QString saved = Path(QStringLiteral("prova.dat")); // the default extension
    QCOMPARE(QFileInfo(app()->FileData.FileName), QFileInfo(saved));
    QCOMPARE(fileBytes(saved).size(), 112);

    // Saving again offers the last name and asks before replacing it.
    zolt::geometryData.L = 6.0;
    {
        ModalScript script(
            {typeFileName(QStringLiteral("prova.dat"), &shownName), [&](QWidget* window) {
                 auto* box = qobject_cast<QMessageBox*>(window);
                 QVERIFY(box != nullptr);
                 overwriteText = box->text();
                 box->button(QMessageBox::Yes)->click();
             }});
        frame()->CommandAction(102)->trigger();
        QVERIFY(script.Done());
    }
    QCOMPARE(shownName, QStringLiteral("prova.dat"));
    QVERIFY2(overwriteText.contains(QStringLiteral("prova.dat")), qPrintable(overwriteText));
    zolt::GeometryData expected;
    expected.L = 6.0;
    QCOMPARE(fileBytes(saved), dataFileOf(expected, zolt::SoilData{}));

    // Open refuses the name of a file that is not there and stays open for
    // another one.
    zolt::geometryData = {};
    markInputsSaved();
    bool refused = false;
    QString missingText;
    {
        ModalScript script({[&](QWidget* window) {
                                typeFileName(QStringLiteral("manca.dat"))(window);
                                refused = window->isVisible();
                                typeFileName(QStringLiteral("prova.dat"))(window);
                            },
                            [&](QWidget* window) {
                                auto* box = qobject_cast<QMessageBox*>(window);
                                QVERIFY(box != nullptr);
                                missingText = box->text();
                                box->accept();
                            }});
        frame()->CommandAction(101)->trigger();
        QVERIFY(script.Done());
        QCOMPARE(script.titles, (QStringList{"Apri", "Apri"}));
    }
    QVERIFY(refused);
    QVERIFY2(missingText.contains(QStringLiteral("manca.dat")), qPrintable(missingText));
    QCOMPARE(zolt::geometryData.L, 6.0);
    QCOMPARE(QFileInfo(app()->FileData.FileName), QFileInfo(saved));
}

void AppTest::fileDialogsSpeakItalianAndShowEveryColumn() {
    // The process runs in the C locale (see main): Qt's own texts and the
    // list's sizes, types and dates are Italian all the same.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("cartella")));
    const QString data = Path(QStringLiteral("colonne.dat"));
    QFile file(data);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(112, 'x')) == 112);
    file.close();
    app()->FileData.FileName = data;
    QStringList headers;
    QStringList folder;
    QStringList dataFile;
    QString cancel;
    ModalScript script({[&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        QVERIFY(dialog != nullptr);
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(list != nullptr && list->isVisible());
        const QAbstractItemModel* model = list->model();
        const auto row = [&](const QString& name) {
            for (int r = 0; r < model->rowCount(list->rootIndex()); ++r) {
                if (model->index(r, 0, list->rootIndex()).data().toString() == name)
                    return r;
            }
            return -1;
        };
        QTRY_VERIFY(row(QStringLiteral("cartella")) >= 0 &&
                    row(QStringLiteral("colonne.dat")) >= 0);
        const auto texts = [&](int r) {
            QStringList result;
            for (int c = 1; c < model->columnCount(list->rootIndex()); ++c)
                result.append(model->index(r, c, list->rootIndex()).data().toString());
            return result;
        };
        for (int c = 0; c < model->columnCount(list->rootIndex()); ++c)
            headers.append(model->headerData(c, Qt::Horizontal).toString());
        folder = texts(row(QStringLiteral("cartella")));
        dataFile = texts(row(QStringLiteral("colonne.dat")));
        // Every column as wide as its header and texts, all of them side by
        // side in the list.
        QHeaderView* header = list->header();
        const QAbstractItemView* view = list;
        const auto everyColumnShows = [&] {
            for (int c = 1; c < header->count(); ++c) {
                if (header->sectionSize(c) <
                    std::max(header->sectionSizeHint(c), view->sizeHintForColumn(c)))
                    return false;
            }
            return header->length() <= list->viewport()->width();
        };
        QTRY_VERIFY(everyColumnShows());
        const auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons != nullptr);
        cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    }});
    frame()->CommandAction(101)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(headers, (QStringList{"Nome", "Dimensione", "Tipo", "Data di modifica"}));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QCOMPARE(folder.mid(0, 2), (QStringList{"", "Cartella"}));
    QCOMPARE(dataFile,
             (QStringList{"112 byte", "File dat",
                          italian.toString(QFileInfo(data).lastModified(), QLocale::ShortFormat)}));
    QCOMPARE(cancel, QStringLiteral("Annulla"));
}

void AppTest::helpCommandsShowTheirPages() {
    frame()->CommandAction(106)->trigger();
    QTextBrowser* help = HelpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY2(help->source().path().endsWith(QStringLiteral("/index.html")),
             qPrintable(help->source().toString()));
    // Over the client area: the menu and the tool bar stay free.
    const QRect client(app()->Client->mapToGlobal(QPoint(0, 0)), app()->Client->size());
    const QRect shown = help->window()->frameGeometry();
    QVERIFY2(client.contains(shown), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                    .arg(shown.x())
                                                    .arg(shown.y())
                                                    .arg(shown.width())
                                                    .arg(shown.height())));
    // The tool bar's button of the products page.
    QTest::mouseClick(frame()->GetControlBar()->Button(110), Qt::LeftButton);
    QCOMPARE(HelpWindow(), help); // the same window, another page
    QVERIFY(help->source().path().endsWith(QStringLiteral("/prodotti.html")));
    QVERIFY(help->toPlainText().contains(QStringLiteral("Tel. 049 555 0172")));
    help->window()->close();
}

void AppTest::helpFromADialogOutlivesIt() {
    QPointer<QTextBrowser> help;
    int scrolled = 0;
    ModalScript script({[&](QWidget* analysis) {
        press(analysis, 106);
        help = HelpWindow();
        QVERIFY(help != nullptr && help->isVisible());
        // Keys reach it through the window system while the dialog runs.
        help->window()->resize(320, 160);
        QTRY_VERIFY(help->verticalScrollBar()->maximum() > 0);
        QTest::keyClick(help->window()->windowHandle(), Qt::Key_PageDown);
        scrolled = help->verticalScrollBar()->value();
        press(analysis, IDCANCEL);
    }});
    chooseFromMenu(Qt::Key_A, Qt::Key_A);
    QVERIFY(script.Done());
    QVERIFY(scrolled > 0);
    // The page stays open, the main window's, and reads its title once.
    QVERIFY(help != nullptr && help->isVisible());
    QWidget* window = help->window();
    QCOMPARE(window->parentWidget(), frame());
    QCOMPARE(window->windowHandle()->transientParent(), frame()->windowHandle());
    QCOMPARE(help->source().fileName(), QStringLiteral("metodi.html"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Guida di Orvane ZOLT 6.0 - Metodi di calcolo"));
    frame()->CommandAction(106)->trigger();
    QCOMPARE(HelpWindow(), help.data());
    QCOMPARE(window->windowTitle(), QStringLiteral("Guida di Orvane ZOLT 6.0"));
    window->close();
}

void AppTest::aboutBoxShowsMakerAndProgramUnclipped() {
    QStringList upper;
    QStringList lower;
    bool fits = true;
    QSize size;
    QSize expectedSize;
    ModalScript script({[&](QWidget* window) {
        TDialog* about = asDialog(window);
        QVERIFY(about != nullptr);
        QCOMPARE(about->GetResId(), 500);
        QCOMPARE(about->parentWidget(), frame());
        const TDialogUnits units = TDialogUnits::FromFont(about->font());
        expectedSize = QSize(units.ToPixelsX(194), units.ToPixelsY(140));
        size = about->size();
        const QList<QGroupBox*> frames = about->findChildren<QGroupBox*>();
        QCOMPARE(frames.size(), 2);
        QGroupBox* top = frames.at(0)->y() < frames.at(1)->y() ? frames.at(0) : frames.at(1);
        QGroupBox* bottom = top == frames.at(0) ? frames.at(1) : frames.at(0);
        QList<QLabel*> labels = about->findChildren<QLabel*>();
        std::sort(labels.begin(), labels.end(),
                  [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        for (QLabel* label : labels) {
            QVERIFY(label->alignment() & Qt::AlignHCenter);
            // Neither cut at the bottom nor wider than its room.
            if (label->heightForWidth(label->width()) > label->height() ||
                label->fontMetrics().horizontalAdvance(label->text().section(u' ', 0, 0)) >
                    label->width())
                fits = false;
            (top->geometry().contains(label->geometry()) ? upper : lower).append(label->text());
            QVERIFY(top->geometry().contains(label->geometry()) ||
                    bottom->geometry().contains(label->geometry()));
        }
        auto* ok = qobject_cast<QAbstractButton*>(about->ChildWithId(1));
        QVERIFY(ok != nullptr && ok->text() == QStringLiteral("OK"));
        QVERIFY(ok->geometry().top() > bottom->geometry().bottom());
        QVERIFY(about->rect().contains(ok->geometry()));
        QTest::keyClick(ok, Qt::Key_Return);
    }});
    frame()->CommandAction(107)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.titles, QStringList{"Informazioni"});
    QCOMPARE(size, expectedSize);
    QCOMPARE(upper, (QStringList{"Orvane Informatica", "Via dei Geotecnici 17 – 35121 Padova",
                                 "Tel. 049 555 0172", "www.orvane.example"}));
    QCOMPARE(lower, (QStringList{"ZOLT 6.0", "Programma per il calcolo della capacità portante "
                                             "di una fondazione superficiale"}));
    QVERIFY(fits);
}

void AppTest::typicalRoadFromTheMenu() {
    QString helpPage;
    ModalScript script({
        [](QWidget* geometry) {
            typeInto(geometry, 101, QStringLiteral("2"));
            typeInto(geometry, 102, QStringLiteral("3"));
            press(geometry, 1);
        },
        [](QWidget* soil) { press(soil, 1); },
        [&](QWidget* analysis) {
            press(analysis, 303); // Hansen
            press(analysis, 106); // the help page of the methods
            if (HelpWindow() != nullptr)
                helpPage = HelpWindow()->source().fileName();
            press(analysis, 1); // "Avvia analisi"
        },
        [](QWidget* results) { press(results, 1); },
    });
    const qsizetype windows = app()->Client->subWindowList().size();
    chooseFromMenu(Qt::Key_D, Qt::Key_G);
    chooseFromMenu(Qt::Key_D, Qt::Key_T);
    chooseFromMenu(Qt::Key_A, Qt::Key_A);
    chooseFromMenu(Qt::Key_A, Qt::Key_R);

    QCOMPARE(script.titles,
             (QStringList{"Dati geometria", "Dati Terreno", "Metodo di calcolo", "Risultati"}));
    QCOMPARE(helpPage, QStringLiteral("metodi.html"));
    QCOMPARE(zolt::geometryData.B, 2.0);
    QCOMPARE(zolt::geometryData.L, 3.0);
    QCOMPARE(zolt::analysisSettings.method, zolt::Hansen);
    QVERIFY(zolt::bearingResult.ultimateLoad > 0.0);

    const QList<QMdiSubWindow*> children = app()->Client->subWindowList();
    QCOMPARE(children.size(), windows + 1);
    QMdiSubWindow* report = children.last();
    QCOMPARE(report->windowTitle(), QStringLiteral("Relazione"));
    auto* text = qobject_cast<QPlainTextEdit*>(report->widget());
    QVERIFY(text != nullptr);
    QVERIFY2(text->toPlainText().startsWith(
                 QStringLiteral("Calcolo capacità portante di una fondazione superficiale")),
             qPrintable(text->toPlainText().left(80)));
    QVERIFY(text->toPlainText().contains(QStringLiteral("Metodo di Hansen")));
    report->close();
}

void AppTest::unsavedInputsAreNotLostWithoutAWord_data() {
    QTest::addColumn<QString>("way");    // exit, close box or open
    QTest::addColumn<QString>("change"); // none, geometry or soil
    QTest::addColumn<QString>("answer"); // the button pressed, none when nothing is asked
    QTest::addColumn<bool>("saveWorks"); // the data file can be written
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<bool>("goesOn"); // the window closes, or the Open dialog comes
    const QStringList none;
    const QStringList save{"Save"};
    const QStringList open{"Open"};
    const QStringList saveThenOpen{"Save", "Open"};
    QTest::newRow("exit, nothing changed") << "exit"
                                           << "none"
                                           << "" << true << none << true;
    QTest::newRow("exit, soil changed, No") << "exit"
                                            << "soil"
                                            << "No" << true << none << true;
    QTest::newRow("exit, Annulla") << "exit"
                                   << "geometry"
                                   << "Annulla" << true << none << false;
    QTest::newRow("exit, Sì") << "exit"
                              << "geometry"
                              << "Sì" << true << save << true;
    QTest::newRow("close box, nothing changed") << "close box"
                                                << "none"
                                                << "" << true << none << true;
    QTest::newRow("close box, Annulla") << "close box"
                                        << "soil"
                                        << "Annulla" << true << none << false;
    QTest::newRow("close box, Sì") << "close box"
                                   << "soil"
                                   << "Sì" << true << save << true;
    QTest::newRow("close box, Sì, the save fails") << "close box"
                                                   << "geometry"
                                                   << "Sì" << false << save << false;
    QTest::newRow("open, nothing changed") << "open"
                                           << "none"
                                           << "" << true << open << true;
    QTest::newRow("open, No") << "open"
                              << "geometry"
                              << "No" << true << open << true;
    QTest::newRow("open, Annulla") << "open"
                                   << "soil"
                                   << "Annulla" << true << none << false;
    QTest::newRow("open, Sì") << "open"
                              << "soil"
                              << "Sì" << true << saveThenOpen << true;
    QTest::newRow("open, Sì, the save fails") << "open"
                                              << "geometry"
                                              << "Sì" << false << save << false;
}

void AppTest::unsavedInputsAreNotLostWithoutAWord() {
    QFETCH(QString, way);
    QFETCH(QString, change);
    QFETCH(QString, answer);
    QFETCH(bool, saveWorks);
    QFETCH(QStringList, dialogs);
    QFETCH(bool, goesOn);
    if (change == "geometry")
        zolt::geometryData.B = 0.5;
    else if (change == "soil")
        zolt::soilData.c = 0.25;
    const QString saved = Path(saveWorks ? QStringLiteral("uscita.dat")
                                         : QStringLiteral("nessuna/cartella/uscita.dat"));
    QFile::remove(saved);
    QStringList calls;
    app()->FileDialog = [&](QWidget*, TFileDialogKind kind, TFileData& data) {
        const bool isSave = kind == TFileDialogKind::Save;
        calls.append(isSave ? QStringLiteral("Save") : QStringLiteral("Open"));
        data.FileName = saved;
        return isSave; // Open is cancelled: only whether it came counts
    };
    QString text;
    QStringList buttons;
    QWidget* owner = nullptr;
    QList<ModalScript::Step> steps;
    if (!answer.isEmpty()) {
        steps.append([&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            QVERIFY(box != nullptr);
            text = box->text();
            owner = box->parentWidget();
            for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                buttons.append(box->button(button)->text());
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == answer)
                    button->click();
            }
        });
    }
    ModalScript script(steps);

    if (way == "exit")
        frame()->CommandAction(103)->trigger();
    else if (way == "close box")
        QVERIFY(frame()->windowHandle()->close() != frame()->isVisible());
    else
        frame()->CommandAction(101)->trigger();
    const bool closed = !frame()->isVisible();
    if (closed) {
        frame()->ShowMaximized();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
    }

    QVERIFY(script.Done());
    // Asked only after a change; a failed save shows its error and stays.
    QCOMPARE(script.titles.size(), (answer.isEmpty() ? 0 : 1) + (saveWorks ? 0 : 1));
    if (!answer.isEmpty()) {
        QCOMPARE(text, QStringLiteral("I dati sono stati modificati. Salvarli?"));
        QCOMPARE(script.titles.first(), QStringLiteral("Orvane ZOLT 6.0"));
        QCOMPARE(owner, frame());
        QCOMPARE(buttons, (QStringList{"Sì", "No", "Annulla"}));
    }
    QCOMPARE(calls, dialogs);
    QCOMPARE(way == "open" ? calls.contains(QStringLiteral("Open")) : closed, goesOn);
    QCOMPARE(QFile::exists(saved), answer == "Sì" && saveWorks);
    if (QFile::exists(saved))
        QCOMPARE(fileBytes(saved), dataFileOf(zolt::geometryData, zolt::soilData));
}

void AppTest::savedOrOpenedInputsAskNothing() {
    QString name = Path(QStringLiteral("salvati.dat"));
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = name;
        return true;
    };
    ModalScript script({}); // any question would be recorded
    zolt::geometryData.B = 0.5;
    frame()->CommandAction(102)->trigger();
    QVERIFY(!app()->DataModified());

    // Another file opened: its values are the ones to compare with.
    zolt::GeometryData other;
    other.L = 4.0;
    const QString otherName = Path(QStringLiteral("altri.dat"));
    QVERIFY(zolt::writeDataFile(otherName.toStdString(), other, zolt::SoilData{}));
    name = otherName;
    frame()->CommandAction(101)->trigger();
    QCOMPARE(zolt::geometryData.L, 4.0);
    QVERIFY(!app()->DataModified());
    zolt::soilData.phi = 31.0;
    QVERIFY(app()->DataModified());
    zolt::soilData.phi = 30.0;
    QVERIFY(!app()->DataModified());
    QVERIFY(script.titles.isEmpty());
}

// Each "Strumenti" item from the menu: the dialog it runs first, closed by
// its default button, then the window or the file it makes.
void AppTest::toolsCommandsOpenTheirWindows() {
    zolt::geometryData.B = 2;
    zolt::geometryData.L = 3;
    zolt::geometryData.N = 100000;
    const QString pdf = Path("completa.pdf");
    zolt::SetReportFileNameFunction([&](QWidget*, const QString&) { return pdf; });
    const auto pressDefault = [] {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
    };
    struct Row {
        int id;
        bool dialog;
        QString title; // of the new window; empty for none
    };
    const Row rows[] = {
        {111, true, QStringLiteral("Verifica – NTC 2018 – Approccio 2 (A1+M1+R3)")},
        {113, false, QStringLiteral("Confronto metodi")},
        {114, true, QStringLiteral("Studio parametrico – ")},
        {115, false, QStringLiteral("Analisi probabilistica")},
        {117, true, QString()},
        {116, false, QString()},
    };
    for (const Row& row : rows) {
        const qsizetype windows = app()->Client->subWindowList().size();
        if (row.dialog)
            pressDefault();
        frame()->CommandAction(row.id)->trigger();
        if (row.title.isEmpty()) {
            QCOMPARE(app()->Client->subWindowList().size(), windows);
            continue;
        }
        QCOMPARE(app()->Client->subWindowList().size(), windows + 1);
        QVERIFY2(app()->Client->subWindowList().last()->windowTitle().startsWith(row.title),
                 qPrintable(app()->Client->subWindowList().last()->windowTitle()));
    }
    QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    zolt::SetReportFileNameFunction({});
    app()->Client->closeAllSubWindows();
    zolt::SetChosenApproach(nullptr);
}

void AppTest::resultWindowsLearnOfChangedInputs() {
    zolt::geometryData.B = 2;
    zolt::geometryData.L = 3;
    zolt::geometryData.N = 100000;
    frame()->CommandAction(113)->trigger(); // Confronto metodi
    QWidget* comparison = app()->Client->subWindowList().last();
    auto* bar = comparison->findChild<QWidget*>(QStringLiteral("staleBar"));
    QVERIFY(bar != nullptr && !bar->isVisible());
    // A soil dialog that changes nothing leaves the window current.
    {
        ModalScript same({[](QWidget* soil) { press(soil, 1); }});
        frame()->CommandAction(109)->trigger();
        QVERIFY(same.Done());
    }
    QVERIFY(!bar->isVisible());
    {
        ModalScript changed({[](QWidget* soil) {
            typeInto(soil, 202, QStringLiteral("35"));
            press(soil, 1);
        }});
        frame()->CommandAction(109)->trigger();
        QVERIFY(changed.Done());
    }
    QCOMPARE(zolt::soilData.phi, 35.0);
    QVERIFY(bar->isVisible());
    app()->Client->closeAllSubWindows();
}

void AppTest::projectCommandsSaveAndOpenTheProject() {
    QStringList calls;
    QString answer;
    app()->FileDialog = [&](QWidget*, TFileDialogKind kind, TFileData& data) {
        const bool open = kind == TFileDialogKind::Open;
        calls.append((open ? data.OpenTitle : data.SaveTitle) + u' ' + data.DefExt);
        data.FileName = answer;
        return true;
    };
    ModalScript script({}); // any question would be recorded
    const zolt::ProjectDocument project = layeredProject();
    zolt::geometryData = project.geometry;
    zolt::designData = project.design;

    // Salva progetto con nome: the file holds the whole project.
    answer = Path(QStringLiteral("primo.zolt"));
    frame()->CommandAction(133)->trigger();
    QCOMPARE(fileBytes(answer), QByteArray::fromStdString(zolt::projectText(project)));
    QCOMPARE(frame()->windowTitle(), titleWith(QStringLiteral("primo.zolt")));
    QVERIFY(!app()->DataModified());

    // Salva progetto: the same file, no dialog.
    zolt::designData.ground.waterTable = 1.0;
    QVERIFY(app()->DataModified());
    frame()->CommandAction(132)->trigger();
    zolt::ProjectDocument saved;
    std::string error;
    QVERIFY(zolt::readProjectFile(answer.toStdString(), saved, error));
    QCOMPARE(saved.design.ground.waterTable, std::optional(1.0));

    // Nuovo progetto: the start values, no project open.
    frame()->CommandAction(130)->trigger();
    QCOMPARE(zolt::designData, zolt::DesignData{});
    QCOMPARE(zolt::geometryData.B, 1.0);
    QCOMPARE(frame()->windowTitle(), titleWith({}));

    // Apri progetto: back as saved.
    frame()->CommandAction(131)->trigger();
    QCOMPARE(zolt::designData, saved.design);
    QCOMPARE(zolt::geometryData.B, 2.5);
    QCOMPARE(frame()->windowTitle(), titleWith(QStringLiteral("primo.zolt")));
    QVERIFY(!app()->DataModified());
    QCOMPARE(calls, (QStringList{"Salva progetto zolt", "Apri progetto zolt"}));
    QVERIFY(script.titles.isEmpty());
}

void AppTest::recentProjectsInTheFileMenu() {
    QString answer;
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = answer;
        return true;
    };
    // Six projects saved, each with its own width: the last five stay,
    // the latest first.
    for (int i = 1; i <= 6; ++i) {
        zolt::geometryData.B = i * 0.5;
        zolt::geometryData.L = 4.0;
        answer = Path(QStringLiteral("p%1.zolt").arg(i));
        frame()->CommandAction(133)->trigger();
    }
    QCOMPARE(recentItems(),
             (QStringList{"&1 p6.zolt", "&2 p5.zolt", "&3 p4.zolt", "&4 p3.zolt", "&5 p2.zolt"}));
    // The third from the menu by its number: p4 opens and goes first, also
    // for the next run of the program.
    chooseFromMenu(Qt::Key_F, Qt::Key_3);
    QCOMPARE(zolt::geometryData.B, 2.0);
    QCOMPARE(frame()->windowTitle(), titleWith(QStringLiteral("p4.zolt")));
    QCOMPARE(recentItems(),
             (QStringList{"&1 p4.zolt", "&2 p6.zolt", "&3 p5.zolt", "&4 p3.zolt", "&5 p2.zolt"}));
    QCOMPARE(TProjectFiles().Recent().first(), Path(QStringLiteral("p4.zolt")));
    // Nothing in between once the list is empty.
    app()->Project.ClearRecent();
    app()->ShowProject();
    QVERIFY(recentItems().isEmpty());
}

void AppTest::openingAProject_data() {
    QTest::addColumn<QString>("way");      // menu, start (the command line), recent
    QTest::addColumn<QString>("name");     // of the file
    QTest::addColumn<QByteArray>("bytes"); // empty: no such file
    QTest::addColumn<QString>("message");  // empty when it opens
    const QByteArray valid = QByteArray::fromStdString(zolt::projectText(layeredProject()));
    QByteArray steep = valid;
    steep.replace("\"phi\": 28.0", "\"phi\": 57.0");
    const QString notOpened = QStringLiteral("Il progetto «%1» non è stato aperto:\n%2");
    QTest::newRow("menu") << "menu"
                          << "buono.zolt" << valid << "";
    QTest::newRow("start") << "start"
                           << "buono.zolt" << valid << "";
    QTest::newRow("recent") << "recent"
                            << "buono.zolt" << valid << "";
    QTest::newRow("menu, no such file")
        << "menu"
        << "manca.zolt" << QByteArray()
        << notOpened.arg("manca.zolt", "impossibile aprire il file");
    QTest::newRow("start, not JSON") << "start"
                                     << "rotto.zolt" << QByteArray("{\"format\": ")
                                     << notOpened.arg("rotto.zolt", "JSON non valido alla riga 1, "
                                                                    "colonna 12");
    QTest::newRow("recent, φ out of range")
        << "recent"
        << "ripido.zolt" << steep
        << notOpened.arg("ripido.zolt", "ground.layers[0].phi: 57 fuori dall'intervallo 0–50");
    QTest::newRow("start, a data file") << "start"
                                        << "dati.dat" << dataFileOf({2.5, 3.0}, {}) << "";
    QTest::newRow("start, no data file")
        << "start"
        << "manca.dat" << QByteArray() << "Errore nell'apertura del file !!";
}

void AppTest::openingAProject() {
    QFETCH(QString, way);
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = Path(name);
    QFile::remove(path);
    if (!bytes.isEmpty())
        QVERIFY(writeText(path, bytes));
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = path;
        return true;
    };
    zolt::designData.info.title = "aperto prima";
    markInputsSaved();
    app()->Project.MarkSaved({});
    const zolt::DesignData before = zolt::designData;
    BoxCloser boxes;
    if (way == "menu") {
        frame()->CommandAction(131)->trigger();
    } else if (way == "start") {
        app()->OpenStartFile(path);
    } else {
        app()->Project.Remember(path);
        app()->ShowProject();
        chooseFromMenu(Qt::Key_F, Qt::Key_1);
    }
    if (message.isEmpty()) {
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(zolt::geometryData.B, 2.5);
        QVERIFY(!app()->DataModified());
        const bool project = name.endsWith(QStringLiteral(".zolt"));
        QCOMPARE(frame()->windowTitle(), titleWith(project ? name : QString()));
        if (project)
            QCOMPARE(zolt::designData, layeredProject().design);
        return;
    }
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes.at(0).text, message);
    QCOMPARE(boxes.boxes.at(0).parent, frame());
    QCOMPARE(zolt::designData, before);
    QCOMPARE(zolt::geometryData.B, 1.0);
    QCOMPARE(frame()->windowTitle(), titleWith({}));
}

void AppTest::saveQuestionCoversTheProject_data() {
    QTest::addColumn<QString>("way");    // new (Nuovo progetto) or exit
    QTest::addColumn<bool>("open");      // a project is open
    QTest::addColumn<QString>("change"); // ground, geometry or method
    QTest::addColumn<QString>("answer"); // empty when nothing is asked
    QTest::addColumn<QString>("dialog"); // the file dialog's extension, if one comes
    QTest::addColumn<QString>("saved");  // project, data or nothing
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("no project, ground, Sì") << "new" << false << "ground"
                                            << "Sì"
                                            << "zolt"
                                            << "project" << true;
    QTest::newRow("no project, geometry, Sì") << "new" << false << "geometry"
                                              << "Sì"
                                              << "dat"
                                              << "data" << true;
    QTest::newRow("no project, method") << "new" << false << "method"
                                        << ""
                                        << ""
                                        << "nothing" << true;
    QTest::newRow("project, method, Sì") << "new" << true << "method"
                                         << "Sì"
                                         << ""
                                         << "project" << true;
    QTest::newRow("project, geometry, Sì") << "new" << true << "geometry"
                                           << "Sì"
                                           << ""
                                           << "project" << true;
    QTest::newRow("project, ground, No") << "new" << true << "ground"
                                         << "No"
                                         << ""
                                         << "nothing" << true;
    QTest::newRow("project, ground, Annulla") << "new" << true << "ground"
                                              << "Annulla"
                                              << ""
                                              << "nothing" << false;
    QTest::newRow("project, ground, exit, Sì") << "exit" << true << "ground"
                                               << "Sì"
                                               << ""
                                               << "project" << true;
}

void AppTest::saveQuestionCoversTheProject() {
    QFETCH(QString, way);
    QFETCH(bool, open);
    QFETCH(QString, change);
    QFETCH(QString, answer);
    QFETCH(QString, dialog);
    QFETCH(QString, saved);
    QFETCH(bool, goesOn);
    const QString project = Path(QStringLiteral("domanda.zolt"));
    const QString data = Path(QStringLiteral("domanda.dat"));
    QFile::remove(project);
    QFile::remove(data);
    QStringList dialogs;
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& fileData) {
        dialogs.append(fileData.DefExt);
        fileData.FileName = fileData.DefExt == "zolt" ? project : data;
        return true;
    };
    if (open) {
        QVERIFY(writeText(project, QByteArray::fromStdString(zolt::projectText({}))));
        QVERIFY(app()->OpenProject(project));
    }
    if (change == "ground")
        zolt::designData.ground.waterTable = 0.5;
    else if (change == "geometry")
        zolt::geometryData.D = 2.0;
    else
        zolt::analysisSettings.method = zolt::Hansen;
    const zolt::ProjectDocument changed = TProjectFiles::Current();
    QString text;
    QList<ModalScript::Step> steps;
    if (!answer.isEmpty()) {
        steps.append([&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            QVERIFY(box != nullptr);
            text = box->text();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == answer)
                    button->click();
            }
        });
    }
    ModalScript script(steps);
    frame()->CommandAction(way == "new" ? 130 : 103)->trigger();
    const bool closed = !frame()->isVisible();
    if (closed) {
        frame()->ShowMaximized();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
    }
    QVERIFY(script.Done());
    QCOMPARE(script.titles.size(), answer.isEmpty() ? 0 : 1);
    if (!answer.isEmpty())
        QCOMPARE(text, QStringLiteral("I dati sono stati modificati. Salvarli?"));
    QCOMPARE(dialogs, dialog.isEmpty() ? QStringList() : QStringList{dialog});
    QCOMPARE(way == "new" ? zolt::designData == zolt::DesignData{} &&
                                zolt::analysisSettings.method == zolt::Meyerhof
                          : closed,
             goesOn);
    if (saved == "project") {
        QCOMPARE(fileBytes(project), QByteArray::fromStdString(zolt::projectText(changed)));
    } else if (saved == "data") {
        QCOMPARE(fileBytes(data), dataFileOf(changed.geometry, changed.soil));
    } else {
        QVERIFY(!QFile::exists(data));
        if (QFile::exists(project))
            QCOMPARE(fileBytes(project), QByteArray::fromStdString(zolt::projectText({})));
    }
}

void AppTest::groundFromTheDatiMenu() {
    zolt::designData.ground.layers = layeredProject().design.ground.layers;
    ModalScript script({[](QWidget* window) {
        auto* table = window->findChild<QTableView*>(QStringLiteral("layers"));
        QVERIFY(table != nullptr);
        QCOMPARE(table->model()->rowCount(), 2);
        table->selectRow(0);
        window->findChild<QPushButton*>(QStringLiteral("remove"))->click();
        window->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    }});
    chooseFromMenu(Qt::Key_D, Qt::Key_S);
    QVERIFY(script.Done());
    QCOMPARE(script.titles, QStringList{"Stratigrafia e falda"});
    QCOMPARE(zolt::designData.ground.layers.size(), std::size_t{1});
    QCOMPARE(zolt::designData.ground.layers[0].name, std::string("Argilla"));
    // A changed ground is a changed project.
    QVERIFY(app()->DataModified());
}

// A new user's road: a new project, the footing, three layers and the
// water table typed into their dialogs, the project saved, a new one, the
// project opened again, verified in both conditions and reported as PDF.
void AppTest::aNewUserBuildsVerifiesAndReportsALayeredProject() {
    const QString project = Path(QStringLiteral("tre-strati.zolt"));
    app()->FileDialog = [&](QWidget*, TFileDialogKind, TFileData& data) {
        data.FileName = project;
        return true;
    };
    // From the surface down: name, thickness, gamma, gammaSat, phi, delta,
    // c, ca, cu, as the table's columns.
    const QList<QStringList> layers = {
        {"Riporto sabbioso", "1", "1700", "1900", "28", "18", "0", "0", "0"},
        {"Argilla limosa", "3.5", "1900", "1950", "24", "16", "0.1", "0.05", "0.6"},
        {"Ghiaia sabbiosa", "10", "1950", "2100", "36", "24", "0", "0", "0"}};
    // A cell edited in place: its editor opened, the text typed, Return.
    const auto typeCell = [](QTableView* table, int row, int column, const QString& text) {
        const QModelIndex index = table->model()->index(row, column);
        table->setCurrentIndex(index);
        table->edit(index);
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(table->viewport()->findChild<QLineEdit*>() == nullptr);
    };
    {
        ModalScript script({
            [](QWidget* geometry) {
                for (const auto& [id, value] : {std::pair{101, "2.5"},
                                                {102, "3"},
                                                {103, "1.5"},
                                                {106, "0.1"},
                                                {108, "260000"},
                                                {109, "15000"}})
                    typeInto(geometry, id, QString::fromLatin1(value));
                press(geometry, 1);
            },
            [&](QWidget* ground) {
                auto* table = ground->findChild<QTableView*>(QStringLiteral("layers"));
                for (int row = 0; row < layers.size(); ++row) {
                    ground->findChild<QPushButton*>(QStringLiteral("add"))->click();
                    for (int column = 0; column < layers[row].size(); ++column)
                        typeCell(table, row, column, layers[row][column]);
                }
                ground->findChild<QAbstractButton*>(QStringLiteral("noWater"))->click();
                auto* water = ground->findChild<QLineEdit*>(QStringLiteral("waterTable"));
                water->setFocus();
                QTest::keyClicks(water, QStringLiteral("2"));
                ground->findChild<QPushButton*>(QStringLiteral("ok"))->click();
            },
        });
        frame()->CommandAction(130)->trigger(); // Nuovo progetto
        chooseFromMenu(Qt::Key_D, Qt::Key_G);
        chooseFromMenu(Qt::Key_D, Qt::Key_S);
        QVERIFY(script.Done());
        QCOMPARE(script.titles, (QStringList{"Dati geometria", "Stratigrafia e falda"}));
    }
    const zolt::GroundData& ground = zolt::designData.ground;
    QCOMPARE(ground.layers.size(), std::size_t{3});
    QCOMPARE(ground.layers[1].name, std::string("Argilla limosa"));
    QCOMPARE(ground.layers[1].cu, 0.6);
    QCOMPARE(ground.waterTable, std::optional(2.0));

    // Saved, a new project, the saved one opened again: as it was built.
    frame()->CommandAction(133)->trigger();
    const zolt::DesignData built = zolt::designData;
    frame()->CommandAction(130)->trigger();
    QCOMPARE(zolt::designData, zolt::DesignData{});
    frame()->CommandAction(131)->trigger();
    QCOMPARE(zolt::designData, built);
    QCOMPARE(zolt::geometryData.N, 260000.0);

    // Verifica SLU with EC7 DA1: both conditions, the values of the
    // three-layer example (worked by hand in the verification's tests).
    {
        ModalScript verify({[](QWidget* dialog) {
            press(dialog, 1112);
            press(dialog, 1); // Verifica
        }});
        frame()->CommandAction(111)->trigger();
        QVERIFY(verify.Done());
    }
    auto* table = app()->Client->subWindowList().last()->findChild<QTableWidget*>();
    QVERIFY(table != nullptr);
    QCOMPARE(table->columnCount(), 5);
    QStringList values;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == QStringLiteral("γ") && values.isEmpty())
            values << table->item(row, 1)->text() << table->item(row, 3)->text();
    QCOMPARE(values, (QStringList{"1140.0 Kg/mc", "1940.0 Kg/mc"}));
    // The approach chosen is the project's: a change to save.
    QCOMPARE(zolt::designData.approach, std::string("ec7-da1"));
    QVERIFY(app()->DataModified());
    frame()->CommandAction(132)->trigger(); // Salva progetto

    const QString pdf = Path(QStringLiteral("tre-strati.pdf"));
    QString suggested;
    zolt::SetReportFileNameFunction([&](QWidget*, const QString& name) {
        suggested = name;
        return pdf;
    });
    frame()->CommandAction(116)->trigger(); // Relazione completa
    zolt::SetReportFileNameFunction({});
    QCOMPARE(suggested, Path(QStringLiteral("tre-strati.pdf"))); // beside the project
    QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString report = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* expected :
             {"tre-strati.zolt – ", "Stratigrafia e falda", "Ghiaia sabbiosa",
              "Condizione non drenata (tensioni totali)", "EC7 – DA1, Combinazione 1"})
            QVERIFY2(report.contains(QString::fromUtf8(expected)), expected);
    }
    app()->Client->closeAllSubWindows();
}

void AppTest::exitClosesTheMainWindow() {
    QVERIFY(frame()->isVisible());
    frame()->CommandAction(103)->trigger();
    QVERIFY(!frame()->isVisible());
}

int main(int argc, char** argv) {
    // The file dialogs are Qt's own on every platform, so that the test can
    // type into them.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // A locale that is not Italian: the program's texts are Italian anyway.
    qputenv("LC_ALL", "C.UTF-8");
    // Qt's settings of its file dialogs (their columns among them) stay
    // with this run.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    TestPanApp application(argc, argv);
    AppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_test.moc"
