#include "app/tpanapp.h"

#include "model/data_file.h"
#include "model/project.h"
#include "toolkit/tcontrolbar.h"
#include "toolkit/tdecoratedmdiframe.h"
#include "toolkit/tdialog.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/twinhelp.h"
#include "document/documentcommands.h"
#include "loads/actions_dialog.h"
#include "loads/seismic_dialog.h"
#include "profile/ground_dialog.h"
#include "serviceability/settlementcommands.h"
#include "studies/studiescommands.h"
#include "verification/approach_choice.h"
#include "verification/verificationcommands.h"
#include "workflow/commands.h"
#include "workflow/input_changes.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

const QString kHelpFile = QStringLiteral("zolt.hlp");

// The tool bar from left to right: command ids, 0 for a separator.
// clang-format off
constexpr int kToolBarLayout[] = {
    CM_FILEOPEN, CM_FILESAVE, 0,
    CM_GEOMETRY, CM_SOIL, 0,
    CM_ANALYSIS, 0,
    CM_REPORT, 0,
    CM_HELPCONTENTS, 0,
    CM_PRODUCTS, 0,
    CM_VERIFY,
};
// clang-format on
constexpr int kSeparatorWidth = 12;
constexpr int kToolBarPointSize = 10;

struct CommandEntry {
    int id;
    void (TPanApp::*handler)();
};

constexpr CommandEntry kCommandTable[] = {
    {CM_FILEOPEN, &TPanApp::CmFileOpen}, {CM_FILESAVE, &TPanApp::CmFileSave},
    {CM_EXIT, &TPanApp::CmExit},         {CM_GEOMETRY, &TPanApp::CmGeometry},
    {CM_SOIL, &TPanApp::CmSoil},         {CM_ANALYSIS, &TPanApp::CmAnalysis},
    {CM_REPORT, &TPanApp::CmReport},     {CM_HELPCONTENTS, &TPanApp::CmHelpContents},
    {CM_ABOUT, &TPanApp::CmAbout},       {CM_PRODUCTS, &TPanApp::CmProducts},
    {CM_VERIFY, &TPanApp::CmVerify},     {CM_SIZING, &TPanApp::CmSizing},
    {CM_COMPARE, &TPanApp::CmCompare},   {CM_SWEEP, &TPanApp::CmSweep},
    {CM_MONTECARLO, &TPanApp::CmMonteCarlo}, {CM_FULLREPORT, &TPanApp::CmFullReport},
    {CM_PRINTREPORT, &TPanApp::CmPrintReport},
    {CM_SETTLEMENT, &TPanApp::CmSettlement},
    {CM_NEWPROJECT, &TPanApp::CmNewProject},
    {CM_OPENPROJECT, &TPanApp::CmOpenProject},
    {CM_SAVEPROJECT, &TPanApp::CmSaveProject},
    {CM_SAVEPROJECTAS, &TPanApp::CmSaveProjectAs},
    {CM_GROUND, &TPanApp::CmGround},
    {CM_ACTIONS, &TPanApp::CmActions},
    {CM_SEISMIC, &TPanApp::CmSeismic},
};

// Icon 1, the program's icon.
QIcon programIcon() {
    return QIcon(QStringLiteral(":/icons/zolt.svg"));
}

