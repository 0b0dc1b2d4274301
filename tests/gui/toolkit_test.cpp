// The toolkit on real widgets: dialogs from templates, their keyboard and
// closing, control objects, edits, messages, the message box and the help
// viewer.
#include "guitest.h"

#include "toolkit/tdialog.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tdialogunits.h"
#include "toolkit/tedit.h"
#include "toolkit/teditfile.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/tmessageevent.h"
#include "toolkit/twinhelp.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QCompleter>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>

#include <cstring>

namespace {

// Records the commands it receives.
class CommandDialog : public TDialog {
public:
    CommandDialog(int resId) : TDialog(nullptr, resId) {}
    QList<int> commands;

protected:
    void EvCommand(int id) override {
        commands.append(id);
        TDialog::EvCommand(id);
    }
};

// A control object that logs what the dialog asks of it.
class ProbeControl : public TControl {
public:
    ProbeControl(TDialog* dialog, int id, QStringList* log, bool canClose = true)
        : TControl(dialog, id), m_log(log), m_canClose(canClose) {
        SetTransferBuffer(&m_variable);
    }
    QList<int> keys;

    bool CanClose() override {
        m_log->append(QStringLiteral("close %1").arg(GetId()));
        return m_canClose;
    }
    unsigned Transfer(void*, TTransferDirection direction) override {
        m_log->append(
            QStringLiteral("%1 %2").arg(direction == tdGetData ? "get" : "set").arg(GetId()));
        return sizeof m_variable;
    }

protected:
    bool EvKeyDown(QKeyEvent* event) override {
        keys.append(event->key());
        return false;
    }

private:
    QStringList* m_log;
    bool m_canClose;
    int m_variable = 0;
};

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void templateReadsEveryKindOfStatement();
    void templateRefusesBrokenText_data();
    void templateRefusesBrokenText();
    void templateResourceMustNameItsDialog();
    void dialogUnitsScaleWithTheBaseUnits();
    void dialogIsBuiltFromItsTemplate();
    void dialogWithoutTemplateExecutesToMinusOne();
    void executeReturnsTheClosingButton_data();
    void executeReturnsTheClosingButton();
    void enterPressesTheDefaultButtonBeforeTheFieldSeesIt();
    void closeAsksEveryControlThenTransfers();
    void refusedCloseKeepsTheDialogOpen();
    void messagesAnswerZeroUnlessHandled();
    void editLimitsTypingAndRestoresRefusedCharacters();
    void editChecksEveryWayTextComesIn_data();
    void editChecksEveryWayTextComesIn();
    void editTransfersPlainTextAsWindows1252();
    void messageBoxHasTheApplicationCaptionAndOneButton();
    void helpViewerShowsContentsAndContexts();
    void helpWindowClosesByItsButtonAndEscape_data();
    void helpWindowClosesByItsButtonAndEscape();
    void editFileSavesThroughTheProgramsFileDialog();
};

