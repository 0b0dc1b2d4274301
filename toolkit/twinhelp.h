// The help viewer. A help file name stands for a folder of HTML pages among
// the program's resources: "zolt.hlp" is ":/help/zolt/", with the contents
// page "index.html" and the context map "map.txt" (one "<number> <page>"
// per line, the page optionally with "#<anchor>" of a section; '#' after a
// blank starts a comment).
//
// The pages show in one help window (THelpWindow), a separate non-modal
// window reused by every call. It belongs to the main window (to the
// owner's window where there is none), so it stays open when a dialog that
// opened it closes; while a modal dialog runs, it takes input all the same.
// Called from a dialog or a document window it stands beside that window,
// not over it; from the main window, over the right of the client area.
//
// F1 opens the help of the window with the focus: the nearest widget, from
// the focused one out through its parents, that was given a help context
// (SetHelpContext). TApplication installs the key.
#pragma once

#include <QString>

class QCoreApplication;
class QTextBrowser;
class QWidget;

constexpr unsigned HELP_CONTEXT = 1;  // data: the context number
constexpr unsigned HELP_CONTENTS = 3; // data: unused

// Shows the contents page (HELP_CONTENTS) or the page of context `data`
// (HELP_CONTEXT; the contents page for a context without a page). Returns
// false, showing nothing, for another command or a help file without
// contents page.
bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data);

// The page of the help window, null while none is open.
QTextBrowser* HelpWindow();

// F1 in `widget` or its children opens context `context` of `helpFile`,
// or its contents for context 0.
void SetHelpContext(QWidget* widget, const QString& helpFile, unsigned long context);
// The help of `widget` as F1 there opens it; false, showing nothing, when
// neither it nor a parent has a help context.
bool ShowContextHelp(QWidget* widget);
// F1 anywhere in `app` calls ShowContextHelp for the widget with the focus.
void InstallHelpKey(QCoreApplication* app);
