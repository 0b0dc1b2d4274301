// A check box of a dialog. Its state is BF_CHECKED or BF_UNCHECKED; a click
// toggles it and then calls BNClicked. With a transfer buffer it transfers
// its state as a 16-bit unsigned value.
#pragma once

#include "toolkit/tcontrol.h"

class QAbstractButton;

constexpr int BF_UNCHECKED = 0;
constexpr int BF_CHECKED = 1;

class TCheckBox : public TControl {
    Q_OBJECT

public:
    TCheckBox(TDialog* parent, int id);
    ~TCheckBox() override;

    int GetCheck() const;
    virtual void SetCheck(int state);
    void Check() { SetCheck(BF_CHECKED); }
    void Uncheck() { SetCheck(BF_UNCHECKED); }
    void Toggle() { SetCheck(GetCheck() == BF_CHECKED ? BF_UNCHECKED : BF_CHECKED); }

    unsigned Transfer(void* buffer, TTransferDirection direction) override;

protected:
    // The user clicked the button (mouse, space bar, arrow keys in a radio
    // group); the button already shows its new state.
    virtual void BNClicked() {}

    QAbstractButton* Button() const;
};