void ToolkitTest::templateReadsEveryKindOfStatement() {
    const QString text = QStringLiteral("// comment\n"
                                        "\n"
                                        "DIALOG 300, 194, 129, \"Metodo \"\"A\"\"\"\n"
                                        "  FONT 9 \"DejaVu Sans\"\n"
                                        "LTEXT \"Profondità (m)\", -1, 9, 8, 120, 8\n"
                                        "CTEXT \"centro\" -1 1 2 3 4\n"
                                        "EDITTEXT \"\" 305 140 6 36 12\n"
                                        "PUSHBUTTON \"Annulla\" 2 1 2 3 4\n"
                                        "DEFPUSHBUTTON \"OK\" 1 1 2 3 4\n"
                                        "RADIOBUTTON \"Vesic\" 304 1 2 3 4\n"
                                        "CHECKBOX \"Opzione\" 306 1 2 3 4\n"
                                        "GROUPBOX \"Metodo\" -1 1 2 3 4\n");
    QString error;
    const auto parsed = TDialogTemplate::Parse(text, &error);
    QVERIFY2(parsed.has_value(), qPrintable(error));
    QCOMPARE(parsed->id, 300);
    QCOMPARE(parsed->size, QSize(194, 129));
    QCOMPARE(parsed->caption, QStringLiteral("Metodo \"A\""));
    QCOMPARE(parsed->pointSize, 9);
    QCOMPARE(parsed->faceName, QStringLiteral("DejaVu Sans"));
    using Kind = TDialogTemplate::Kind;
    const QList<Kind> kinds = {Kind::LeftText,   Kind::CenterText,    Kind::Edit,
                               Kind::PushButton, Kind::DefPushButton, Kind::RadioButton,
                               Kind::CheckBox,   Kind::GroupBox};
    QCOMPARE(parsed->controls.size(), kinds.size());
    for (qsizetype i = 0; i < kinds.size(); ++i)
        QVERIFY(parsed->controls.at(i).kind == kinds.at(i));
    QCOMPARE(parsed->controls.at(0).text, QStringLiteral("Profondità (m)"));
    QCOMPARE(parsed->controls.at(0).id, -1);
    QCOMPARE(parsed->controls.at(0).rect, QRect(9, 8, 120, 8));
    QCOMPARE(parsed->controls.at(2).id, 305);

    // Without FONT the dialog font is MS Sans Serif 8, the platform's sans.
    const auto plain = TDialogTemplate::Parse(QStringLiteral("DIALOG 1 10 10 \"x\""));
    QVERIFY(plain.has_value());
    QCOMPARE(plain->pointSize, 8);
    QCOMPARE(plain->Font().pointSize(), 8);
    QCOMPARE(plain->Font().styleHint(), QFont::SansSerif);
}

void ToolkitTest::templateRefusesBrokenText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("errorStart");
    QTest::newRow("empty") << QString() << "line 1:";
    QTest::newRow("control before header") << "LTEXT \"a\" -1 1 2 3 4"
                                           << "line 1:";
    QTest::newRow("unknown kind") << "DIALOG 1 10 10 \"x\"\nBUTTON \"a\" 1 1 2 3 4"
                                  << "line 2:";
    QTest::newRow("unterminated text") << "DIALOG 1 10 10 \"x\"\n\nLTEXT \"a -1 1 2 3 4"
                                       << "line 3:";
    QTest::newRow("missing field") << "DIALOG 1 10 10 \"x\"\nLTEXT \"a\" -1 1 2 3"
                                   << "line 2:";
    QTest::newRow("text not quoted") << "DIALOG 1 10 10 \"x\"\nLTEXT a -1 1 2 3 4"
                                     << "line 2:";
    QTest::newRow("not a number") << "DIALOG 1 10 10 \"x\"\nLTEXT \"a\" -1 1 2 3 4.5"
                                  << "line 2:";
    QTest::newRow("negative size") << "DIALOG 1 10 -10 \"x\""
                                   << "line 1:";
    QTest::newRow("font after a control")
        << "DIALOG 1 10 10 \"x\"\nLTEXT \"a\" -1 1 2 3 4\nFONT 8 \"A\""
        << "line 3:";
    QTest::newRow("second header") << "DIALOG 1 10 10 \"x\"\nDIALOG 2 10 10 \"y\""
                                   << "line 2:";
}

void ToolkitTest::templateRefusesBrokenText() {
    QFETCH(QString, text);
    QFETCH(QString, errorStart);
    QString error;
    QVERIFY(!TDialogTemplate::Parse(text, &error).has_value());
    QVERIFY2(error.startsWith(errorStart), qPrintable(error));
}

void ToolkitTest::templateResourceMustNameItsDialog() {
    QString error;
    QVERIFY(TDialogTemplate::Load(900, &error).has_value());
    QVERIFY(!TDialogTemplate::Load(930, &error).has_value());
    QVERIFY2(error.contains(QLatin1String("931")), qPrintable(error));
    QVERIFY(!TDialogTemplate::Load(999, &error).has_value());
}

