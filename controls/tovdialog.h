// The base of the program's help-aware dialogs.
//
// Its help (command CM_HELP, the message WM_OVHELP, answered with 0, or
// F1) opens the help file "zolt.hlp" at the dialog's HelpContext. Enter is not
// the dialog's: it reaches the focused control, so the number fields move
// along the field order with it; only on a radio button, which has no use
// for it, Enter presses the default button (or the focused push button).
// OK closes (after the controls' checks) only while the dialog runs
// modally. Derived dialogs create their control objects in CreateControls,
// called at the start of their SetupWindow.
#pragma once

#include "toolkit/tdialog.h"
#include "toolkit/tmessageevent.h"

constexpr int CM_HELP = 106;
// Shares its number with DM_SETDEFID, which this dialog does not handle.
constexpr unsigned WM_OVHELP = WM_USER + 1;

class TOvDialog : public TDialog {
    Q_OBJECT

public:
    TOvDialog(QWidget* parent, int resId);
    ~TOvDialog() override;

    unsigned long GetHelpContext() const { return HelpContext; }

    // Also gives F1 the dialog's HelpContext.
    void SetupWindow() override;
    // Every control object loads its value from its variable.
    virtual void TransferToControls();
    virtual void CreateControls() = 0;

protected:
    void EvCommand(int id) override;
    void CmOk() override;
    void CmHelp();
    bool PreProcessKey(QKeyEvent* event) override;
    long HandleMessage(unsigned message, unsigned long wParam, long lParam) override;

    // The help context shown by CmHelp; 0 until a derived dialog sets it.
    unsigned long HelpContext = 0;
};
