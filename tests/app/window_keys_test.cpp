// The whole program by keyboard from its main window: the window menu over
// the document windows, the keys of the menu items, F1 in every window, the
// help window beside the window that called it, and the mnemonics of the
// tools' dialogs and windows.
#include "../gui/guitest.h"

#include "app/tpanapp.h"
#include "document/documentcommands.h"
#include "model/project.h"
#include "studies/sweepview.h"
#include "toolkit/tdecoratedmdiframe.h"
#include "toolkit/tdialog.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

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

// Runs `trigger`; `step` gets the first modal window that opens meanwhile,
// which is closed after it unless the step closed it. False when none
// opened.
bool withModal(const std::function<void()>& trigger, const std::function<void(QWidget*)>& step) {
    QObject alive;
    bool ran = false;
    std::function<void()> poll = [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr || !window->isVisible()) {
            QTimer::singleShot(5, &alive, poll);
            return;
        }
        ran = true;
        QPointer<QWidget> guard = window;
        step(window);
        if (auto* dialog = qobject_cast<QDialog*>(guard.data());
            dialog != nullptr && dialog->isVisible())
            dialog->reject();
    };
    QTimer::singleShot(5, &alive, poll);
    trigger();
    return ran;
}

// A modal window waits for the keyboard.
bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Where a key goes: the focused widget, else the active window.
QWidget* keyTarget() {
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

void closeHelp() {
    if (QTextBrowser* help = HelpWindow()) {
        QPointer<QWidget> window = help->window();
        window->close();
        QTRY_VERIFY(window.isNull());
    }
}

// The window menu as its letter opens it: Alt+N, clear of "&File".
QMenu* openWindowMenu() {
    QTest::keyClick(frame(), Qt::Key_N, Qt::AltModifier);
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return menu->title() == QStringLiteral("Fi&nestra") ? menu : nullptr;
    return nullptr;
}

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(frame(), Qt::Key_Escape); // leave the bar's keyboard mode
}

// The window list at the end of the window menu: after the last separator.
QStringList listedWindows(const QMenu* menu, QString* checked) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            texts.clear();
            continue;
        }
        if (action->property("commandId").isValid())
            continue;
        texts.append(action->text());
        if (action->isChecked())
            *checked = action->text();
    }
    return texts;
}

QMdiSubWindow* openChild(const QString& title, QPoint at) {
    auto* edit = new QLineEdit(title);
    edit->setMinimumSize(160, 80);
    return app()->Client->CreateChild(title, edit, at);
}

QString activeTitle() {
    const QMdiSubWindow* active = app()->Client->activeSubWindow();
    return active != nullptr ? active->windowTitle() : QString();
}

// Whether pressing `key` takes the focus to `field`, within `wait` ms (a
// radio button's mnemonic clicks it a moment later).
bool leadsTo(const QKeySequence& key, QWidget* field, int wait) {
    // The focus elsewhere first, but in the same window: a document
    // window's mnemonics work only while the focus is inside it.
    if (QApplication::focusWidget() == field) {
        QWidget* park = field->window();
        for (QWidget* w = field; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
            if (auto* child = qobject_cast<QMdiSubWindow*>(w))
                park = child->widget();
        }
        park->setFocus();
    }
    QTest::keySequence(keyTarget(), key);
    return QTest::qWaitFor([field] { return QApplication::focusWidget() == field; }, wait);
}

struct Mnemonic {
    QKeySequence key;       // empty for none
    bool radioOwn = false; // a radio button's, which leads on to the field
};

// The Alt+letter that reaches a control: a button's own; for a field, that
// of its label, or of a radio button beside it that leads on to it (the
// rule with a value in "Dimensionamento"), pressed to see it arrive.
Mnemonic mnemonicOf(QWidget* control, const QList<QLabel*>& labels) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return {QKeySequence::mnemonic(button->text())};
    for (QLabel* label : labels) {
        QWidget* buddy = label->buddy();
        const QKeySequence key = QKeySequence::mnemonic(label->text());
        if (buddy != nullptr && (buddy == control || buddy->isAncestorOf(control)) &&
            !key.isEmpty() && leadsTo(key, control, 0))
            return {key};
    }
    for (QRadioButton* radio : control->parentWidget()->findChildren<QRadioButton*>()) {
        const QKeySequence key = QKeySequence::mnemonic(radio->text());
        if (!key.isEmpty() && leadsTo(key, control, 300))
            return {key, true};
    }
    return {};
}

