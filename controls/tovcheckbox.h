// A check box bound to bits of an int: it shows itself checked when
// (variable AND mask) is non-zero. A click that leaves it checked sets the
// mask's bits; one that leaves it unchecked flips them (exclusive-or), so
// bits that were already clear become set. Every click is announced (see
// AnnounceClick); focus changes go to the client window.
#pragma once

#include "toolkit/tcheckbox.h"

#include <cstdint>

class TOvCheckBox : public TCheckBox {
    Q_OBJECT

public:
    TOvCheckBox(TDialog* parent, int id, std::int32_t* variable, std::int32_t mask,
                std::int16_t changeFlags);
    ~TOvCheckBox() override;

    void SetupWindow() override;

protected:
    void BNClicked() override;
    void EvSetFocus() override;
    void EvKillFocus(QWidget* gettingFocus) override;

private:
    std::int32_t* m_variable;
    std::int32_t m_mask;
    std::int16_t m_changeFlags;
};
