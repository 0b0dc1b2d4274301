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
#include "verification/sizing_dialog.h"
#include "verification/verificationcommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

using namespace zolt;

namespace {

// A cell edited as its editor hands it over: the text of a number or a
// name, the index of a choice.
void setCell(QTableView* table, int row, int column, const QVariant& value) {
    table->model()->setData(table->model()->index(row, column), value);
}

// A new project typed in from nothing: G1, G2, two Q and E, the seismic
// site, verified to NTC 2018; saved where zolt-calc can make its PDF.
void newUserProject(QMainWindow& window, TMDIClient* client, const QString& folder,
                    const std::function<QString(const char*)>& path) {
    geometryData = {.B = 2.0, .L = 2.0, .D = 1.5, .N = 0, .T = 0};
    soilData = {.gamma = 1850, .phi = 29, .delta = 19, .c = 0.02, .ca = 0};
    designData = {};
    {
        ActionsDialog dialog(&window, designData, soilData, geometryData);
        showActive(dialog);
        auto* table = dialog.findChild<QTableView*>(QStringLiteral("actions"));
        auto* add = dialog.findChild<QPushButton*>(QStringLiteral("add"));
        struct Row {
            const char* name;
            int kind;     // G1, G2, Q, E
            int category; // of a Q
            const char* N;
            const char* TB;
            const char* MB;
        };
        const Row rows[] = {{"Telaio", 0, 0, "60000", "0", "0"},
                            {"Solai e tamponature", 1, 0, "25000", "0", "1500"},
                            {"Residenziale", 2, 0, "18000", "0", "900"},
                            {"Neve", 2, 9, "6000", "0", "0"},
                            {"Sisma X", 3, 0, "3000", "9500", "14000"}};
        for (int i = 0; i < 5; ++i) {
            add->click();
            setCell(table, i, 0, QString::fromUtf8(rows[i].name));
            setCell(table, i, 1, rows[i].kind);
            if (rows[i].kind == 2)
                setCell(table, i, 2, rows[i].category);
            setCell(table, i, 3, QString::fromLatin1(rows[i].N));
            setCell(table, i, 4, QString::fromLatin1(rows[i].TB));
            setCell(table, i, 6, QString::fromLatin1(rows[i].MB));
        }
        dialog.findChild<QCheckBox*>(QStringLiteral("selfWeight"))->click();
        QTest::qWait(50);
        dialog.grab().save(path("new-user-actions"));
        designData.actions = dialog.Actions();
    }
    {
        SeismicDialog dialog(&window, designData.seismic);
        showActive(dialog);
        dialog.findChild<QCheckBox*>(QStringLiteral("enabled"))->click();
        dialog.findChild<QLineEdit*>(QStringLiteral("agOverG"))->setText(QStringLiteral("0.250"));
        dialog.findChild<QComboBox*>(QStringLiteral("subsoil"))->setCurrentIndex(2);
        dialog.findChild<QLineEdit*>(QStringLiteral("SS"))->setText(QStringLiteral("1.35"));
        QTest::qWait(50);
        dialog.grab().save(path("new-user-seismic"));
        designData.seismic = dialog.Seismic();
    }
    SetChosenApproach(design::findApproach("ntc2018"));
    if (QMdiSubWindow* sub = OpenVerificationWindow(client)) {
        QTest::qWait(100);
        window.grab().save(path("new-user-verification"));
        sub->close();
    }
    std::string error;
    if (!WriteProjectFile((folder + QStringLiteral("/new-user.zolt")).toStdString(), error))
        qWarning("%s", error.c_str());
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
        {
            SizingDialog dialog(&window);
            dialog.show();
            dialog.findChild<QPushButton*>(QStringLiteral("compute"))->click();
            QTest::qWait(100);
            dialog.grab().save(path("sizing-combinations"));
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
        newUserProject(window, client, folder, path);
        app.quit();
    });
    return app.exec();
}
