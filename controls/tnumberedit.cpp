#include "controls/tnumberedit.h"

#include "controls/controlmessages.h"
#include "controls/fieldorder.h"
#include "toolkit/tfiltervalidator.h"

#include <QKeyEvent>

#include <limits>

TNumberEdit::TNumberEdit(TDialog* parent, int id, int textLimit, TFilterValidator* validator,
                         void* variable, std::int16_t changeFlags)
    : TEdit(parent, id, textLimit), m_changeFlags(changeFlags) {
    validator->SetOption(voTransfer);
    SetValidator(validator);
    if (variable != nullptr)
        SetTransferBuffer(variable);
    // No window yet: the first real display happens at the dialog's set-up.
    TransferData(tdSetData);
}

TNumberEdit::~TNumberEdit() = default;

bool TNumberEdit::CanClose() {
    TransferData(tdGetData);
    return TEdit::CanClose();
}

void TNumberEdit::EvKillFocus(QWidget* gettingFocus) {
    CommitEditChange(*this, m_changeFlags);
    TEdit::EvKillFocus(gettingFocus);
    NotifyClient(WM_CTLFOCUS, 0);
}

void TNumberEdit::EvSetFocus() {
    const int id = GetId();
    TEdit::EvSetFocus();
    SetSelection(0, std::numeric_limits<int>::max());
    NotifyClient(WM_CTLFOCUS, static_cast<unsigned long>(id));
}

bool TNumberEdit::EvKeyDown(QKeyEvent* event) {
    if (MoveFocusInFieldOrder(*this, event)) {
        event->accept();
        return true;
    }
    return TEdit::EvKeyDown(event);
}
