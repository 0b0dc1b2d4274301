// What the Open and Save commands share: the settings of their file dialogs
// and the name of the last file chosen, and the dialogs themselves.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

struct TFileData {
    enum TFlag : unsigned {
        OverwritePrompt = 0x0002, // Save asks before replacing a file
        HideReadOnly = 0x0004,    // no "read only" check box
        FileMustExist = 0x1000,   // Open accepts only an existing file
    };

    unsigned Flags = FileMustExist | HideReadOnly | OverwritePrompt;
    // Pairs of title and pattern, each closed by '|'.
    QString Filter = QStringLiteral("All Files (*.dat)|*.dat|All Files (*.*)|*.*|");
    QString DefExt = QStringLiteral("dat");
    // The last name chosen, empty at first; the next dialog starts from it.
    QString FileName;
    // The dialogs' titles; "Apri" and "Salva" when empty.
    QString OpenTitle;
    QString SaveTitle;

    // The filter as the file dialog lists it: one "title (patterns)"
    // per pair. "*.*" is every file, so it becomes "*", which on this
    // system also matches names without a dot.
    QStringList NameFilters() const;
};

enum class TFileDialogKind { Open, Save };

// Runs a file dialog for `data`; true when the user chose a file, whose
// name is then in data.FileName (data is left alone otherwise).
using TFileDialogFunction = std::function<bool(QWidget* owner, TFileDialogKind, TFileData& data)>;

// Qt's own file dialog, in Italian whatever the process locale (its texts
// come from the Qt translation the application installs, the sizes, types
// and dates of its list are written here), wide enough to show every column
// of the list: the filters, the default extension and the last name of
// `data`; Open asks for an existing file when FileMustExist is set, Save
// asks before replacing one when OverwritePrompt is.
bool RunFileDialog(QWidget* owner, TFileDialogKind kind, TFileData& data);