void ToolkitTest::dialogUnitsScaleWithTheBaseUnits() {
    const TDialogUnits units(7, 13);
    QCOMPARE(units.ToPixelsX(194), 340);
    QCOMPARE(units.ToPixelsY(191), 310);
    QCOMPARE(units.ToPixelsX(1), 2); // 1.75 rounds up
    QCOMPARE(units.ToPixelsY(-4), -7);
    // Edges are mapped, so neighbours stay neighbours.
    const QRect left = units.ToPixels(QRect(0, 0, 3, 3));
    const QRect right = units.ToPixels(QRect(3, 0, 3, 3));
    QCOMPARE(left.x() + left.width(), right.x());

    const TDialogUnits classic(6, 13);
    QCOMPARE(classic.ToPixels(QRect(140, 8, 36, 12)), QRect(210, 13, 54, 20));
}

void ToolkitTest::dialogIsBuiltFromItsTemplate() {
    TDialog dialog(nullptr, 900);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dati di prova"));
    const TDialogUnits units = TDialogUnits::FromFont(dialog.font());
    QCOMPARE(dialog.size(), QSize(units.ToPixelsX(194), units.ToPixelsY(120)));

    auto* edit = qobject_cast<QLineEdit*>(dialog.ChildWithId(902));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->geometry(), units.ToPixels(QRect(140, 22, 36, 12)));
    QCOMPARE(TDialog::ControlId(edit), 902);

    auto* ok = qobject_cast<QPushButton*>(dialog.ChildWithId(IDOK));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QStringLiteral("Accetta"));
    QVERIFY(ok->isDefault());
    auto* label = qobject_cast<QLabel*>(dialog.ChildWithId(-1));
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), QStringLiteral("Base della fondazione (m)"));
    QCOMPARE(dialog.ChildWithId(905), nullptr);

    // Statics cannot take the focus: the first and last controls that can.
    QCOMPARE(dialog.FirstChild(), dialog.ChildWithId(901));
    QCOMPARE(dialog.LastChild(), dialog.ChildWithId(IDCANCEL));
}

void ToolkitTest::dialogWithoutTemplateExecutesToMinusOne() {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("dialog 999: .*no such resource"));
    TDialog dialog(nullptr, 999);
    QCOMPARE(dialog.Execute(), -1);
}

void ToolkitTest::executeReturnsTheClosingButton_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK clicked") << "ok" << IDOK;
    QTest::newRow("Cancel clicked") << "cancel" << IDCANCEL;
    QTest::newRow("Escape") << "escape" << IDCANCEL;
    QTest::newRow("close box") << "close" << IDCANCEL;
    QTest::newRow("Enter in a field") << "enter" << IDOK;
    QTest::newRow("Enter on Cancel") << "enter on cancel" << IDCANCEL;
}

