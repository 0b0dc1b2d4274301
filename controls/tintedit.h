// An integer field bound to a 16- or 32-bit integer (see TIntValidator for
// the value types; with another type the field is not bound at all). It
// behaves as TRealEdit, and also steps its value by `step` on the
// vertical-scroll message WM_VSCROLL (wParam SB_LINEUP or SB_LINEDOWN, sent
// to the edit's widget by a spin or scroll control): up while the value is
// below the maximum, down while it is above the minimum. The step is not
// clamped, so it can pass a bound by less than `step`; the variable takes
// the new value when the field commits.
#pragma once

#include "controls/tnumberedit.h"

#include <cstdint>

class TIntEdit : public TNumberEdit {
    Q_OBJECT

public:
    TIntEdit(TDialog* parent, int id, void* variable, std::int32_t minimum, std::int32_t maximum,
             int textLimit, std::int16_t valueType, std::int16_t changeFlags, std::int32_t step);
    ~TIntEdit() override;

protected:
    long HandleMessage(unsigned message, unsigned long wParam, long lParam) override;

    void EvVScroll(unsigned code);

private:
    std::int32_t m_minimum;
    std::int32_t m_maximum;
    std::int32_t m_step;
};
