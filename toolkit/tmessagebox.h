// The program's message box: the application's name as caption, one OK
// button, the text, and no icon unless one is asked for (the validators use
// the warning icon). It is owned by `owner` when given, otherwise by the
// main window, otherwise by the active window, and runs modally. The
// question box below is its sibling with three buttons.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Returns the id of the button that closed it (1, OK; also for Escape).
int ShowMessageBox(const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon,
                   QWidget* owner = nullptr);

constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A question with the buttons "Sì" (the default), "No" and "Annulla", the
// application's name as caption and the question icon, owned as the
// message box is. Returns IDYES, IDNO or IDCANCEL (also for Escape and the
// close box).
int AskYesNoCancel(const QString& text, QWidget* owner = nullptr);
