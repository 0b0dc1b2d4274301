#include "document/documentcommands.h"

#include "document/fullreport.h"
#include "model/data_file.h"
#include "model/file_io.h"
#include "model/project.h"
#include "toolkit/tfiledialog.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace zolt {

namespace {

// The print preview's share of the screen, per cent, and its width per
// its height: about an A4 page fitted to the width, with the tool bar.
constexpr int kPreviewScreenShare = 90;
constexpr int kPreviewWidthPerHeight = 90;

const QString kPdfFilter = QStringLiteral("Documento PDF (*.pdf)");
const QString kOdtFilter = QStringLiteral("Testo ODF (*.odt)");
// F1 in the file dialog and in the print preview.
constexpr unsigned long kFullReportHelpContext = 116;
constexpr unsigned long kPrintHelpContext = 117;

QString askWithDialog(QWidget* owner, const QString& suggested) {
    QFileDialog dialog(owner, QStringLiteral("Relazione completa"));
    SetHelpContext(&dialog, QStringLiteral("zolt.hlp"), kFullReportHelpContext);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPdfFilter, kOdtFilter});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // A name typed without an extension takes the chosen filter's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kOdtFilter ? QStringLiteral("odt") : QStringLiteral("pdf"));
    });
    dialog.selectFile(suggested);
    TDressFileDialog(dialog);
    if (TExecFileDialog(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

ReportFileNameFunction& filePrompt() {
    static ReportFileNameFunction prompt;
    return prompt;
}

// The data file's name with .pdf, in its folder; "relazione.pdf" in the
// current folder for a project without a file.
QString suggestedName(const QString& projectFileName) {
    if (projectFileName.isEmpty())
        return QDir::current().filePath(QStringLiteral("relazione.pdf"));
    const QFileInfo project(projectFileName);
    return project.dir().filePath(project.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace

void SetReportFileNameFunction(ReportFileNameFunction prompt) {
    filePrompt() = std::move(prompt);
}

document::ReportRequest CurrentReportRequest(const QString& projectFileName) {
    document::ReportRequest request;
    request.projectName = QFileInfo(projectFileName).fileName().toStdString();
    request.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    request.geometry = geometryData;
    request.soil = soilData;
    request.settings = analysisSettings;
    // The report's analysis is that of the last successful run, in the
    // method that run used, as the results and rel.txt name it.
    request.settings.method = analysedMethod.value_or(analysisSettings.method);
    request.analysed = analysedMethod.has_value();
    request.approach = ChosenApproach();
    request.info = designData.info;
    request.ground = designData.ground;
    request.actions = designData.actions;
    request.seismic = designData.seismic;
    request.settlement = designData.settlement;
    return request;
}

void FullReportCommand(QWidget* owner, const QString& projectFileName) {
    const QString suggested = suggestedName(projectFileName);
    const QString path =
        filePrompt() ? filePrompt()(owner, suggested) : askWithDialog(owner, suggested);
    if (path.isEmpty())
        return;
    const auto format = path.endsWith(QStringLiteral(".odt"), Qt::CaseInsensitive)
                            ? document::ReportFormat::Odt
                            : document::ReportFormat::Pdf;
    const auto bytes = document::renderFullReport(CurrentReportRequest(projectFileName), format);
    if (!bytes || !replaceFileContents(QFile::encodeName(path).toStdString(), *bytes))
        ShowMessageBox(QString::fromUtf8(kOpenErrorText), QMessageBox::NoIcon, owner);
}

void PrintReportCommand(QWidget* owner, const QString& projectFileName) {
    const document::ReportRequest request = CurrentReportRequest(projectFileName);
    QPrinter printer(QPrinter::HighResolution);
    document::setReportPageLayout(printer);
    printer.setDocName(QStringLiteral("Relazione di calcolo"));
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(QStringLiteral("Stampa relazione"));
    SetHelpContext(&preview, QStringLiteral("zolt.hlp"), kPrintHelpContext);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&request](QPrinter* target) { document::paintFullReport(request, *target); });
    // A page's text is read at the screen's full height with the page as
    // wide as the window: Qt's own start (a small window, the whole page
    // in it) leaves the text too small to read.
    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * kPreviewScreenShare / 100;
        const int width = std::min(room.width() * kPreviewScreenShare / 100,
                                   height * kPreviewWidthPerHeight / 100);
        preview.resize(width, height);
        preview.move(room.center() - QPoint(width / 2, height / 2));
    }
    if (auto* pages = preview.findChild<QPrintPreviewWidget*>())
        pages->setZoomMode(QPrintPreviewWidget::FitToWidth);
    preview.exec();
}

} // namespace zolt
