// The parts of the main window on their own: menu and string resources,
// the decorated frame's menu and hint tracking, the tool bar and the status
// bar with its lock indicators.
#include "../gui/guitest.h"

#include "toolkit/tcontrolbar.h"
#include "toolkit/tdecoratedmdiframe.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tresourcescript.h"
#include "toolkit/tstatusbar.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QWindow>

using MenuItem = TResourceScript::MenuItem;

class ShellPartsTest : public QObject {
    Q_OBJECT

private slots:
    void scriptReadsMenusAndStrings();
    void scriptRefusesBrokenText_data();
    void scriptRefusesBrokenText();
    void scriptsMergeOnlyWithoutClashes();
    void moduleMergesEveryStringsFile();

    void frameBuildsItsMenuBarFromTheResource();
    void frameReportsHighlightedItemsUntilTheMenusClose();

    void controlBarSendsCommandsAndEnterHints();

    void statusBarShowsHintsByIdAndFallsBackToIdleText();
    void statusBarFollowsTheLockKeysOnce();
};

void ShellPartsTest::scriptReadsMenusAndStrings() {
    QString error;
    const auto script = TResourceScript::Parse(QStringLiteral(R"(// a comment
MENU 7
  POPUP "&File"
    MENUITEM "&Apri", 101
    MENUITEM SEPARATOR
    POPUP "&Recenti"
      MENUITEM "Uno ""a"" && due" 120
      MENUITEM "&Chiudi" 121 "Ctrl+F4"
    END
  END
  MENUITEM "&Esci" 103
END

STRINGTABLE
  101 "Apre archivio esistente"
  106 "Attiva il sistema di aiuto "
END
)"),
                                               &error);
    QVERIFY2(script, qPrintable(error));
    const auto bar = script->Menu(7);
    QVERIFY(bar);
    QCOMPARE(bar->size(), 2);
    const MenuItem& file = bar->at(0);
    QVERIFY(file.popup);
    QCOMPARE(file.text, QStringLiteral("&File"));
    QCOMPARE(file.items.size(), 3);
    QCOMPARE(file.items.at(0).id, 101);
    QVERIFY(file.items.at(1).IsSeparator());
    QVERIFY(file.items.at(2).popup);
    QCOMPARE(file.items.at(2).items.at(0).text, QStringLiteral("Uno \"a\" && due"));
    QCOMPARE(file.items.at(2).items.at(0).id, 120);
    QCOMPARE(file.items.at(2).items.at(0).shortcut, QString());
    QCOMPARE(file.items.at(2).items.at(1).shortcut, QStringLiteral("Ctrl+F4"));
    QCOMPARE(bar->at(1).id, 103);
    QVERIFY(!bar->at(1).popup);
    QVERIFY(!script->Menu(1));
    // Blanks inside the quotes are part of the text.
    QCOMPARE(script->String(106), QStringLiteral("Attiva il sistema di aiuto "));
    QCOMPARE(script->String(102), QString());
}

void ShellPartsTest::scriptRefusesBrokenText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("where");
    QTest::newRow("block without END") << "MENU 1\nPOPUP \"&File\"\nEND"
                                       << "line 1:";
    QTest::newRow("popup without END") << "MENU 1\n\nPOPUP \"&File\""
                                       << "line 3:";
    QTest::newRow("item without command") << "MENU 1\nMENUITEM \"&Apri\"\nEND"
                                          << "line 2:";
    QTest::newRow("command zero") << "MENU 1\nMENUITEM \"&Apri\" 0\nEND"
                                  << "line 2:";
    QTest::newRow("key that is no key") << "MENU 1\nMENUITEM \"&Chiudi\" 9 \"Ctrl+Niente\"\nEND"
                                        << "line 2:";
    QTest::newRow("key not quoted") << "MENU 1\nMENUITEM \"&Chiudi\" 9 F4\nEND"
                                    << "line 2:";
    QTest::newRow("menu id not a number") << "MENU uno\nEND"
                                          << "line 1:";
    QTest::newRow("menu twice") << "MENU 1\nEND\nMENU 1\nEND"
                                << "line 3:";
    QTest::newRow("string twice") << "STRINGTABLE\n1 \"a\"\n1 \"b\"\nEND"
                                  << "line 3:";
    QTest::newRow("string without quotes") << "STRINGTABLE\n1 a\nEND"
                                           << "line 2:";
    QTest::newRow("unterminated text") << "STRINGTABLE\n1 \"a\nEND"
                                       << "line 2:";
    QTest::newRow("statement outside a block") << "MENUITEM \"&Apri\" 101"
                                               << "line 1:";
    QTest::newRow("string in a menu") << "MENU 1\n101 \"a\"\nEND"
                                      << "line 2:";
    QTest::newRow("END with more") << "MENU 1\nEND 1"
                                   << "line 2:";
}

