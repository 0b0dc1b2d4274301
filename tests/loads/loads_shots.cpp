// Saves pictures of "Azioni e combinazioni", "Sisma" and the verification
// window on the combinations of the seismic example, as a person sees
// them, to look for clipped or overlapping text: zolt_loads_shots <folder>.
// Run it on a real display (Xvfb is enough).
#include "../gui/guitest.h"

#include "loads/actions_dialog.h"
#include "loads/seismic_dialog.h"
#include "model/project.h"
#include "model/project_file.h"
#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/verificationcommands.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

using namespace zolt;

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
        std::string error;
        if (!ReadProjectFile(ZOLT_EXAMPLES_DIR "/plinto-sismico-con-azioni.zolt", error)) {
            qWarning("%s", error.c_str());
            app.exit(1);
            return;
        }
        {
            ActionsDialog dialog(&window, designData, soilData, geometryData);
            dialog.show();
            QTest::qWait(100);
            dialog.grab().save(path("actions-dialog"));
            dialog.findChild<QRadioButton*>(QStringLiteral("combinationsMode"))->click();
            QTest::qWait(50);
            dialog.grab().save(path("actions-dialog-given"));
        }
        {
            SeismicDialog dialog(&window, designData.seismic);
            dialog.show();
            QTest::qWait(100);
            dialog.grab().save(path("seismic-dialog"));
        }
        SetChosenApproach(design::findApproach("ntc2018"));
        if (QMdiSubWindow* sub = OpenVerificationWindow(client)) {
            QTest::qWait(100);
            sub->grab().save(path("verification-combinations"));
            window.grab().save(path("verification-combinations-frame"));
            sub->close();
        }
        if (WinHelp(&window, QStringLiteral("zolt.hlp"), HELP_CONTEXT, ActionsDialog::kHelpContext))
            HelpWindow()->window()->grab().save(path("help-azioni"));
        app.quit();
    });
    return app.exec();
}
