// Saves pictures of "Cedimenti" as a person sees them, to look for clipped
// text and unreadable axes and bands: the dialog, and the window of the
// three-layer example with each method, and the sizing that keeps the
// settlement within a limit. settlement_shots <folder>; run it
// on a real display (Xvfb is enough).
#include "../gui/guitest.h"
#include "model/project.h"
#include "model/project_file.h"
#include "serviceability/settlement_dialog.h"
#include "serviceability/settlementcommands.h"
#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"
#include "verification/sizing_dialog.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QPushButton>
#include <QMdiSubWindow>
#include <QTimer>
#include <QtTest>

#include <cstdio>

using namespace zolt;

int main(int argc, char** argv) {
    TApplication app(QStringLiteral("Orvane ZOLT 6.0"), argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto save = [&](QWidget* widget, const QString& name) {
        QTest::qWait(200); // the charts lay out their changes on the next turns of the loop
        widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    };
    std::string error;
    if (!ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    QMainWindow window;
    TMDIClient* client = setUpMainWindow(window, QSize(1260, 980));
    window.show();
    QTest::qWait(200);

    SettlementDialog dialog(&window, *designData.settlement, false);
    dialog.show();
    save(&dialog, QStringLiteral("118-dialog"));
    dialog.close();

    // "Dimensionamento" with the settlement kept within 0.6 cm, which
    // governs over the bearing.
    {
        const SettlementSettings kept = *designData.settlement;
        designData.settlement->limit = 0.6;
        SizingDialog sizing(&window);
        sizing.findChild<QCheckBox*>(QStringLiteral("settlement"))->setChecked(true);
        sizing.show();
        sizing.findChild<QPushButton*>(QStringLiteral("compute"))->click();
        save(&sizing, QStringLiteral("112-sizing-settlement"));
        *designData.settlement = kept;
    }

    const char* const names[] = {"elastic", "oedometric", "schmertmann", "burland-burbidge"};
    const SettlementMethod methods[] = {SettlementMethod::Elastic, SettlementMethod::Oedometric,
                                        SettlementMethod::Schmertmann,
                                        SettlementMethod::BurlandBurbidge};
    for (int i = 0; i < 4; ++i) {
        designData.settlement->method = methods[i];
        QMdiSubWindow* child = OpenSettlementWindow(client);
        if (child == nullptr)
            continue;
        save(child, QStringLiteral("118-window-") + QString::fromLatin1(names[i]));
        child->close();
    }
    return 0;
}
