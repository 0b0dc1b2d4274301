#include "toolkit/tradiobutton.h"

#include <QAbstractButton>
#include <QButtonGroup>

TRadioButton::TRadioButton(TDialog* parent, int id) : TCheckBox(parent, id) {}

TRadioButton::~TRadioButton() = default;

void TRadioButton::SetCheck(int state) {
    QAbstractButton* button = Button();
    if (button == nullptr)
        return;
    QButtonGroup* group = button->group();
    if (state != BF_CHECKED && button->isChecked() && group != nullptr && group->exclusive()) {
        // An exclusive group refuses to uncheck its checked button.
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
        return;
    }
    const bool autoExclusive = button->autoExclusive();
    if (state != BF_CHECKED)
        button->setAutoExclusive(false);
    button->setChecked(state == BF_CHECKED);
    button->setAutoExclusive(autoExclusive);
}
