// The project file as the window program keeps it: the name of the open
// project, the project as last opened, saved or started (to tell whether
// it changed since), the settings of the project's file dialogs, and the
// projects opened or saved last, kept in the user's settings from one run
// to the next.
#pragma once

#include "app/filedata.h"
#include "model/design_data.h"

#include <QString>
#include <QStringList>

#include <string>

class QWidget;

class TProjectFiles {
public:
    static constexpr int MaxRecent = 5;

    TProjectFiles();

    // The project's Open and Save dialogs: ".zolt" files.
    TFileData FileData;
    // The open project's file, empty when none is open.
    QString FileName;

    bool IsOpen() const { return !FileName.isEmpty(); }

    // The process-wide records as one project.
    static zolt::ProjectDocument Current();

    // Whether the records differ from the project as last opened, saved or
    // started. With a project open that is the whole project as its file
    // would hold it. With none, only its design data: the geometry and soil
    // are the data file's to compare, and the analysis settings were never
    // saved data without a project.
    bool Modified() const;
    // The part that only a project file holds (its design data) changed.
    bool DesignModified() const;

    // The records as they stand count as the project of `fileName`
    // (empty: no project open), as just opened or saved.
    void MarkSaved(const QString& fileName);

    // Reads the project at `path` into the records; on failure shows the
    // reader's message (owned by `owner`) and changes nothing.
    bool Open(const QString& path, QWidget* owner);
    // Writes the records to `path`; on failure shows why.
    bool Save(const QString& path, QWidget* owner);

    // The projects opened or saved last, the latest first, at most
    // MaxRecent; Remember puts `path` first.
    QStringList Recent() const;
    void Remember(const QString& path);
    void ClearRecent();

private:
    bool Transfer(bool (*transfer)(const std::string&, std::string&), const QString& failed,
                  const QString& path, QWidget* owner);

    std::string m_savedText;       // the whole project, as its file would hold it
    std::string m_savedDesignText; // its design data only
};
