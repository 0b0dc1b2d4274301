// The program's file dialogs: Qt's own dialog (which speaks the program's
// language where the desktop's may not), its list of files in Italian
// whatever the process locale, and every column of the list in view.
#pragma once

class QFileDialog;

// Prepares `dialog` before it runs: Qt's own dialog, sizes, types and dates
// of its list in Italian, and a width that shows every column.
void TDressFileDialog(QFileDialog& dialog);

// Runs a dialog prepared by TDressFileDialog and returns its result. Qt
// keeps the list's columns for the file dialogs of every Qt program of the
// user, so they are left as plain columns of the widths they had.
int TExecFileDialog(QFileDialog& dialog);