void ShellPartsTest::scriptRefusesBrokenText() {
    QFETCH(QString, text);
    QFETCH(QString, where);
    QString error;
    QVERIFY(!TResourceScript::Parse(text, &error));
    QVERIFY2(error.startsWith(where), qPrintable(error));
}

void ShellPartsTest::scriptsMergeOnlyWithoutClashes() {
    auto first = TResourceScript::Parse(QStringLiteral("STRINGTABLE\n1 \"a\"\nEND\nMENU 1\nEND"));
    const auto second = TResourceScript::Parse(QStringLiteral("STRINGTABLE\n2 \"b\"\nEND"));
    const auto clash =
        TResourceScript::Parse(QStringLiteral("STRINGTABLE\n3 \"c\"\nEND\nMENU 1\nEND"));
    QVERIFY(first && second && clash);
    QVERIFY(first->Merge(*second));
    QCOMPARE(first->String(2), QStringLiteral("b"));
    QString error;
    QVERIFY(!first->Merge(*clash, &error));
    QVERIFY(error.contains(QStringLiteral("menu 1")));
    QCOMPARE(first->String(3), QString()); // nothing of a refused script is taken
}

void ShellPartsTest::moduleMergesEveryStringsFile() {
    // The program's strings and this test's file are both there.
    QCOMPARE(LoadString(106), QStringLiteral("Attiva il sistema di aiuto "));
    QCOMPARE(LoadString(9002), QStringLiteral("Secondo \"citato\" "));
    QVERIFY(TResourceScript::Module().Menu(1));
    QVERIFY(TResourceScript::Module().Menu(90));
}

void ShellPartsTest::frameBuildsItsMenuBarFromTheResource() {
    TDecoratedMDIFrame frame(QStringLiteral("Prova"), 90, new TMDIClient);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Prova"));
    QVERIFY(qobject_cast<TMDIClient*>(frame.centralWidget()) == frame.GetClientWindow());
    const QList<QAction*> bar = frame.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar.at(0)->text(), QStringLiteral("&Uno"));
    QMenu* uno = bar.at(0)->menu();
    QVERIFY(uno != nullptr);
    QCOMPARE(uno->actions().size(), 3);
    QVERIFY(uno->actions().at(1)->isSeparator());
    QCOMPARE(uno->actions().at(2)->menu()->actions().at(0), frame.CommandAction(9002));
    QCOMPARE(bar.at(1), frame.CommandAction(9003));

    QSignalSpy commands(&frame, &TDecoratedMDIFrame::commandSelected);
    frame.CommandAction(9002)->trigger();
    frame.CommandAction(9003)->trigger();
    QCOMPARE(commands.size(), 2);
    QCOMPARE(commands.at(0).at(0).toInt(), 9002);
    QCOMPARE(commands.at(1).at(0).toInt(), 9003);

    QVERIFY(!frame.AssignMenu(4711));
    QVERIFY(frame.menuBar()->actions().isEmpty());
    QCOMPARE(frame.CommandAction(9001), nullptr);
}

void ShellPartsTest::frameReportsHighlightedItemsUntilTheMenusClose() {
    TDecoratedMDIFrame frame(QStringLiteral("Prova"), 90, new TMDIClient, true);
    auto* statusBar = new TStatusBar(&frame);
    statusBar->SetIdleText(QStringLiteral("pronto"));
    frame.Insert(statusBar);
    QVERIFY(showActive(frame));

    // Qt's own status tips would blank the hint.
    statusBar->SetHintText(9001);
    QStatusTipEvent tip(QString{});
    QApplication::sendEvent(&frame, &tip);
    QCOMPARE(statusBar->GetText(), QStringLiteral("Primo suggerimento"));
    statusBar->ClearHintText();

    QSignalSpy hints(&frame, &TDecoratedMDIFrame::menuHint);
    QSignalSpy closed(&frame, &TDecoratedMDIFrame::menuClosed);
    QTest::keyClick(&frame, Qt::Key_U, Qt::AltModifier);
    auto* uno = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(uno != nullptr);
    QTRY_COMPARE(statusBar->GetText(), QStringLiteral("Primo suggerimento"));
    QTest::keyClick(uno, Qt::Key_Down); // over the separator to the popup
    QCOMPARE(hints.last().at(0).toInt(), 0);
    QCOMPARE(statusBar->GetText(), QString());
    QTest::keyClick(uno, Qt::Key_Right);
    auto* altro = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(altro != nullptr && altro != uno);
    QTRY_COMPARE(statusBar->GetText(), QStringLiteral("Secondo \"citato\" "));
    // Back to the outer menu: still inside the menus, no end of hints yet.
    QTest::keyClick(altro, Qt::Key_Left);
    QCOMPARE(closed.size(), 0);
    QTest::keyClick(uno, Qt::Key_Escape);
    QTRY_COMPARE(closed.size(), 1);
    QCOMPARE(statusBar->GetText(), QStringLiteral("pronto"));
    QVERIFY(hints.size() >= 3);
}

