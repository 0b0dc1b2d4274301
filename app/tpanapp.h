// The application object of ZOLT: it builds the main window (the document
// frame with its menu, tool bar and status bar) and carries out the
// commands 101-110 that the menu items and tool-bar buttons send.
#pragma once

#include "app/filedata.h"
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
    // Asks for a file name; the system's file dialog unless replaced.
    TFileDialogFunction FileDialog = RunFileDialog;

    TDecoratedMDIFrame* GetFrame() const;

    // Carries out command `id`; false for an id that is not a command.
    bool EvCommand(int id);

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

protected:
    void InitMainWindow() override;
};
