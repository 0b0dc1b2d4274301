#include "controls/tovradiobutton.h"

#include "controls/controlmessages.h"

TOvRadioButton::TOvRadioButton(TDialog* parent, int id, std::int32_t* variable, std::int32_t value,
                               std::int16_t changeFlags)
    : TRadioButton(parent, id), m_variable(variable), m_value(value), m_changeFlags(changeFlags) {}

TOvRadioButton::~TOvRadioButton() = default;

void TOvRadioButton::SetupWindow() {
    if (m_variable != nullptr)
        SetCheck(*m_variable == m_value ? BF_CHECKED : BF_UNCHECKED);
}

void TOvRadioButton::BNClicked() {
    TRadioButton::BNClicked();
    if (m_variable != nullptr && GetCheck() == BF_CHECKED)
        *m_variable = m_value;
    AnnounceClick(*this, m_changeFlags);
}

void TOvRadioButton::EvSetFocus() {
    NotifyClient(WM_CTLFOCUS, static_cast<unsigned long>(GetId()));
}

void TOvRadioButton::EvKillFocus(QWidget* /*gettingFocus*/) {
    NotifyClient(WM_CTLFOCUS, 0);
}
