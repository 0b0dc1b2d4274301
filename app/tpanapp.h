// The application object of ZOLT: it builds the main window (the document
// frame with its menu, tool bar and status bar) and carries out the
// commands 101-110 that the menu items and tool-bar buttons send. It keeps
// the inputs as last saved or opened, so that Exit, the close box and Apri
// do not drop changed inputs without asking.
#pragma once

#include "app/filedata.h"
#include "app/projectfiles.h"
#include "model/records.h"
#include "toolkit/tapplication.h"

#include <QWidget>

class TControlBar;
class TDecoratedMDIFrame;
class TMDIClient;
class TStatusBar;

// The commands; each is also the id of its hint string and, for the tool
// bar, of its bitmap.
enum TPanCommand : int {
    CM_FILEOPEN = 101,
    CM_FILESAVE = 102,
    CM_EXIT = 103,
    CM_ANALYSIS = 104,
    CM_REPORT = 105,
    CM_HELPCONTENTS = 106,
    CM_ABOUT = 107,
    CM_GEOMETRY = 108,
    CM_SOIL = 109,
    CM_PRODUCTS = 110,
    // "Strumenti": design checks, studies and the full report.
    CM_VERIFY = 111,
    CM_SIZING = 112,
    CM_COMPARE = 113,
    CM_SWEEP = 114,
    CM_MONTECARLO = 115,
    CM_FULLREPORT = 116,
    CM_PRINTREPORT = 117,
    CM_SETTLEMENT = 118,
    // The project file, its ground, and the projects used last.
    CM_NEWPROJECT = 130,
    CM_OPENPROJECT = 131,
    CM_SAVEPROJECT = 132,
    CM_SAVEPROJECTAS = 133,
    CM_GROUND = 134,
    CM_ACTIONS = 135,
    CM_SEISMIC = 136,
    CM_RECENTPROJECT = 141, // the first of TProjectFiles::MaxRecent
};

class TPanApp : public TApplication {
    Q_OBJECT

public:
    static constexpr const char* AppName = "Orvane ZOLT 6.0";
    static constexpr const char* FrameTitle = "Orvane Informatica * ZOLT 3.0(32)";
    static constexpr const char* IdleText =
        "Orvane Informatica - 35121 Padova - Via dei Geotecnici 17 - Tel. 049 555 0172";
    static constexpr int MenuId = 1;
    static constexpr int AboutDialogId = 500;
    static constexpr int ProductsHelpContext = 101;

    TPanApp(int& argc, char** argv);
    ~TPanApp() override;

    // The document client of the main window, null before InitMainWindow.
    TMDIClient* Client = nullptr;
    // The Open and Save dialogs' settings and the last file name.
    TFileData FileData;
    // Asks for a file name; the program's file dialog unless replaced.
    TFileDialogFunction FileDialog = RunFileDialog;
    // The inputs as last saved or opened, the start values before either.
    zolt::GeometryData SavedGeometry;
    zolt::SoilData SavedSoil;

    static constexpr const char* SaveQuestionText = "I dati sono stati modificati. Salvarli?";

    // The project file: its dialogs' settings, the open project and the
    // projects used last.
    TProjectFiles Project;
    // The file named on the command line, opened once the main window is
    // up: a project, or a data file (".dat").
    QString StartFile;

    TDecoratedMDIFrame* GetFrame() const;

    // Carries out command `id`; false for an id that is not a command.
    bool EvCommand(int id);

    // Whether the geometry or soil records differ from those last saved or
    // opened (byte for byte, as the data file would hold them), or the
    // project from the one last opened, saved or started (see
    // TProjectFiles::Modified).
    bool DataModified() const;
    // Exit and the close box: when the inputs were changed, the save
    // question first (see ConfirmDataSaved).
    bool CanClose() override;

    void CmFileOpen();
    void CmFileSave();
    void CmExit();
    void CmGeometry();
    void CmSoil();
    void CmAnalysis();
    void CmReport();
    void CmHelpContents();
    void CmAbout();
    void CmProducts();
    void CmVerify();
    void CmSizing();
    void CmCompare();
    void CmSweep();
    void CmMonteCarlo();
    void CmFullReport();
    void CmPrintReport();
    void CmSettlement();
    void CmNewProject();
    void CmOpenProject();
    void CmSaveProject();
    void CmSaveProjectAs();
    void CmGround();
    void CmActions();
    void CmSeismic();
    void CmRecentProject(int index);

    // Opens the project at `path` (asking nothing): the records, the title,
    // the projects used last; the reader's message when it fails.
    bool OpenProject(const QString& path);
    // A file named on the command line: a data file for ".dat", a project
    // otherwise; the open-error message or the reader's when it fails.
    bool OpenStartFile(const QString& path);
    // The open project's name in the title, the projects used last in the
    // File menu.
    void ShowProject();

protected:
    void InitMainWindow() override;

private:
    // Save: the file dialog, then the data file; true when it was written.
    bool SaveData();
    // Unless the inputs are as last saved or opened, asks SaveQuestionText:
    // Sì saves (true only when the file was written), No goes on (true),
    // Annulla stays (false).
    bool ConfirmDataSaved();
    void MarkDataSaved();
    // Sì of the question: the project where one is open or where the part
    // only a project holds changed, the data file otherwise.
    bool SaveChanges();
    // The project to its file, or to one the Save dialog asks for.
    bool SaveProject(bool chooseName);
    // The file the full report is named after: the open project's, else
    // the data file's.
    QString ReportFileName() const;
};
