#include "controls/tovcheckbox.h"

#include "controls/controlmessages.h"

TOvCheckBox::TOvCheckBox(TDialog* parent, int id, std::int32_t* variable, std::int32_t mask,
                         std::int16_t changeFlags)
    : TCheckBox(parent, id), m_variable(variable), m_mask(mask), m_changeFlags(changeFlags) {}

TOvCheckBox::~TOvCheckBox() = default;

void TOvCheckBox::SetupWindow() {
    if (m_variable != nullptr)
        SetCheck((*m_variable & m_mask) != 0 ? BF_CHECKED : BF_UNCHECKED);
}

void TOvCheckBox::BNClicked() {
    TCheckBox::BNClicked();
    if (m_variable != nullptr) {
        if (GetCheck() == BF_CHECKED)
            *m_variable |= m_mask;
        else
            *m_variable ^= m_mask;
    }
    AnnounceClick(*this, m_changeFlags);
}

void TOvCheckBox::EvSetFocus() {
    NotifyClient(WM_CTLFOCUS, static_cast<unsigned long>(GetId()));
}

void TOvCheckBox::EvKillFocus(QWidget* /*gettingFocus*/) {
    NotifyClient(WM_CTLFOCUS, 0);
}
