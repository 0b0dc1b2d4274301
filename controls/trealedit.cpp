#include "controls/trealedit.h"

#include "controls/trealvalidator.h"

TRealEdit::TRealEdit(TDialog* parent, int id, void* variable, double minimum, double maximum,
                     int textLimit, std::int16_t decimals, std::int16_t valueType,
                     std::int16_t changeFlags)
    : TNumberEdit(parent, id, textLimit, new TRealValidator(minimum, maximum, decimals, valueType),
                  variable, changeFlags) {}

TRealEdit::~TRealEdit() = default;