void ToolkitTest::executeReturnsTheClosingButton() {
    QFETCH(QString, how);
    QFETCH(int, result);
    TDialog dialog(nullptr, 900);
    bool active = false;
    whenIdle([&] {
        active = showActive(dialog);
        QWidget* field = dialog.ChildWithId(902);
        field->setFocus();
        if (how == "ok")
            QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
        else if (how == "cancel")
            QTest::mouseClick(dialog.ChildWithId(IDCANCEL), Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(field, Qt::Key_Escape);
        else if (how == "close")
            dialog.close();
        else if (how == "enter")
            QTest::keyClick(field, Qt::Key_Return);
        else {
            dialog.ChildWithId(IDCANCEL)->setFocus();
            QTest::keyClick(dialog.ChildWithId(IDCANCEL), Qt::Key_Return);
        }
    });
    QCOMPARE(dialog.Execute(), result);
    QVERIFY(active);
    QVERIFY(!dialog.isVisible());
}

void ToolkitTest::enterPressesTheDefaultButtonBeforeTheFieldSeesIt() {
    CommandDialog dialog(900);
    QStringList log;
    auto* probe = new ProbeControl(&dialog, 901, &log);
    dialog.SetupWindow();
    dialog.open();
    QVERIFY(showActive(dialog));
    dialog.ChildWithId(901)->setFocus();

    // Another default button: Enter runs its command, the field never sees it.
    QCOMPARE(SendMessage(&dialog, DM_SETDEFID, 904), 1L);
    QVERIFY(qobject_cast<QPushButton*>(dialog.ChildWithId(904))->isDefault());
    QTest::keyClick(dialog.ChildWithId(901), Qt::Key_Return);
    QCOMPARE(dialog.commands, QList<int>{904});
    QVERIFY(dialog.isVisible());
    QTest::keyClick(dialog.ChildWithId(901), Qt::Key_A);
    QCOMPARE(probe->keys, QList<int>{Qt::Key_A});

    // A disabled default button makes Enter do nothing.
    dialog.ChildWithId(904)->setEnabled(false);
    QTest::keyClick(dialog.ChildWithId(901), Qt::Key_Return);
    QCOMPARE(dialog.commands, QList<int>{904});

    SendMessage(&dialog, DM_SETDEFID, IDOK);
    QTest::keyClick(dialog.ChildWithId(901), Qt::Key_Enter);
    QCOMPARE(dialog.commands, (QList<int>{904, IDOK}));
    QCOMPARE(dialog.result(), IDOK);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(probe->keys, QList<int>{Qt::Key_A});
}

void ToolkitTest::closeAsksEveryControlThenTransfers() {
    TDialog dialog(nullptr, 900);
    QStringList log;
    new ProbeControl(&dialog, 903, &log);
    new ProbeControl(&dialog, 901, &log);
    new ProbeControl(&dialog, 777, &log); // no such control: detached, still asked
    whenIdle([&] {
        log.append(QStringLiteral("shown"));
        QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    });
    QCOMPARE(dialog.Execute(), IDOK);
    // Set-up loads every control in creation order before the dialog shows.
    QCOMPARE(log, (QStringList{"set 903", "set 901", "set 777", "shown", "close 903", "close 901",
                               "close 777", "get 903", "get 901", "get 777"}));
}

void ToolkitTest::refusedCloseKeepsTheDialogOpen() {
    TDialog dialog(nullptr, 900);
    QStringList log;
    new ProbeControl(&dialog, 901, &log);
    auto* refusing = new ProbeControl(&dialog, 902, &log, false);
    new ProbeControl(&dialog, 903, &log);
    dialog.SetupWindow();
    dialog.open();
    QVERIFY(showActive(dialog));
    log.clear();
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(log, (QStringList{"close 901", "close 902"}));
    QVERIFY(dialog.isVisible());

    // A control attached again replaces the old object of that control.
    QPointer<ProbeControl> old = refusing;
    new ProbeControl(&dialog, 902, &log);
    QVERIFY(old.isNull());
    log.clear();
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(log,
             (QStringList{"close 901", "close 903", "close 902", "get 901", "get 903", "get 902"}));
    QCOMPARE(dialog.result(), IDOK);
}

void ToolkitTest::messagesAnswerZeroUnlessHandled() {
    QCOMPARE(SendMessage(nullptr, 5001, 1, 0), 0L);
    QWidget plain;
    QCOMPARE(SendMessage(&plain, 5001, 1, 0), 0L);
    TDialog dialog(nullptr, 900);
    QCOMPARE(SendMessage(&dialog, 5001, 1, 0), 0L);
    QCOMPARE(SendMessage(dialog.ChildWithId(901), 5001, 1, 0), 0L); // a control without object

    MessageRecorder recorder;
    recorder.replies[5001] = 3;
    QCOMPARE(SendMessage(&recorder, 5001, 7, 0), 3L);
    QCOMPARE(SendMessage(&recorder, 5004, 0, 0), 0L);
    QCOMPARE(recorder.messages, (QList<Message>{{5001, 7}, {5004, 0}}));
}

void ToolkitTest::editLimitsTypingAndRestoresRefusedCharacters() {
    TDialog dialog(nullptr, 900);
    auto* edit = new TEdit(&dialog, 901, 5);
    edit->SetValidator(new TFilterValidator(QStringLiteral("0-9.")));
    dialog.SetupWindow();
    dialog.open();
    QVERIFY(showActive(dialog));
    auto* line = qobject_cast<QLineEdit*>(edit->GetHandle());
    line->setFocus();
    QVERIFY(!edit->IsModified());

    // At most text limit - 1 characters; refused characters leave no trace.
    QTest::keyClicks(line, QStringLiteral("1x2.3456"));
    QCOMPARE(edit->GetText(), QStringLiteral("12.3"));
    QVERIFY(edit->IsModified());
    QCOMPARE(line->cursorPosition(), 4);

    // A refused character in the middle keeps the cursor where it was.
    line->setCursorPosition(1);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Y);
    QCOMPARE(edit->GetText(), QStringLiteral("2.3"));
    QCOMPARE(line->cursorPosition(), 0);

    // Characters from an input method are checked as typed ones.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("è"));
    QCoreApplication::sendEvent(line, &composed);
    QCOMPARE(edit->GetText(), QStringLiteral("2.3"));
    composed.setCommitString(QStringLiteral("7"));
    QCoreApplication::sendEvent(line, &composed);
    QCOMPARE(edit->GetText(), QStringLiteral("72.3"));
    QTest::keyClick(line, Qt::Key_Backspace);

    // Backspace is not checked: it may leave a text the set forbids.
    edit->SetText(QStringLiteral("12a4"));
    QVERIFY(!edit->IsModified()); // setting the text is no user change
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Backspace);
    QCOMPARE(edit->GetText(), QStringLiteral("12a"));
    QTest::keyClick(line, Qt::Key_5);
    QCOMPARE(edit->GetText(), QStringLiteral("12a"));
    QVERIFY(edit->IsModified());
    QVERIFY(!edit->IsValid());

    // The limit binds typing only: a longer text can be set and shown.
    edit->SetText(QStringLiteral("99.90"));
    QCOMPARE(edit->GetText(), QStringLiteral("99.90"));
    edit->ClearModify();
    QVERIFY(!edit->IsModified());
}

