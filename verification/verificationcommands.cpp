#include "verification/verificationcommands.h"

#include "toolkit/tmdiclient.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/result_window.h"
#include "verification/sizing_dialog.h"
#include "verification/verification_dialog.h"
#include "verification/verification_view.h"

#include <QMdiSubWindow>

namespace zolt {

namespace {

constexpr QPoint kVerificationWindowPosition(40, 40);

} // namespace

QMdiSubWindow* OpenVerificationWindow(TMDIClient* client) {
    const design::Approach* approach = ChosenApproach();
    if (approach == nullptr)
        return nullptr;
    auto* view = new VerificationView(*approach);
    if (!view->Computed()) {
        delete view;
        return nullptr;
    }
    SetHelpContext(view, QStringLiteral("zolt.hlp"), VerificationDialog::kHelpContext);
    const QString title =
        QStringLiteral("Verifica – ") +
        QString::fromUtf8(approach->label.data(), static_cast<qsizetype>(approach->label.size()));
    return OpenResultWindow(client, title, view, kVerificationWindowPosition);
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
