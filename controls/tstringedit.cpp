#include "controls/tstringedit.h"

#include "controls/controlmessages.h"

TStringEdit::TStringEdit(TDialog* parent, int id, char* buffer, int textLimit,
                         std::int16_t changeFlags)
    : TEdit(parent, id, textLimit), m_changeFlags(changeFlags) {
    SetTransferBuffer(buffer);
    TransferData(tdSetData);
}

TStringEdit::~TStringEdit() = default;

void TStringEdit::EvKillFocus(QWidget* gettingFocus) {
    CommitEditChange(*this, m_changeFlags);
    TEdit::EvKillFocus(gettingFocus);
    NotifyClient(WM_CTLFOCUS, 0);
}
