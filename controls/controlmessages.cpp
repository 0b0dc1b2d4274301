#include "controls/controlmessages.h"

#include "toolkit/tapplication.h"
#include "toolkit/tdialog.h"
#include "toolkit/tedit.h"
#include "toolkit/tmessageevent.h"

std::int32_t ControlChangeFlags = 0;

namespace {

unsigned long fieldNumber(const TControl& control) {
    return static_cast<unsigned long>(control.GetId() % 100);
}

} // namespace

void MarkControlChange(std::int16_t changeFlags) {
    ControlChangeFlags |= static_cast<std::int32_t>(changeFlags);
}

long NotifyDialog(const TControl& control, unsigned message, unsigned long wParam) {
    return SendMessage(control.GetParentDialog(), message, wParam, 0);
}

long NotifyClient(unsigned message, unsigned long wParam) {
    return SendMessage(TApplication::ClientWindow(), message, wParam, 0);
}

void CommitEditChange(TEdit& edit, std::int16_t changeFlags) {
    if (!edit.IsModified())
        return;
    edit.ClearModify();
    edit.TransferData(tdGetData);
    const long reply = NotifyDialog(edit, WM_CTLCHANGED, fieldNumber(edit));
    if ((reply & 1) != 0)
        NotifyDialog(edit, WM_CTLUPDATE, 0);
    if ((reply & 2) != 0)
        NotifyClient(WM_CTLMODIFIED, 0);
    MarkControlChange(changeFlags);
}

void AnnounceClick(const TControl& button, std::int16_t changeFlags) {
    MarkControlChange(changeFlags);
    if (NotifyDialog(button, WM_CTLCHANGED, fieldNumber(button)) != 0)
        NotifyDialog(button, WM_CTLUPDATE, 0);
    NotifyClient(WM_CTLMODIFIED, 0);
    if ((changeFlags & 2) != 0)
        NotifyClient(WM_CTLFLAG2, 0);
    if ((changeFlags & 4) != 0)
        NotifyClient(WM_CTLFLAG4, 0);
}
