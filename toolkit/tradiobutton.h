// A radio button of a dialog: a check box that belongs to the group of the
// radio buttons next to it in the template, where checking one unchecks the
// others.
#pragma once

#include "toolkit/tcheckbox.h"

class TRadioButton : public TCheckBox {
    Q_OBJECT

public:
    TRadioButton(TDialog* parent, int id);
    ~TRadioButton() override;

    // Unchecking works also for the checked button of its group, which then
    // has none checked.
    void SetCheck(int state) override;
};
