#include "controls/tovdialog.h"

#include "toolkit/twinhelp.h"

#include <QKeyEvent>
#include <QRadioButton>

TOvDialog::TOvDialog(QWidget* parent, int resId) : TDialog(parent, resId) {}

TOvDialog::~TOvDialog() = default;

namespace {
const QString kHelpFile = QStringLiteral("zolt.hlp");
}

void TOvDialog::SetupWindow() {
    SetHelpContext(this, kHelpFile, HelpContext);
    TDialog::SetupWindow();
}

void TOvDialog::TransferToControls() {
    TransferData(tdSetData);
}

void TOvDialog::EvCommand(int id) {
    if (id == CM_HELP) {
        CmHelp();
        return;
    }
    TDialog::EvCommand(id);
}

void TOvDialog::CmOk() {
    if (isModal())
        TDialog::CmOk();
}

void TOvDialog::CmHelp() {
    WinHelp(this, kHelpFile, HELP_CONTEXT, HelpContext);
}

bool TOvDialog::PreProcessKey(QKeyEvent* event) {
    // A radio button has no use for Enter: there it stays the dialog's.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        qobject_cast<QRadioButton*>(focusWidget()) == nullptr)
        return false;
    return TDialog::PreProcessKey(event);
}

long TOvDialog::HandleMessage(unsigned message, unsigned long wParam, long lParam) {
    if (message == WM_OVHELP) {
        CmHelp();
        return 0;
    }
    return TDialog::HandleMessage(message, wParam, lParam);
}
