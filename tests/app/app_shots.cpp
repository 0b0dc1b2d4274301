// Saves pictures of the project's parts of the main window as a person
// sees them, to look for clipped or overlapping text: the File menu with
// the projects used last, and "Stratigrafia e falda" on a three-layer
// project with a water table, and on the homogeneous soil. app_shots <folder> <project>; run it on a
// real display (Xvfb is enough).
#include "app/tpanapp.h"
#include "model/project.h"
#include "profile/ground_dialog.h"
#include "toolkit/tdecoratedmdiframe.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class ShotApp : public TPanApp {
public:
    using TPanApp::InitMainWindow;
    using TPanApp::TPanApp;
};

} // namespace

int main(int argc, char** argv) {
    // The projects used last stay with this run.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    ShotApp app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const QString folder = arguments.at(1);
    for (const char* name : {"plinto-terreno-asciutto.zolt", "trave-con-falda.zolt",
                             "un progetto dal nome piuttosto lungo & complicato.zolt"})
        app.Project.Remember(QStringLiteral("/home/progettista/progetti/") +
                             QString::fromUtf8(name));
    app.StartFile = arguments.at(2);
    app.InitMainWindow();
    TDecoratedMDIFrame* frame = app.GetFrame();
    QTest::qWait(300);

    QMenuBar* bar = frame->menuBar();
    bar->setActiveAction(bar->actions().first());
    QTest::qWait(300);
    frame->screen()->grabWindow(0).save(folder + QStringLiteral("/menu-file.png"));
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QTest::qWait(100);

    zolt::GroundDialog dialog(frame, zolt::designData.ground, zolt::soilData, zolt::geometryData);
    dialog.show();
    QTest::qWait(300);
    dialog.findChild<QTableView*>(QStringLiteral("layers"))->selectRow(1);
    QTest::qWait(100);
    dialog.grab().save(folder + QStringLiteral("/stratigrafia.png"));
    frame->screen()->grabWindow(0).save(folder + QStringLiteral("/stratigrafia-schermo.png"));
    dialog.close();

    // The homogeneous soil, a footing on the surface and the water there.
    zolt::GroundData homogeneous;
    homogeneous.waterTable = 0.0;
    zolt::GeometryData surface;
    surface.B = 4.0;
    surface.L = 99.9;
    surface.D = 0.0;
    zolt::GroundDialog plain(frame, homogeneous, zolt::SoilData{}, surface);
    plain.show();
    QTest::qWait(300);
    plain.grab().save(folder + QStringLiteral("/stratigrafia-omogeneo.png"));
    return 0;
}
