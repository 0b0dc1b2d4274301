// The help viewer. A help file name stands for a folder of HTML pages among
// the program's resources: "zolt.hlp" is ":/help/zolt/", with the contents
// page "index.html" and the context map "map.txt" (one "<number> <page>"
// per line, '#' starts a comment).
//
// The pages show in one help window, a separate non-modal window reused by
// every call. It belongs to the main window (to the owner's window where
// there is none), so it stays open when a dialog that opened it closes;
// while a modal dialog runs, it takes input all the same.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

constexpr unsigned HELP_CONTEXT = 1;  // data: the context number
constexpr unsigned HELP_CONTENTS = 3; // data: unused

// Shows the contents page (HELP_CONTENTS) or the page of context `data`
// (HELP_CONTEXT; the contents page for a context without a page). Returns
// false, showing nothing, for another command or a help file without
// contents page.
bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data);

// The help window, null while none is open.
QTextBrowser* HelpWindow();
