// What the real and the integer field share: the validator takes part in
// every transfer; the close check first transfers the text (so a refused
// value stays in the variable) and then validates it; a focus loss commits
// a change and announces it; a focus gain selects the whole text; Enter,
// Down and Up move through the dialog's fields in control-id order.
#pragma once

#include "toolkit/tedit.h"

#include <cstdint>

class TNumberEdit : public TEdit {
    Q_OBJECT

public:
    bool CanClose() override;

protected:
    // Binds the edit to `variable` through `validator` (owned from now on);
    // a null `variable` leaves the edit unbound.
    TNumberEdit(TDialog* parent, int id, int textLimit, TFilterValidator* validator, void* variable,
                std::int16_t changeFlags);
    ~TNumberEdit() override;

    void EvKillFocus(QWidget* gettingFocus) override;
    void EvSetFocus() override;
    bool EvKeyDown(QKeyEvent* event) override;

private:
    std::int16_t m_changeFlags;
};
