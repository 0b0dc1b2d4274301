// A radio button bound to an int: it shows itself checked exactly when the
// variable equals its value, and a click that leaves it checked writes the
// value into the variable at once. Every click is announced (see
// AnnounceClick); focus changes go to the client window.
#pragma once

#include "toolkit/tradiobutton.h"

#include <cstdint>

class TOvRadioButton : public TRadioButton {
    Q_OBJECT

public:
    TOvRadioButton(TDialog* parent, int id, std::int32_t* variable, std::int32_t value,
                   std::int16_t changeFlags);
    ~TOvRadioButton() override;

    void SetupWindow() override;

protected:
    void BNClicked() override;
    void EvSetFocus() override;
    void EvKillFocus(QWidget* gettingFocus) override;

private:
    std::int32_t* m_variable;
    std::int32_t m_value;
    std::int16_t m_changeFlags;
};
