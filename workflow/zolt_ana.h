// "Metodo di calcolo": the method as four radio buttons and the safety
// factor, both bound to AnalysisSettings and written while the dialog is
// open (the analysis command undoes them on Annulla). "Avvia analisi"
// closes it only with a safety factor between 1 and 9, also pressed by
// Enter on a method (Enter in the safety factor goes on to the next
// control); "Aiuto" opens the page of the methods.
#pragma once

#include "controls/tovdialog.h"

class Zolt_Ana : public TOvDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 300;
    static constexpr unsigned long kHelpContext = 1;

    explicit Zolt_Ana(QWidget* parent);

    void SetupWindow() override;
    void CreateControls() override;

protected:
    long HandleMessage(unsigned message, unsigned long wParam, long lParam) override;
};