// The buttons and fields of `window` a person can reach by keyboard.
QList<QWidget*> controlsOf(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        const bool part = qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr ||
                          qobject_cast<QComboBox*>(w->parentWidget()) != nullptr;
        if (qobject_cast<QAbstractButton*>(w) != nullptr ||
            (qobject_cast<QLineEdit*>(w) != nullptr && !part) ||
            qobject_cast<QAbstractSpinBox*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr)
            controls.append(w);
    }
    return controls;
}

QString nameOf(const QWidget* w) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()),
                                       w->objectName());
}

// Every control of `window` with its own mnemonic, none of them one of the
// menu bar's: the problems found, none when all is well.
QStringList mnemonicProblems(QWidget* window) {
    QList<QKeySequence> bar;
    for (const QAction* menu : frame()->menuBar()->actions())
        bar.append(QKeySequence::mnemonic(menu->text()));
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    QStringList problems;
    QMap<QString, QString> owners; // key text -> control
    const QList<QWidget*> controls = controlsOf(window);
    for (QWidget* control : controls) {
        const Mnemonic mnemonic = mnemonicOf(control, labels);
        if (mnemonic.radioOwn)
            continue; // checked with the radio button
        const QKeySequence& key = mnemonic.key;
        const QString name = nameOf(control);
        if (key.isEmpty()) {
            problems.append(QStringLiteral("no mnemonic: ") + name);
            continue;
        }
        if (bar.contains(key))
            problems.append(QStringLiteral("%1 of the menu bar: %2").arg(key.toString(), name));
        const QString text = key.toString();
        if (owners.contains(text))
            problems.append(QStringLiteral("%1 twice: %2, %3").arg(text, owners.value(text), name));
        owners.insert(text, name);
    }
    return problems;
}

} // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowMenuListsTheOpenWindows();
    void windowCommandsByMenuAndKey_data();
    void windowCommandsByMenuAndKey();
    void toolsItemsAnswerToTheKeysTheyShow_data();
    void toolsItemsAnswerToTheKeysTheyShow();
    void f1OpensThePageOfTheFocusedWindow_data();
    void f1OpensThePageOfTheFocusedWindow();
    void helpStandsBesideTheDialogThatCalledIt_data();
    void helpStandsBesideTheDialogThatCalledIt();
    void toolsWindowsHaveMnemonicsClearOfTheMenuBar_data();
    void toolsWindowsHaveMnemonicsClearOfTheMenuBar();
};

void WindowKeysTest::initTestCase() {
    app()->InitMainWindow();
    QVERIFY(frame() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(frame()));
    QVERIFY(activate(frame()));
}

void WindowKeysTest::init() {
    zolt::geometryData = {};
    zolt::geometryData.B = 2;
    zolt::geometryData.L = 3;
    zolt::geometryData.N = 100000;
    zolt::soilData = {};
    zolt::analysisSettings = {};
    app()->SavedGeometry = zolt::geometryData;
    app()->SavedSoil = zolt::soilData;
    if (!frame()->isActiveWindow())
        QVERIFY(activate(frame()));
}

void WindowKeysTest::cleanup() {
    closeHelp();
    app()->Client->closeAllSubWindows();
    zolt::SetChosenApproach(nullptr);
    zolt::SetReportFileNameFunction({});
}

void WindowKeysTest::windowMenuListsTheOpenWindows() {
    // Without windows: the commands off, no list.
    QMenu* menu = openWindowMenu();
    QVERIFY(menu != nullptr);
    QString checked;
    QCOMPARE(listedWindows(menu, &checked), QStringList());
    QVERIFY(!frame()->CommandAction(CM_CLOSECHILD)->isEnabled());
    closeMenus();

    openChild(QStringLiteral("Uno"), {10, 10});
    QMdiSubWindow* second = openChild(QStringLiteral("Due & tre"), {30, 30});
    openChild(QStringLiteral("Tre"), {50, 50});
    app()->Client->setActiveSubWindow(second);
    for (int opening = 0; opening < 2; ++opening) { // a new list each time
        menu = openWindowMenu();
        QVERIFY(menu != nullptr);
        checked.clear();
        QCOMPARE(listedWindows(menu, &checked), (QStringList{"&1 Uno", "&2 Due && tre", "&3 Tre"}));
        QCOMPARE(checked, QStringLiteral("&2 Due && tre"));
        QVERIFY(frame()->CommandAction(CM_CLOSECHILD)->isEnabled());
        if (opening == 0)
            closeMenus();
    }
    QTest::keyClick(menu, Qt::Key_3);
    QCOMPARE(activeTitle(), QStringLiteral("Tre"));
}

