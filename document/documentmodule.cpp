// The document module's entry point. zolt-calc has no Qt of its own: on
// the runs that ask for a document it loads this module, which brings the
// GUI application the text layout and the PDF writer need, and nothing is
// printed on the terminal by Qt on the way.
#include "document/fullreport.h"
#include "document/module_entry.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHashFunctions>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
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

// Qt's start looks into the session's runtime folder, and makes
// /tmp/runtime-<user> where none is set, left behind for good. Without
// one, the render gets a private folder of its own, gone when it ends.
class RuntimeFolder {
public:
    RuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return;
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zolt-runtime-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        path_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~RuntimeFolder() {
        if (path_.empty())
            return;
        ::unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    std::string path_;
};

// The writers stamp the local time, whose zone would change the length of
// the PDF's date: UTC for the render, the zone of before afterwards.
class UtcClock {
public:
    UtcClock() {
        const char* zone = std::getenv("TZ");
        if (zone != nullptr)
            previous_ = zone;
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
    }
    ~UtcClock() {
        if (previous_)
            ::setenv("TZ", previous_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    UtcClock(const UtcClock&) = delete;
    UtcClock& operator=(const UtcClock&) = delete;

private:
    std::optional<std::string> previous_;
};

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
    // The order in which the PDF writer lists its fonts follows Qt's hash
    // seed, random in every process: a fixed one, so that the same report
    // is the same bytes (its time stamps are set in renderFullReport).
    QHashSeed::setDeterministicGlobalSeed();
    const RuntimeFolder runtime;
    const UtcClock utc;
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
