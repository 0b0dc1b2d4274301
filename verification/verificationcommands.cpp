#include "verification/verificationcommands.h"

#include "design/verification.h"
#include "model/project.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/sizing_dialog.h"
#include "verification/verification_dialog.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"

#include <QMdiSubWindow>
#include <QTableWidget>

namespace zolt {

namespace {

constexpr QPoint kVerificationWindowPosition(40, 40);

} // namespace

QMdiSubWindow* OpenVerificationWindow(TMDIClient* client) {
    const design::Approach* approach = ChosenApproach();
    if (approach == nullptr)
        return nullptr;
    const design::Verification v =
        design::verify(*approach, analysisSettings.method, geometryData, soilData);
    if (v.refused()) {
        ShowInputCheckMessages(v.refusal);
        return nullptr;
    }
    QTableWidget* table = NewVerificationTable(v, geometryData, VerificationTableParts::Full);
    SetHelpContext(table, QStringLiteral("zolt.hlp"), VerificationDialog::kHelpContext);
    const QString title =
        QStringLiteral("Verifica – ") +
        QString::fromUtf8(approach->label.data(), static_cast<qsizetype>(approach->label.size()));
    return client->CreateChild(title, table, kVerificationWindowPosition);
}

void VerificationCommand(QWidget* owner, TMDIClient* client) {
    {
        VerificationDialog dialog(owner);
        if (dialog.Execute() != IDOK)
            return;
        SetChosenApproach(&dialog.Approach());
    }
    OpenVerificationWindow(client);
}

void SizingCommand(QWidget* owner, TMDIClient* /*client*/) {
    SizingDialog dialog(owner);
    dialog.exec();
}

} // namespace zolt
