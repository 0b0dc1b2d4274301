#include "toolkit/tcheckbox.h"

#include <QAbstractButton>

#include <cstdint>
#include <cstring>

TCheckBox::TCheckBox(TDialog* parent, int id) : TControl(parent, id) {
    if (QAbstractButton* button = Button())
        connect(button, &QAbstractButton::clicked, this, [this] { BNClicked(); });
}

TCheckBox::~TCheckBox() = default;

QAbstractButton* TCheckBox::Button() const {
    return qobject_cast<QAbstractButton*>(GetHandle());
}

int TCheckBox::GetCheck() const {
    const QAbstractButton* button = Button();
    return button != nullptr && button->isChecked() ? BF_CHECKED : BF_UNCHECKED;
}

void TCheckBox::SetCheck(int state) {
    if (QAbstractButton* button = Button())
        button->setChecked(state == BF_CHECKED);
}

unsigned TCheckBox::Transfer(void* buffer, TTransferDirection direction) {
    if (buffer == nullptr)
        return 0;
    std::uint16_t state = 0;
    if (direction == tdGetData) {
        state = static_cast<std::uint16_t>(GetCheck());
        std::memcpy(buffer, &state, sizeof state);
    } else {
        std::memcpy(&state, buffer, sizeof state);
        SetCheck(state);
    }
    return sizeof state;
}
