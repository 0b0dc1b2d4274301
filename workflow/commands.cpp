#include "workflow/commands.h"

#include "engine/bearing_capacity.h"
#include "model/data_file.h"
#include "model/project.h"
#include "toolkit/teditfile.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"
#include "workflow/input_checks.h"
#include "workflow/report.h"
#include "workflow/results_dialog.h"
#include "workflow/zolt_ana.h"

#include <QMdiSubWindow>

namespace zolt {

namespace {

constexpr int kReportViewId = 100;
constexpr QSize kReportViewSize(400, 400);
constexpr QPoint kReportWindowPosition(100, 100);
constexpr const char* kEngineErrorText = "Errore";
constexpr const char* kNoAnalysisText = "Eseguire prima l'analisi";
constexpr unsigned long kReportHelpContext = 105; // F1 in the report window

} // namespace

void ShowInputCheckMessages(InputCheckMask mask) {
    ShowMessageBox(QString::fromStdString(inputCheckText(mask)));
}

void AnalysisCommand(QWidget* owner) {
    {
        // The dialog's controls write the settings while it is open; Annulla
        // puts back those of before, as the geometry dialog does.
        const AnalysisSettings before = analysisSettings;
        Zolt_Ana dialog(owner);
        if (dialog.Execute() == IDCANCEL) {
            analysisSettings = before;
            return;
        }
    }
    if (const InputCheckMask mask = CheckAnalysisInputs(); mask != 0) {
        ShowInputCheckMessages(mask);
        return;
    }
    const GeometryData& g = geometryData;
    if (computeBearingCapacity(analysisSettings.method, g.B, g.L, g.D, g.alpha, g.omega, g.N, g.T,
                               g.ex, g.ey, &bearingResult.ultimateLoad) != kEngineOk) {
        ShowMessageBox(QString::fromUtf8(kEngineErrorText));
        return;
    }
    ShowResultsDialog(owner);
}

QMdiSubWindow* ReportCommand(TMDIClient* client) {
    // Before any successful analysis the results record holds no results.
    if (!analysedMethod) {
        ShowMessageBox(QString::fromUtf8(kNoAnalysisText));
        return nullptr;
    }
    if (!WriteReport()) {
        ShowMessageBox(QString::fromUtf8(kOpenErrorText));
        return nullptr;
    }
    auto* view = new TEditFile(nullptr, kReportViewId, QString(), 0, 0, kReportViewSize.width(),
                               kReportViewSize.height(), QString::fromUtf8(kReportFileName));
    // Wider when the font needs it, so that no line of the report is cut.
    view->resize(qMax(kReportViewSize.width(), view->FullLineWidth()), kReportViewSize.height());
    SetHelpContext(view, QStringLiteral("zolt.hlp"), kReportHelpContext);
    return client->CreateChild(QStringLiteral("Relazione"), view, kReportWindowPosition);
}

} // namespace zolt