// Qt's own dialogs and messages (file dialogs, standard buttons, edit menus)
// speak Italian whatever the process locale, where Qt's translations are
// installed (Debian's qt6-translations-l10n); English otherwise.
void installQtTranslation(QCoreApplication* app) {
    auto* translator = new QTranslator(app);
    if (translator->load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

// A name as the file functions of the project data take it.
std::string localPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

TPanApp::TPanApp(int& argc, char** argv) : TApplication(QString::fromUtf8(AppName), argc, argv) {
    installQtTranslation(this);
    setWindowIcon(programIcon());
    setDesktopFileName(QStringLiteral("zolt"));
}

TPanApp::~TPanApp() {
    // The main window goes before the application object it belongs to.
    delete GetMainWindow();
}

TDecoratedMDIFrame* TPanApp::GetFrame() const {
    return qobject_cast<TDecoratedMDIFrame*>(GetMainWindow());
}

void TPanApp::InitMainWindow() {
    Client = new TMDIClient;
    auto* frame = new TDecoratedMDIFrame(QString::fromUtf8(FrameTitle), MenuId, Client,
                                         /*trackMenuSelection=*/true);
    frame->SetIcon(programIcon());
    // F1 where no window has a page of its own: the contents.
    SetHelpContext(frame, kHelpFile, 0);
    SetMainWindow(frame);
    SetClientWindow(Client);

    auto* controlBar = new TControlBar(frame);
    QFont barFont = controlBar->font();
    barFont.setPointSize(kToolBarPointSize);
    controlBar->setFont(barFont);
    for (const int id : kToolBarLayout) {
        if (id == 0)
            controlBar->InsertSeparator(kSeparatorWidth);
        else
            controlBar->InsertButton(id);
    }
    controlBar->SetHintMode(TControlBar::EnterHints);
    frame->Insert(controlBar);

    auto* statusBar = new TStatusBar(frame, TStatusBar::CapsLock | TStatusBar::NumLock);
    statusBar->SetIdleText(QString::fromUtf8(IdleText));
    frame->Insert(statusBar);

    connect(frame, &TDecoratedMDIFrame::commandSelected, this, &TPanApp::EvCommand);
    frame->ShowMaximized();
    ShowProject();
    if (!StartFile.isEmpty())
        OpenStartFile(StartFile);
}

bool TPanApp::EvCommand(int id) {
    const auto* entry = std::find_if(std::begin(kCommandTable), std::end(kCommandTable),
                                     [id](const CommandEntry& e) { return e.id == id; });
    const bool recent = id >= CM_RECENTPROJECT && id < CM_RECENTPROJECT + TProjectFiles::MaxRecent;
    if (entry == std::end(kCommandTable) && !recent)
        return false;
    if (recent)
        CmRecentProject(id - CM_RECENTPROJECT);
    else
        (this->*entry->handler)();
    // Whatever the command wrote into the records, the result windows
    // computed before learn of it.
    zolt::AnnounceInputChanges();
    // The keyboard goes back to the main window after the command's
    // dialogs, also where no window manager hands the activation back.
    QWidget* frame = GetMainWindow();
    if (frame != nullptr && frame->isVisible() && activeWindow() == nullptr)
        frame->activateWindow();
    return true;
}

bool TPanApp::DataModified() const {
    return zolt::encodeDataFile(zolt::geometryData, zolt::soilData) !=
               zolt::encodeDataFile(SavedGeometry, SavedSoil) ||
           Project.Modified();
}

void TPanApp::MarkDataSaved() {
    SavedGeometry = zolt::geometryData;
    SavedSoil = zolt::soilData;
}

bool TPanApp::ConfirmDataSaved() {
    if (!DataModified())
        return true;
    switch (AskYesNoCancel(QString::fromUtf8(SaveQuestionText), GetMainWindow())) {
    case IDYES:
        return SaveChanges();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool TPanApp::CanClose() {
    return ConfirmDataSaved();
}

void TPanApp::CmFileOpen() {
    if (!ConfirmDataSaved())
        return;
    if (!FileDialog || !FileDialog(GetMainWindow(), TFileDialogKind::Open, FileData))
        return;
    const zolt::DataFileRead read = zolt::ReadDataFile(localPath(FileData.FileName));
    if (read)
        MarkDataSaved();
    else
        ShowMessageBox(QString::fromStdString(read.messageText()));
}

bool TPanApp::SaveData() {
    if (!FileDialog || !FileDialog(GetMainWindow(), TFileDialogKind::Save, FileData))
        return false;
    if (!zolt::WriteDataFile(localPath(FileData.FileName))) {
        ShowMessageBox(QString::fromUtf8(zolt::kOpenErrorText));
        return false;
    }
    MarkDataSaved();
    return true;
}

void TPanApp::CmFileSave() {
    SaveData();
}

void TPanApp::CmExit() {
    if (QWidget* frame = GetMainWindow())
        frame->close();
}

void TPanApp::CmGeometry() {
    zolt::GeometryCommand(GetMainWindow());
}

void TPanApp::CmSoil() {
    zolt::SoilCommand(GetMainWindow());
}

void TPanApp::CmAnalysis() {
    zolt::AnalysisCommand(GetMainWindow());
}

void TPanApp::CmReport() {
    zolt::ReportCommand(Client);
}

void TPanApp::CmHelpContents() {
    WinHelp(GetMainWindow(), kHelpFile, HELP_CONTENTS, 0);
}

void TPanApp::CmAbout() {
    TDialog about(GetMainWindow(), AboutDialogId);
    about.Execute();
}

void TPanApp::CmProducts() {
    WinHelp(GetMainWindow(), kHelpFile, HELP_CONTEXT, ProductsHelpContext);
}

void TPanApp::CmVerify() {
    zolt::VerificationCommand(GetMainWindow(), Client);
}

void TPanApp::CmSizing() {
    zolt::SizingCommand(GetMainWindow(), Client);
}

void TPanApp::CmCompare() {
    zolt::ComparisonCommand(GetMainWindow(), Client);
}

void TPanApp::CmSweep() {
    zolt::SweepCommand(GetMainWindow(), Client);
}

void TPanApp::CmMonteCarlo() {
    zolt::MonteCarloCommand(GetMainWindow(), Client);
}

QString TPanApp::ReportFileName() const {
    return Project.IsOpen() ? Project.FileName : FileData.FileName;
}

void TPanApp::CmFullReport() {
    zolt::FullReportCommand(GetMainWindow(), ReportFileName());
}

void TPanApp::CmPrintReport() {
    zolt::PrintReportCommand(GetMainWindow(), ReportFileName());
}

void TPanApp::CmSettlement() {
    zolt::SettlementCommand(GetMainWindow(), Client);
}

bool TPanApp::SaveChanges() {
    if (Project.IsOpen() || Project.DesignModified())
        return SaveProject(false);
    return SaveData();
}

bool TPanApp::SaveProject(bool chooseName) {
    QString path = Project.FileName;
    if (chooseName || path.isEmpty()) {
        if (!FileDialog || !FileDialog(GetMainWindow(), TFileDialogKind::Save, Project.FileData))
            return false;
        path = Project.FileData.FileName;
    }
    if (!Project.Save(path, GetMainWindow()))
        return false;
    MarkDataSaved();
    ShowProject();
    return true;
}

bool TPanApp::OpenProject(const QString& path) {
    if (!Project.Open(path, GetMainWindow()))
        return false;
    // A project holds the approach of its verification.
    zolt::SetChosenApproach(&zolt::ProjectApproach());
    MarkDataSaved();
    ShowProject();
    return true;
}

bool TPanApp::OpenStartFile(const QString& path) {
    if (!path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
        return OpenProject(path);
    if (!zolt::ReadDataFile(localPath(path))) {
        ShowMessageBox(QString::fromUtf8(zolt::kOpenErrorText));
        return false;
    }
    FileData.FileName = path;
    MarkDataSaved();
    return true;
}

void TPanApp::ShowProject() {
    TDecoratedMDIFrame* frame = GetFrame();
    if (frame == nullptr)
        return;
    QString title = QString::fromUtf8(FrameTitle);
    if (Project.IsOpen())
        title += QStringLiteral(" - ") + QFileInfo(Project.FileName).fileName();
    frame->setWindowTitle(title);

    // The projects used last go between the data file's items and Exit,
    // with a line of their own.
    QAction* exit = frame->CommandAction(CM_EXIT);
    QMenu* menu = exit != nullptr ? qobject_cast<QMenu*>(exit->parent()) : nullptr;
    if (menu == nullptr)
        return;
    for (int i = 0; i < TProjectFiles::MaxRecent; ++i)
        frame->RemoveCommand(CM_RECENTPROJECT + i);
    if (QAction* line = menu->findChild<QAction*>(QStringLiteral("recentProjectsEnd"),
                                                  Qt::FindDirectChildrenOnly)) {
        menu->removeAction(line);
        line->setObjectName(QString());
        line->deleteLater();
    }
    const QStringList recent = Project.Recent();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        QString name = QFileInfo(recent.at(i)).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        QAction* item =
            frame->InsertCommand(menu, exit, QStringLiteral("&%1 %2").arg(i + 1).arg(name),
                                 CM_RECENTPROJECT + static_cast<int>(i));
        item->setToolTip(recent.at(i));
    }
    if (!recent.isEmpty()) {
        auto* line = new QAction(menu);
        line->setObjectName(QStringLiteral("recentProjectsEnd"));
        line->setSeparator(true);
        menu->insertAction(exit, line);
    }
    menu->setToolTipsVisible(true);
}

void TPanApp::CmNewProject() {
    if (!ConfirmDataSaved())
        return;
    zolt::geometryData = {};
    zolt::soilData = {};
    zolt::analysisSettings = {};
    zolt::designData = {};
    zolt::SetChosenApproach(nullptr);
    MarkDataSaved();
    Project.MarkSaved({});
    ShowProject();
}

void TPanApp::CmOpenProject() {
    if (!ConfirmDataSaved())
        return;
    if (!FileDialog || !FileDialog(GetMainWindow(), TFileDialogKind::Open, Project.FileData))
        return;
    OpenProject(Project.FileData.FileName);
}

void TPanApp::CmSaveProject() {
    SaveProject(false);
}

void TPanApp::CmSaveProjectAs() {
    SaveProject(true);
}

void TPanApp::CmGround() {
    zolt::GroundCommand(GetMainWindow());
}

void TPanApp::CmActions() {
    zolt::ActionsCommand(GetMainWindow());
}

void TPanApp::CmSeismic() {
    zolt::SeismicCommand(GetMainWindow());
}

void TPanApp::CmRecentProject(int index) {
    const QStringList recent = Project.Recent();
    if (index < 0 || index >= recent.size())
        return;
    const QString path = recent.at(index);
    if (!ConfirmDataSaved())
        return;
    OpenProject(path);
}