void ToolkitTest::editChecksEveryWayTextComesIn_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    for (const char* way :
         {"Ctrl+V", "Shift+Insert", "context menu", "drop", "middle button", "input method"}) {
        QTest::addRow("%s, digits", way) << way << "2.5" << true;
        QTest::addRow("%s, past the limit", way) << way << "2.55" << false;
        QTest::addRow("%s, a refused character", way) << way << "2e5" << false;
    }
}

void ToolkitTest::editChecksEveryWayTextComesIn() {
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (way == "middle button" && !clipboard->supportsSelection())
        QSKIP("no selection to paste on this platform");
    TDialog dialog(nullptr, 900);
    auto* edit = new TEdit(&dialog, 901, 5);
    edit->SetValidator(new TFilterValidator(QStringLiteral("0-9.")));
    dialog.SetupWindow();
    dialog.open();
    QVERIFY(showActive(dialog));
    auto* line = qobject_cast<QLineEdit*>(edit->GetHandle());
    line->setFocus();
    QTest::keyClick(line, Qt::Key_7);
    const QPoint end(line->width() - 3, line->height() / 2);

    if (way == "Ctrl+V" || way == "Shift+Insert") {
        clipboard->setText(text);
        if (way == "Ctrl+V")
            QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(line, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (way == "context menu") {
        clipboard->setText(text);
        QContextMenuEvent request(QContextMenuEvent::Mouse, end, line->mapToGlobal(end));
        QCoreApplication::sendEvent(line, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(pasteText))
                paste = action;
        }
        QVERIFY(paste != nullptr && paste->isEnabled());
        paste->trigger();
        menu->close();
    } else if (way == "drop") {
        QMimeData data;
        data.setText(text);
        // The drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(line, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(line, &drop);
    } else if (way == "middle button") {
        clipboard->setText(text, QClipboard::Selection);
        QTest::mouseClick(line, Qt::MiddleButton, Qt::NoModifier, end);
    } else {
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QCoreApplication::sendEvent(line, &composed);
    }
    QCOMPARE(edit->GetText(), accepted ? QStringLiteral("7") + text : QStringLiteral("7"));
    QCOMPARE(line->cursorPosition(), static_cast<int>(edit->GetText().size()));
}

void ToolkitTest::editTransfersPlainTextAsWindows1252() {
    TDialog dialog(nullptr, 900);
    auto* edit = new TEdit(&dialog, 901, 6);
    char buffer[6] = "Per\xF9";
    QCOMPARE(edit->Transfer(buffer, tdSetData), 6u);
    QCOMPARE(edit->GetText(), QStringLiteral("Perù"));
    edit->SetText(QStringLiteral("Città di mare"));
    std::memset(buffer, 'x', sizeof buffer);
    QCOMPARE(edit->Transfer(buffer, tdGetData), 6u);
    QCOMPARE(QByteArray(buffer), QByteArray("Citt\xE0"));

    TEdit unlimited(&dialog, 902);
    QCOMPARE(unlimited.Transfer(buffer, tdGetData), 0u);
}

void ToolkitTest::messageBoxHasTheApplicationCaptionAndOneButton() {
    BoxCloser closer;
    QCOMPARE(ShowMessageBox(QStringLiteral("Errore")), IDOK);
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(closer.boxes.at(0).text, QStringLiteral("Errore"));
    QCOMPARE(closer.boxes.at(0).caption, QStringLiteral("Prova ZOLT"));
    QCOMPARE(closer.boxes.at(0).icon, QMessageBox::NoIcon);
    QCOMPARE(closer.boxes.at(0).buttonCount, 1);

    // Owned by the main window once there is one; validators warn.
    QWidget mainWindow;
    TApplication::Current()->SetMainWindow(&mainWindow);
    ShowMessageBox(QStringLiteral("Attenzione"), QMessageBox::Warning);
    TApplication::Current()->SetMainWindow(nullptr);
    QCOMPARE(closer.boxes.size(), 2);
    QCOMPARE(closer.boxes.at(1).parent, &mainWindow);
    QCOMPARE(closer.boxes.at(1).icon, QMessageBox::Warning);

    TFilterValidator validator(QStringLiteral("0-9"));
    validator.Error(nullptr);
    QCOMPARE(closer.boxes.size(), 3);
    QCOMPARE(closer.boxes.at(2).icon, QMessageBox::Warning);
    QCOMPARE(closer.boxes.at(2).caption, QStringLiteral("Prova ZOLT"));
}

void ToolkitTest::helpViewerShowsContentsAndContexts() {
    QWidget owner;
    QVERIFY(WinHelp(&owner, QStringLiteral("zolt.hlp"), HELP_CONTENTS, 0));
    QPointer<QTextBrowser> window = HelpWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->documentTitle(), QStringLiteral("Indice"));
    QCOMPARE(window->window()->windowTitle(), QStringLiteral("Guida di Prova ZOLT - Indice"));

    // One window for every call.
    QVERIFY(WinHelp(&owner, QStringLiteral("ZOLT.HLP"), HELP_CONTEXT, 1));
    QCOMPARE(HelpWindow(), window.data());
    QCOMPARE(window->documentTitle(), QStringLiteral("Metodo"));

    // A context without a page, or whose page is missing: the contents.
    QVERIFY(WinHelp(&owner, QStringLiteral("zolt.hlp"), HELP_CONTEXT, 99));
    QCOMPARE(window->documentTitle(), QStringLiteral("Indice"));
    QVERIFY(WinHelp(&owner, QStringLiteral("zolt.hlp"), HELP_CONTEXT, 1));
    QVERIFY(WinHelp(&owner, QStringLiteral("zolt.hlp"), HELP_CONTEXT, 7));
    QCOMPARE(window->documentTitle(), QStringLiteral("Indice"));

    QVERIFY(!WinHelp(&owner, QStringLiteral("zolt.hlp"), 2, 0));
    QVERIFY(!WinHelp(&owner, QStringLiteral("altro.hlp"), HELP_CONTENTS, 0));
    window->window()->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(HelpWindow(), nullptr);
}

