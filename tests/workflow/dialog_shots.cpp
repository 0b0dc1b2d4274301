// Saves a picture of every workflow dialog as a person sees it, to look
// for clipped or overlapping text: dialog_shots <folder>. Run it on a
// real display (Xvfb is enough).
#include "../gui/guitest.h"
#include "dialogscript.h"

#include "model/project.h"
#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"
#include "workflow/commands.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QTimer>

using namespace zolt;

int main(int argc, char** argv) {
    TApplication app(QStringLiteral("Orvane ZOLT 6.0"), argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QMainWindow window;
    TMDIClient* client = setUpMainWindow(window, QSize(1000, 800));
    window.show();

    const auto shot = [&](const QString& name) {
        return [&, name](TDialog& dialog) {
            dialog.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        };
    };
    QTimer::singleShot(100, [&] {
        DialogScript script;
        script.then(shot(QStringLiteral("100-geometry"))).then(DialogScript::press(IDCANCEL));
        GeometryCommand(&window);
        script.then(shot(QStringLiteral("200-soil"))).then(DialogScript::press(IDCANCEL));
        SoilCommand(&window);
        geometryData.N = 10000;
        geometryData.T = 1000;
        script.then(DialogScript::press(303))
            .then(shot(QStringLiteral("300-method")))
            .then(DialogScript::press(IDOK))
            .then(shot(QStringLiteral("400-results")))
            .then(DialogScript::press(IDOK));
        AnalysisCommand(&window);
        if (QMdiSubWindow* report = ReportCommand(client))
            report->grab().save(folder + QStringLiteral("/report-window.png"));
        window.grab().save(folder + QStringLiteral("/main-with-report.png"));
        app.quit();
    });
    return app.exec();
}