void WindowKeysTest::windowCommandsByMenuAndKey_data() {
    QTest::addColumn<QString>("key"); // a key of the main window, or
    QTest::addColumn<int>("item");    // an item's mnemonic in the window menu
    QTest::addColumn<int>("left");    // windows open after it
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("layout"); // "tiled", "cascaded" or ""
    QTest::newRow("Chiudi, Ctrl+F4") << "Ctrl+F4" << 0 << 2 << "Uno"
                                     << "";
    QTest::newRow("Chiudi") << "" << int(Qt::Key_C) << 2 << "Uno"
                            << "";
    QTest::newRow("Chiudi tutte") << "" << int(Qt::Key_T) << 0 << ""
                                  << "";
    QTest::newRow("Affianca") << "" << int(Qt::Key_A) << 3 << "Tre"
                              << "tiled";
    QTest::newRow("Sovrapponi") << "" << int(Qt::Key_S) << 3 << "Tre"
                                << "cascaded";
    QTest::newRow("Successiva, Ctrl+F6") << "Ctrl+F6" << 0 << 3 << "Uno"
                                         << "";
    QTest::newRow("Successiva") << "" << int(Qt::Key_U) << 3 << "Uno"
                                << "";
    QTest::newRow("Precedente, Ctrl+Shift+F6") << "Ctrl+Shift+F6" << 0 << 3 << "Due"
                                               << "";
    QTest::newRow("Precedente") << "" << int(Qt::Key_P) << 3 << "Due"
                                << "";
}

void WindowKeysTest::windowCommandsByMenuAndKey() {
    QFETCH(QString, key);
    QFETCH(int, item);
    QFETCH(int, left);
    QFETCH(QString, active);
    QFETCH(QString, layout);
    const QStringList titles = {"Uno", "Due", "Tre"};
    for (int i = 0; i < titles.size(); ++i)
        openChild(titles.at(i), QPoint(10 + 20 * i, 10 + 20 * i));
    QTRY_COMPARE(activeTitle(), QStringLiteral("Tre"));
    // The keys work where the user types: in the active window's field.
    app()->Client->activeSubWindow()->widget()->setFocus();
    if (!key.isEmpty()) {
        QTest::keySequence(keyTarget(), QKeySequence(key));
    } else {
        QMenu* menu = openWindowMenu();
        QVERIFY(menu != nullptr);
        QTest::keyClick(menu, Qt::Key(item));
    }
    const QList<QMdiSubWindow*> windows = app()->Client->subWindowList(QMdiArea::CreationOrder);
    QTRY_COMPARE(app()->Client->subWindowList().size(), left);
    QCOMPARE(activeTitle(), active);
    const QRect area = app()->Client->viewport()->rect();
    for (int i = 0; i < windows.size(); ++i) {
        const QRect g = windows.at(i)->geometry();
        if (layout == QStringLiteral("tiled")) {
            QVERIFY(area.contains(g));
            for (int j = i + 1; j < windows.size(); ++j)
                QVERIFY(!g.intersects(windows.at(j)->geometry()));
        } else if (layout == QStringLiteral("cascaded") && i > 0) {
            const QRect before = windows.at(i - 1)->geometry();
            QVERIFY(g.left() > before.left() && g.top() > before.top());
        }
    }
}

void WindowKeysTest::toolsItemsAnswerToTheKeysTheyShow_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("window"); // the title of what it opens
    QTest::newRow("Verifica SLU") << 111 << "Ctrl+Shift+V"
                                  << "Verifica SLU";
    QTest::newRow("Dimensionamento") << 112 << "Ctrl+Shift+D"
                                     << "Dimensionamento";
    QTest::newRow("Confronto metodi") << 113 << "Ctrl+Shift+C"
                                      << "Confronto metodi";
    QTest::newRow("Studio parametrico") << 114 << "Ctrl+Shift+S"
                                        << "Studio parametrico";
    QTest::newRow("Analisi probabilistica") << 115 << "Ctrl+Shift+P"
                                            << "Analisi probabilistica";
    QTest::newRow("Relazione completa") << 116 << "Ctrl+Shift+R"
                                        << "Relazione completa";
    QTest::newRow("Stampa relazione") << 117 << "Ctrl+Shift+T"
                                      << "Stampa relazione";
}

