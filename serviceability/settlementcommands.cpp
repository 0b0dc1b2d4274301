#include "serviceability/settlementcommands.h"

#include "model/project.h"
#include "serviceability/settlement_dialog.h"
#include "serviceability/settlement_view.h"
#include "studies/studyformat.h"
#include "toolkit/tmessagebox.h"
#include "verification/result_window.h"

#include <QDialog>
#include <QMdiSubWindow>

namespace zolt {

namespace {

constexpr QPoint kSettlementPosition(60, 30);

// Whether the project's actions, rather than its N, load the footing.
bool hasActions(const DesignData& design) {
    return design.actions &&
           (!design.actions->characteristic.empty() || !design.actions->combinations.empty());
}

} // namespace

void SettlementCommand(QWidget* owner, TMDIClient* client) {
    {
        SettlementDialog dialog(owner, designData.settlement.value_or(SettlementSettings{}),
                                hasActions(designData));
        if (dialog.exec() != QDialog::Accepted)
            return;
        designData.settlement = dialog.Settings();
    }
    OpenSettlementWindow(client);
}

QMdiSubWindow* OpenSettlementWindow(TMDIClient* client) {
    if (!designData.settlement)
        return nullptr;
    const SettlementInputs inputs = CurrentSettlementInputs(*designData.settlement);
    const settlement::ProjectSettlementOutcome outcome = SettleInputs(inputs);
    if (!outcome.ok()) {
        ShowMessageBox(studies::sentence(outcome.failure.message), QMessageBox::Warning);
        return nullptr;
    }
    auto* view = new SettlementView(*outcome.settlement, inputs);
    return OpenResultWindow(client, view->Title(), view, kSettlementPosition);
}

} // namespace zolt
