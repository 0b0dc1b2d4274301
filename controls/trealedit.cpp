#include "controls/trealedit.h"

#include "controls/controlmessages.h"
#include "controls/fieldorder.h"
#include "controls/trealvalidator.h"

#include <QKeyEvent>

#include <limits>

TRealEdit::TRealEdit(TDialog* parent, int id, void* variable, double minimum, double maximum,
                     int textLimit, std::int16_t decimals, std::int16_t valueType,
                     std::int16_t changeFlags)
    : TEdit(parent, id, textLimit), m_changeFlags(changeFlags) {
    auto* validator = new TRealValidator(minimum, maximum, decimals, valueType);
    validator->SetOption(voTransfer);
    SetValidator(validator);
    SetTransferBuffer(variable);
    TransferData(tdSetData);
}

TRealEdit::~TRealEdit() = default;

bool TRealEdit::CanClose() {
    TransferData(tdGetData);
    return TEdit::CanClose();
}

void TRealEdit::EvKillFocus(QWidget* gettingFocus) {
    CommitEditChange(*this, m_changeFlags);
    TEdit::EvKillFocus(gettingFocus);
    NotifyClient(WM_CTLFOCUS, 0);
}

void TRealEdit::EvSetFocus() {
    const int id = GetId();
    TEdit::EvSetFocus();
    SetSelection(0, std::numeric_limits<int>::max());
    NotifyClient(WM_CTLFOCUS, static_cast<unsigned long>(id));
}

bool TRealEdit::EvKeyDown(QKeyEvent* event) {
    if (MoveFocusInFieldOrder(*this, event)) {
        event->accept();
        return true;
    }
    return TEdit::EvKeyDown(event);
}
