// A real-number field bound to a double (value type 0) or a float (1).
//
// The field shows its variable when the dialog opens and writes the typed
// value straight into it: when it loses the focus after the user changed it
// (announcing the change, see CommitEditChange) and at the dialog's close
// check, where it first transfers the text and then validates it, so a
// refused value stays in the variable. Typing is limited by its
// TRealValidator; on focus gain the whole text is selected; Enter, Down and
// Up move through the dialog's fields in control-id order.
#pragma once

#include "controls/tnumberedit.h"

#include <cstdint>

class TRealEdit : public TNumberEdit {
    Q_OBJECT

public:
    // `variable` points to a double (valueType 0) or a float (1) that must
    // outlive the dialog; `textLimit` counts the terminating NUL.
    TRealEdit(TDialog* parent, int id, void* variable, double minimum, double maximum,
              int textLimit, std::int16_t decimals, std::int16_t valueType,
              std::int16_t changeFlags);
    ~TRealEdit() override;
};