void ToolkitTest::helpWindowClosesByItsButtonAndEscape_data() {
    QTest::addColumn<int>("key"); // pressed in the page; 0: the button clicked
    QTest::addColumn<bool>("alt");
    QTest::newRow("Chiudi") << 0 << false;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void ToolkitTest::helpWindowClosesByItsButtonAndEscape() {
    QFETCH(int, key);
    QFETCH(bool, alt);
    QWidget owner;
    QVERIFY(WinHelp(&owner, QStringLiteral("zolt.hlp"), HELP_CONTENTS, 0));
    QTextBrowser* page = HelpWindow();
    QVERIFY(page != nullptr);
    QPointer<QWidget> window = page->window();
    QVERIFY(window != page);
    QVERIFY(showActive(*window));
    auto* close = window->findChild<QPushButton*>();
    QVERIFY(close != nullptr);
    QCOMPARE(close->text(), QStringLiteral("&Chiudi"));
    if (key == 0)
        QTest::mouseClick(close, Qt::LeftButton);
    else
        QTest::keyClick(page, Qt::Key(key), alt ? Qt::AltModifier : Qt::NoModifier);
    QTRY_VERIFY(window.isNull());
    QCOMPARE(HelpWindow(), nullptr);
}

void ToolkitTest::editFileSavesThroughTheProgramsFileDialog() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString report = dir.filePath(QStringLiteral("rel.txt"));
    QFile file(report);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Relazione\n") == 10);
    file.close();
    TEditFile edit(nullptr, 1, QString(), 0, 0, 200, 100, report);
    TEditFile::SetSaveAsPrompt({});
    QString type;
    whenIdle([&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        // A failed check leaves no dialog waiting for a person.
        auto closeOnFailure = qScopeGuard([dialog] { dialog->reject(); });
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(list != nullptr);
        const QAbstractItemModel* model = list->model();
        const auto typeOf = [&](const QString& name) {
            for (int r = 0; r < model->rowCount(list->rootIndex()); ++r)
                if (model->index(r, 0, list->rootIndex()).data().toString() == name)
                    return model->index(r, 2, list->rootIndex()).data().toString();
            return QString();
        };
        // The list fills in from a thread of its own.
        QTRY_VERIFY(!typeOf(QStringLiteral("rel.txt")).isEmpty());
        type = typeOf(QStringLiteral("rel.txt"));
        // Typed, as the dialog lets go of the file selected before only for
        // typing.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("copia"));
        if (QCompleter* completer = name->completer(); completer != nullptr)
            completer->popup()->hide();
        QTest::keyClick(name, Qt::Key_Return);
        closeOnFailure.dismiss();
    });
    edit.SaveAs();
    // Qt's own list names the type in English; the program's file dialogs
    // speak Italian.
    QCOMPARE(type, QStringLiteral("File txt"));
    QFile copy(dir.filePath(QStringLiteral("copia.txt")));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("Relazione\n"));
}

ZOLT_GUI_TEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