void WindowKeysTest::toolsItemsAnswerToTheKeysTheyShow() {
    QFETCH(int, command);
    QFETCH(QString, key);
    QFETCH(QString, window);
    // The menu shows the item's key.
    QCOMPARE(frame()->CommandAction(command)->shortcut(), QKeySequence(key));
    QString opened;
    zolt::SetReportFileNameFunction([&opened](QWidget*, const QString&) {
        opened = QStringLiteral("Relazione completa");
        return QString();
    });
    const bool modal = withModal([&] { QTest::keySequence(frame(), QKeySequence(key)); },
                                 [&opened](QWidget* w) { opened = w->windowTitle(); });
    if (!modal && opened.isEmpty() && !app()->Client->subWindowList().isEmpty())
        opened = app()->Client->subWindowList().last()->windowTitle();
    QCOMPARE(opened, window);
}

void WindowKeysTest::f1OpensThePageOfTheFocusedWindow_data() {
    QTest::addColumn<int>("command"); // 0: the main window itself
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("section"); // the heading on top of the page shown
    QTest::newRow("Dati geometria") << 108 << "dati.html#geometria"
                                    << "Dati geometria";
    QTest::newRow("Dati Terreno") << 109 << "dati.html#terreno"
                                  << "Dati Terreno";
    QTest::newRow("Metodo di calcolo") << 104 << "metodi.html"
                                       << "";
    QTest::newRow("Verifica SLU") << 111 << "verifiche.html"
                                  << "";
    QTest::newRow("Dimensionamento") << 112 << "verifiche.html#dimensionamento"
                                     << "Dimensionamento";
    QTest::newRow("Studio parametrico") << 114 << "studi.html#parametrico"
                                        << "Studio parametrico";
    QTest::newRow("Analisi probabilistica") << 115 << "studi.html#probabilistica"
                                            << "Analisi probabilistica";
    QTest::newRow("main window") << 0 << "index.html"
                                 << "";
}

void WindowKeysTest::f1OpensThePageOfTheFocusedWindow() {
    QFETCH(int, command);
    QFETCH(QString, page);
    QFETCH(QString, section);
    QString shown;
    const auto pressF1 = [&] {
        QTest::keyClick(keyTarget(), Qt::Key_F1);
        QTextBrowser* help = HelpWindow();
        if (help == nullptr)
            return;
        shown = help->source().fileName();
        if (!help->source().fragment().isEmpty())
            shown += QLatin1Char('#') + help->source().fragment();
    };
    if (command == 0) {
        pressF1();
    } else {
        const bool modal = withModal([command] { frame()->CommandAction(command)->trigger(); },
                                     [&](QWidget* w) {
                                         QVERIFY(activate(w));
                                         pressF1();
                                     });
        if (!modal) { // a document window: the focus in its first field
            QMdiSubWindow* child = app()->Client->subWindowList().last();
            child->widget()->findChild<QLineEdit*>()->setFocus();
            pressF1();
        }
    }
    QCOMPARE(shown, page);
    if (section.isEmpty())
        return;
    // The page scrolls to its section once it is laid out, which a loaded
    // machine may take a while to do.
    QTextBrowser* help = HelpWindow();
    QVERIFY(help != nullptr && QTest::qWaitForWindowExposed(help->window()));
    QTRY_COMPARE(help->cursorForPosition(QPoint(1, 1)).block().text(), section);
}

void WindowKeysTest::helpStandsBesideTheDialogThatCalledIt_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("button"); // its help button's text; empty for F1
    QTest::addColumn<bool>("helpOpen");  // the help window shows already, over the client area
    QTest::newRow("Metodo di calcolo, Aiuto") << 104 << "Aiuto" << false;
    QTest::newRow("Dati geometria, F1") << 108 << "" << true;
    QTest::newRow("Verifica SLU, Aiuto") << 111 << "A&iuto" << true;
    QTest::newRow("Dimensionamento, Aiuto") << 112 << "A&iuto" << false;
}

