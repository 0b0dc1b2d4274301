// Saves a picture of every study window and dialog as a person sees it, to
// look for clipped text and unreadable axes: studies_shots <folder>. Run it
// on a real display (Xvfb is enough).
#include "../gui/guitest.h"
#include "model/project.h"
#include "model/project_file.h"
#include "studies/montecarloview.h"
#include "studies/studiescommands.h"
#include "studies/sweepdialog.h"
#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "workflow/input_changes.h"

#include <QAbstractButton>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

using namespace zolt;

namespace {

QWidget* lastChild(TMDIClient* client) {
    return client->subWindowList().last();
}

void waitUntil(const std::function<bool()>& done) {
    if (!QTest::qWaitFor(done, 60000))
        qWarning("gave up waiting: the picture shows the window as it was");
}

} // namespace

int main(int argc, char** argv) {
    TApplication app(QStringLiteral("Orvane ZOLT 6.0"), argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto save = [&](QWidget* widget, const char* name) {
        QTest::qWait(100); // the charts lay out their changes on the next turns of the loop
        widget->grab().save(folder + QLatin1Char('/') + QString::fromLatin1(name) +
                            QStringLiteral(".png"));
    };
    QMainWindow window;
    TMDIClient* client = setUpMainWindow(window, QSize(1260, 980));
    window.show();

    // A footing on which every factor of every method takes part.
    geometryData = {.B = 2,
                    .L = 3,
                    .D = 1,
                    .alpha = 5,
                    .omega = 5,
                    .ex = 0.1,
                    .ey = 0.1,
                    .N = 150000,
                    .T = 8000};
    soilData = {.gamma = 1800, .phi = 28, .delta = 20, .c = 0.15, .ca = 0.1};

    QTimer::singleShot(100, [&] {
        ComparisonCommand(&window, client);
        save(lastChild(client), "113-comparison");
        // The data change after the comparison: the bar over it.
        soilData.phi = 30;
        AnnounceInputChanges();
        save(lastChild(client), "113-comparison-stale");
        soilData.phi = 28;
        client->closeAllSubWindows();

        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<studies::SweepDialog*>(QApplication::activeModalWidget());
            auto* input = dialog->findChild<QComboBox*>(QStringLiteral("input"));
            input->setCurrentIndex(10); // phi
            dialog->findChild<QLineEdit*>(QStringLiteral("from"))->setText(QStringLiteral("20"));
            dialog->findChild<QLineEdit*>(QStringLiteral("to"))->setText(QStringLiteral("40"));
            save(dialog, "114-sweep-dialog");
            dialog->accept();
        });
        SweepCommand(&window, client);
        auto* sweep = lastChild(client);
        waitUntil([&] {
            return sweep->findChild<QAbstractButton*>(QStringLiteral("export"))->isEnabled();
        });
        QTest::mouseMove(sweep->findChild<QChartView*>()->viewport(), QPoint(420, 200));
        QTest::qWait(100);
        save(sweep, "114-sweep");
        client->closeAllSubWindows();

        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<studies::SweepDialog*>(QApplication::activeModalWidget());
            dialog->findChild<QComboBox*>(QStringLiteral("input"))->setCurrentIndex(0); // B
            dialog->findChild<QLineEdit*>(QStringLiteral("to"))->setText(QStringLiteral("5"));
            dialog->findChild<QLineEdit*>(QStringLiteral("count"))
                ->setText(QStringLiteral("1000000"));
            dialog->accept();
        });
        SweepCommand(&window, client);
        sweep = lastChild(client);
        QTest::qWait(150);
        save(sweep, "114-sweep-running");
        waitUntil([&] {
            return sweep->findChild<QAbstractButton*>(QStringLiteral("export"))->isEnabled();
        });
        save(sweep, "114-sweep-million-B");
        client->closeAllSubWindows();

        MonteCarloCommand(&window, client);
        auto* monteCarlo = lastChild(client);
        auto* view = monteCarlo->findChild<studies::MonteCarloView*>();
        save(monteCarlo, "115-montecarlo-empty");
        view->findChild<QLineEdit*>(QStringLiteral("samples"))->setText(QStringLiteral("10000000"));
        view->findChild<QAbstractButton*>(QStringLiteral("start"))->click();
        QTest::qWait(700);
        save(monteCarlo, "115-montecarlo-running");
        view->findChild<QAbstractButton*>(QStringLiteral("cancel"))->click();
        waitUntil([&] { return !view->isRunning(); });
        save(monteCarlo, "115-montecarlo-cancelled");
        view->findChild<QLineEdit*>(QStringLiteral("samples"))->setText(QStringLiteral("200000"));
        view->findChild<QAbstractButton*>(QStringLiteral("start"))->click();
        waitUntil([&] { return !view->isRunning(); });
        save(monteCarlo, "115-montecarlo");
        save(&window, "main-with-montecarlo");

        client->closeAllSubWindows();

        // The three-layer example with its water table: both conditions.
        std::string error;
        if (!ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error))
            qWarning("%s", error.c_str());
        ComparisonCommand(&window, client);
        save(lastChild(client), "113-comparison-ground");
        client->closeAllSubWindows();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<studies::SweepDialog*>(QApplication::activeModalWidget());
            dialog->findChild<QComboBox*>(QStringLiteral("input"))->setCurrentIndex(0); // B
            dialog->findChild<QLineEdit*>(QStringLiteral("from"))->setText(QStringLiteral("1.5"));
            dialog->findChild<QLineEdit*>(QStringLiteral("to"))->setText(QStringLiteral("3"));
            dialog->accept();
        });
        SweepCommand(&window, client);
        sweep = lastChild(client);
        waitUntil([&] {
            return sweep->findChild<QAbstractButton*>(QStringLiteral("export"))->isEnabled();
        });
        QTest::mouseMove(sweep->findChild<QChartView*>()->viewport(), QPoint(420, 200));
        QTest::qWait(100);
        save(sweep, "114-sweep-ground");
        client->closeAllSubWindows();
        MonteCarloCommand(&window, client);
        monteCarlo = lastChild(client);
        view = monteCarlo->findChild<studies::MonteCarloView*>();
        view->findChild<QLineEdit*>(QStringLiteral("samples"))->setText(QStringLiteral("20000"));
        view->findChild<QAbstractButton*>(QStringLiteral("start"))->click();
        waitUntil([&] { return !view->isRunning(); });
        save(monteCarlo, "115-montecarlo-ground");
        view->findChild<QAbstractButton*>(QStringLiteral("showUndrained"))->click();
        save(monteCarlo, "115-montecarlo-ground-undrained");

        view->findChild<QAbstractButton*>(QStringLiteral("help"))->click();
        if (QTextBrowser* help = HelpWindow()) {
            QTest::qWait(100);
            save(help->window(), "studi-help");
        }
        app.quit();
    });
    return app.exec();
}
