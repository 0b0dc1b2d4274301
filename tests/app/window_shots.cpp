// Saves pictures of the whole screen as a person sees the program: the
// window menu open over three document windows, and the help beside the
// dialog that called it (by its button and by F1): window_shots <folder>.
// Run it on a real display (Xvfb is enough).
#include "app/tpanapp.h"
#include "model/project.h"
#include "toolkit/tdecoratedmdiframe.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMenu>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

namespace {

class ShotApp : public TPanApp {
public:
    using TPanApp::InitMainWindow;
    using TPanApp::TPanApp;
};

} // namespace

int main(int argc, char** argv) {
    ShotApp app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto save = [&](const char* name) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
    };
    app.InitMainWindow();
    TDecoratedMDIFrame* frame = app.GetFrame();
    if (!QTest::qWaitForWindowExposed(frame))
        return 1;
    zolt::geometryData = {.B = 2, .L = 3, .D = 1, .N = 100000};

    // Three document windows, the second active, and the window menu open.
    for (const int command : {CM_COMPARE, CM_MONTECARLO, CM_VERIFY}) {
        QTimer::singleShot(200, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        app.EvCommand(command);
    }
    app.Client->tileSubWindows();
    app.Client->setActiveSubWindow(app.Client->subWindowList().at(1));
    QTest::qWait(300);
    QTest::keyClick(frame, Qt::Key_N, Qt::AltModifier);
    save("finestra-menu");
    if (QWidget* popup = QApplication::activePopupWidget())
        QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(frame, Qt::Key_Escape);
    app.Client->closeAllSubWindows();

    // The help of two dialogs: the analysis dialog's button, F1 in the
    // geometry dialog.
    const auto helpOf = [&](int command, const char* name, bool byKey) {
        QTimer::singleShot(300, [&, name, byKey] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr)
                return;
            dialog->activateWindow();
            if (!QTest::qWaitForWindowActive(dialog))
                qWarning("the dialog did not become active");
            if (byKey) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            } else {
                for (auto* button : dialog->findChildren<QAbstractButton*>()) {
                    if (button->text() == QStringLiteral("Aiuto"))
                        button->click();
                }
            }
            save(name);
            if (QTextBrowser* help = HelpWindow())
                help->window()->close();
            static_cast<QDialog*>(dialog)->reject();
        });
        app.EvCommand(command);
    };
    helpOf(CM_ANALYSIS, "aiuto-analisi", false);
    helpOf(CM_GEOMETRY, "aiuto-geometria-f1", true);
    helpOf(CM_SIZING, "aiuto-dimensionamento-f1", true);
    return 0;
}
