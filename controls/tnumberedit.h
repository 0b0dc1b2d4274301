// What the real and the integer field share: the validator takes part in
// every transfer; the close check first transfers the text (so a refused
// value stays in the variable) and then validates it; a focus loss commits
// a change and announces it; a focus gain selects the whole text, also when
// a mouse click brings the focus (a click in the field that already has the
// focus places the caret, and a drag selects as usual), so that typing
// replaces the value; Enter, Down and Up move through the dialog's fields
// in control-id order.
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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectAll();

    std::int16_t m_changeFlags;
    // Set from a focus gain by a mouse press to the release of that press.
    bool m_focusedByMouse = false;
};