void WindowKeysTest::helpStandsBesideTheDialogThatCalledIt() {
    QFETCH(int, command);
    QFETCH(QString, button);
    QFETCH(bool, helpOpen);
    if (helpOpen)
        frame()->CommandAction(106)->trigger();
    QRect dialog;
    QRect help;
    const bool modal = withModal([command] { frame()->CommandAction(command)->trigger(); },
                                 [&](QWidget* w) {
                                     QVERIFY(activate(w));
                                     if (button.isEmpty()) {
                                         QTest::keyClick(keyTarget(), Qt::Key_F1);
                                     } else {
                                         for (auto* b : w->findChildren<QAbstractButton*>()) {
                                             if (b->text() == button)
                                                 b->click();
                                         }
                                     }
                                     QVERIFY(HelpWindow() != nullptr);
                                     dialog = w->frameGeometry();
                                     help = HelpWindow()->window()->frameGeometry();
                                 });
    QVERIFY(modal);
    // A dialog that leaves less than the help's least width (200 px) on both
    // sides of the screen gets the help at the roomier edge, over as little
    // of it as that width takes.
    const QRect screen = frame()->screen()->availableGeometry();
    const int room = std::max(dialog.left() - screen.left(), screen.right() - dialog.right());
    if (room < 200) {
        QVERIFY(help.left() == screen.left() || help.right() == screen.right());
        QVERIFY(help.intersected(dialog).width() <= 200 - room);
        return;
    }
    QVERIFY2(!help.intersects(dialog),
             qPrintable(QStringLiteral("help %1,%2 %3x%4 over dialog %5,%6 %7x%8")
                            .arg(help.x())
                            .arg(help.y())
                            .arg(help.width())
                            .arg(help.height())
                            .arg(dialog.x())
                            .arg(dialog.y())
                            .arg(dialog.width())
                            .arg(dialog.height())));
    QVERIFY(frame()->screen()->availableGeometry().contains(help));
}

void WindowKeysTest::toolsWindowsHaveMnemonicsClearOfTheMenuBar_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("accept"); // the command's dialog accepted: its window
    QTest::newRow("Verifica SLU") << 111 << false;
    QTest::newRow("Verifica - window") << 111 << true;
    QTest::newRow("Dimensionamento") << 112 << false;
    QTest::newRow("Confronto metodi") << 113 << false;
    QTest::newRow("Studio parametrico") << 114 << false;
    QTest::newRow("Studio parametrico - window") << 114 << true;
    QTest::newRow("Analisi probabilistica") << 115 << false;
    QTest::newRow("help window") << 106 << false;
}

void WindowKeysTest::toolsWindowsHaveMnemonicsClearOfTheMenuBar() {
    QFETCH(int, command);
    QFETCH(bool, accept);
    QStringList problems;
    const bool modal = withModal([command] { frame()->CommandAction(command)->trigger(); },
                                 [&](QWidget* w) {
                                     QVERIFY(activate(w));
                                     if (accept)
                                         static_cast<QDialog*>(w)->accept();
                                     else
                                         problems = mnemonicProblems(w);
                                 });
    QWidget* window = nullptr;
    if (command == 106) {
        QVERIFY(HelpWindow() != nullptr);
        window = HelpWindow()->window();
        QVERIFY(activate(window));
    } else if (!modal || accept) {
        QVERIFY(!app()->Client->subWindowList().isEmpty());
        QMdiSubWindow* child = app()->Client->subWindowList().last();
        window = child->widget();
        // A study runs on: its buttons as they stay.
        if (auto* sweep = qobject_cast<zolt::studies::SweepView*>(window))
            QTRY_VERIFY(!sweep->isRunning());
        if (!frame()->isActiveWindow())
            QVERIFY(activate(frame()));
        app()->Client->setActiveSubWindow(child);
        QWidget* first = controlsOf(window).value(0);
        (first != nullptr ? first : window)->setFocus();
    }
    if (window != nullptr) {
        problems = mnemonicProblems(window);
        // Alt+A is the menu bar's also where a document window has the focus.
        if (command != 106) {
            QTest::keyClick(keyTarget(), Qt::Key_A, Qt::AltModifier);
            QMenu* analysis = frame()->menuBar()->actions().at(2)->menu();
            QCOMPARE(QApplication::activePopupWidget(), analysis);
            closeMenus();
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "C.UTF-8");
    TestPanApp application(argc, argv);
    WindowKeysTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_keys_test.moc"
