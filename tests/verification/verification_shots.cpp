// Saves pictures of the verification dialog, the verification windows and
// the sizing dialog as a person sees them, to look for clipped or
// overlapping text: zolt_verification_shots <folder>. Run it on a real
// display (Xvfb is enough).
#include "../gui/guitest.h"
#include "dialogscript.h"

#include "model/project.h"
#include "model/project_file.h"
#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/sizing_dialog.h"
#include "verification/verificationcommands.h"
#include "workflow/input_changes.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

using namespace zolt;

namespace {

// Runs the sizing command and hands its dialog to `steps` once it shows.
void withSizingDialog(QMainWindow& window, TMDIClient* client,
                      const std::function<void(SizingDialog&)>& steps) {
    QTimer poll;
    bool ran = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<SizingDialog*>(QApplication::activeModalWidget());
        if (ran || dialog == nullptr || !dialog->isVisible())
            return;
        ran = true;
        QTimer::singleShot(50, dialog, [dialog, &steps] {
            steps(*dialog);
            dialog->reject();
        });
    });
    poll.start(10);
    SizingCommand(&window, client);
}

} // namespace

int main(int argc, char** argv) {
    TApplication app(QStringLiteral("Orvane ZOLT 6.0"), argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto path = [&](const char* name) {
        return folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    };
    QMainWindow window;
    TMDIClient* client = setUpMainWindow(window, QSize(1200, 950));
    window.show();

    QTimer::singleShot(100, [&] {
        geometryData = {.B = 2, .L = 3, .D = 1, .ex = 0.4, .N = 80000, .T = 9000};
        soilData = {.gamma = 1850, .phi = 28, .delta = 20, .c = 0.05, .ca = 0.02};
        DialogScript script;
        script.then(DialogScript::press(1114))
            .then(DialogScript::press(1117))
            .then([&](TDialog& dialog) { dialog.grab().save(path("1110-verification-dialog")); })
            .then(DialogScript::press(IDOK));
        VerificationCommand(&window, client);
        if (QMdiSubWindow* sub = client->subWindowList().value(0)) {
            sub->grab().save(path("verification-window"));
            // The inputs change after it was computed: the bar over it.
            geometryData.N = 95000;
            AnnounceInputChanges();
            sub->grab().save(path("verification-window-stale"));
            sub->close();
        }

        // Not verified, the bearing not computable, both eccentricity notes.
        geometryData = {.B = 1, .L = 1, .D = 1, .ex = 0.4, .N = 10000, .T = 25000};
        soilData = {.gamma = 1800, .phi = 30, .delta = 70};
        SetChosenApproach(design::findApproach("ntc2018"));
        if (QMdiSubWindow* sub = OpenVerificationWindow(client)) {
            sub->grab().save(path("verification-window-failed"));
            sub->close();
        }

        geometryData = {.B = 2, .L = 3, .D = 1, .N = 120000, .T = 9000};
        soilData = {.gamma = 1850, .phi = 30, .delta = 20};
        withSizingDialog(window, client, [&](SizingDialog& dialog) {
            dialog.grab().save(path("sizing-dialog"));
            dialog.findChild<QRadioButton*>(QStringLiteral("ratioRule"))->click();
            dialog.findChild<QPushButton*>(QStringLiteral("compute"))->click();
            dialog.grab().save(path("sizing-dialog-found"));
        });
        geometryData.T = 60000;
        withSizingDialog(window, client, [&](SizingDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("compute"))->click();
            dialog.grab().save(path("sizing-dialog-none"));
        });
        // The three layers with water of the examples: two conditions.
        std::string error;
        if (ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error)) {
            SetChosenApproach(&ProjectApproach());
            if (QMdiSubWindow* sub = OpenVerificationWindow(client)) {
                sub->grab().save(path("verification-window-ground"));
                sub->close();
            }
            withSizingDialog(window, client, [&](SizingDialog& dialog) {
                dialog.findChild<QPushButton*>(QStringLiteral("compute"))->click();
                dialog.grab().save(path("sizing-dialog-ground"));
            });
        }
        designData = {};
        if (WinHelp(&window, QStringLiteral("zolt.hlp"), HELP_CONTEXT, 111))
            HelpWindow()->window()->grab().save(path("help-verifiche"));
        app.quit();
    });
    return app.exec();
}
