#include "controls/tintedit.h"

#include "controls/tintvalidator.h"
#include "model/number_text.h"
#include "toolkit/tmessageevent.h"

#include <QLineEdit>

TIntEdit::TIntEdit(TDialog* parent, int id, void* variable, std::int32_t minimum,
                   std::int32_t maximum, int textLimit, std::int16_t valueType,
                   std::int16_t changeFlags, std::int32_t step)
    : TNumberEdit(parent, id, textLimit, new TIntValidator(minimum, maximum, valueType),
                  TIntValidator::IsTransferType(valueType) ? variable : nullptr, changeFlags),
      m_minimum(minimum), m_maximum(maximum), m_step(step) {}

TIntEdit::~TIntEdit() = default;

long TIntEdit::HandleMessage(unsigned message, unsigned long wParam, long lParam) {
    if (message == WM_VSCROLL) {
        EvVScroll(static_cast<unsigned>(wParam & 0xFFFF));
        return 0;
    }
    return TEdit::HandleMessage(message, wParam, lParam);
}

void TIntEdit::EvVScroll(unsigned code) {
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    SetFocus();
    long long value = zolt::parseLeadingInteger(GetText().left(8).toStdString());
    if (code == SB_LINEUP && value < m_maximum)
        value += m_step;
    else if (code == SB_LINEDOWN && value > m_minimum)
        value -= m_step;
    SetText(QString::number(value)); // integers are written without the locale
    // The new text is the user's change: the field commits it when it loses
    // the focus, as a typed one.
    if (QLineEdit* edit = LineEdit())
        edit->setModified(true);
}