void ShellPartsTest::controlBarSendsCommandsAndEnterHints() {
    QMainWindow window;
    auto* bar = new TControlBar;
    QToolButton* first = bar->InsertButton(9001);
    QToolButton* second = bar->InsertButton(9002);
    window.addToolBar(bar);
    window.setCentralWidget(new QWidget);
    window.resize(400, 200);
    QVERIFY(showActive(window));
    QSignalSpy commands(bar, &TControlBar::commandSelected);
    QSignalSpy hints(bar, &TControlBar::hint);
    QSignalSpy ended(bar, &TControlBar::hintEnded);

    QTest::mouseClick(second, Qt::LeftButton);
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.at(0).at(0).toInt(), 9002);

    // Without enter hints the pointer passes silently.
    QTest::mouseMove(window.centralWidget());
    QTest::mouseMove(first);
    QTest::mouseMove(window.centralWidget());
    QCOMPARE(hints.size(), 0);

    bar->SetHintMode(TControlBar::EnterHints);
    QTest::mouseMove(first);
    QTRY_COMPARE(hints.size(), 1);
    QCOMPARE(hints.at(0).at(0).toInt(), 9001);
    QTest::mouseMove(second);
    QTRY_COMPARE(hints.size(), 2);
    QCOMPARE(hints.at(1).at(0).toInt(), 9002);
    QTest::mouseMove(window.centralWidget());
    QTRY_COMPARE(ended.size(), 2);
}

void ShellPartsTest::statusBarShowsHintsByIdAndFallsBackToIdleText() {
    TStatusBar bar;
    QCOMPARE(bar.ModeIndicatorLabel(TStatusBar::CapsLock), nullptr);
    QVERIFY(!bar.GetModeIndicator(TStatusBar::NumLock));
    bar.SetIdleText(QStringLiteral("pronto"));
    QCOMPARE(bar.GetText(), QStringLiteral("pronto"));
    bar.SetHintText(9001);
    QCOMPARE(bar.GetText(), QStringLiteral("Primo suggerimento"));
    QCOMPARE(bar.GetHintId(), 9001);
    // A new idle text waits for the hint to end.
    bar.SetIdleText(QStringLiteral("in attesa"));
    QCOMPARE(bar.GetText(), QStringLiteral("Primo suggerimento"));
    bar.SetHintText(4711); // no such string: an empty field
    QCOMPARE(bar.GetText(), QString());
    bar.ClearHintText();
    QCOMPARE(bar.GetText(), QStringLiteral("in attesa"));
    QCOMPARE(bar.GetHintId(), -1);
    bar.SetHintMode(false);
    bar.SetHintText(9001);
    QCOMPARE(bar.GetText(), QStringLiteral("in attesa"));
}

void ShellPartsTest::statusBarFollowsTheLockKeysOnce() {
    QMainWindow window;
    auto* panel = new QWidget;
    auto* edit = new QLineEdit(panel);
    window.setCentralWidget(panel);
    auto* bar = new TStatusBar(nullptr, TStatusBar::CapsLock | TStatusBar::NumLock);
    window.setStatusBar(bar);
    QVERIFY(showActive(window));
    edit->setFocus();
    QVERIFY(!bar->ReadsLockState()); // no keyboard state to read here
    QLabel* caps = bar->ModeIndicatorLabel(TStatusBar::CapsLock);
    QVERIFY(caps != nullptr && bar->ModeIndicatorLabel(TStatusBar::NumLock) != nullptr);
    QVERIFY(!bar->GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(!caps->isEnabled());

    // The key reaches the window, the edit and each of its parents; it
    // counts once.
    QWindow* handle = window.windowHandle();
    QTest::keyClick(handle, Qt::Key_CapsLock);
    QVERIFY(bar->GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(caps->isEnabled());
    QVERIFY(!bar->GetModeIndicator(TStatusBar::NumLock));
    QTest::keyClick(handle, Qt::Key_NumLock);
    QVERIFY(bar->GetModeIndicator(TStatusBar::NumLock));
    QTest::keyClick(handle, Qt::Key_A);
    QVERIFY(bar->GetModeIndicator(TStatusBar::CapsLock));
    // A held key repeats without toggling again.
    QTest::simulateEvent(handle, true, Qt::Key_CapsLock, Qt::NoModifier, QString(), true);
    QVERIFY(bar->GetModeIndicator(TStatusBar::CapsLock));
    QTest::keyClick(handle, Qt::Key_CapsLock);
    QVERIFY(!bar->GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(!caps->isEnabled());
    // Both indicators keep their width whatever they show.
    QCOMPARE(caps->minimumWidth(), caps->width());
}

ZOLT_GUI_TEST_MAIN(ShellPartsTest)
#include "shell_parts_test.moc"
