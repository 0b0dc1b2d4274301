// The document module's entry point. zolt-calc has no Qt of its own: on
// the runs that ask for a document it loads this module, which brings the
// GUI application the text layout and the PDF writer need, and nothing is
// printed on the terminal by Qt on the way.
#include "document/fullreport.h"
#include "document/module_entry.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <type_traits>

namespace {

// A document needs no screen: the offscreen platform works with or
// without a display, and never stops the program for want of one. An
// explicit choice of platform is left alone.
void chooseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's diagnostics (fonts, platform) are not zolt-calc's to print; a
// failure shows as the entry's result.
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

bool render(const zolt::document::ReportRequest& request, int format, std::string& bytes) {
    const auto document = zolt::document::renderFullReport(
        request, format == static_cast<int>(zolt::document::ReportFormat::Odt)
                     ? zolt::document::ReportFormat::Odt
                     : zolt::document::ReportFormat::Pdf);
    if (!document)
        return false;
    bytes = *document;
    return true;
}

} // namespace

extern "C" __attribute__((visibility("default"))) bool
zolt_document_render_v1(const zolt::document::ReportRequest* request, int format,
                        std::string* bytes) {
    static_assert(std::is_same_v<decltype(&zolt_document_render_v1), zolt::document::ModuleEntry>);
    if (request == nullptr || bytes == nullptr)
        return false;
    // Documents need fonts and painting: a plain core application will not
    // do, and a second application cannot be made beside it.
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            return false;
        return render(*request, format, *bytes);
    }

    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    chooseOffscreenPlatform();
    static int argc = 1;
    static char name[] = "zolt-calc";
    static char* argv[] = {name, nullptr};
    bool done = false;
    {
        // Lives for this call only: nothing of Qt outlasts the render.
        QGuiApplication application(argc, argv);
        done = render(*request, format, *bytes);
    }
    qInstallMessageHandler(previous);
    return done;
}
