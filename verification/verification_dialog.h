// "Verifica SLU": the design approach and the calculation method as radio
// buttons. A click takes effect at once and stays for the run of the
// program (Annulla undoes nothing, as in the analysis dialog): the method is
// the analysis settings' own, the approach the project's (NTC 2018 in a new
// project). "Aiuto" opens the page of the verifications.
#pragma once

#include "controls/tovdialog.h"
#include "design/approach.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace zolt {

class VerificationDialog : public TOvDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 1110;
    static constexpr int kFirstApproachButton = 1111; // in the order of design::approaches()
    static constexpr int kFirstMethodButton = 1115;   // Terzaghi, Meyerhof, Hansen, Vesic
    static constexpr unsigned long kHelpContext = 111;

    explicit VerificationDialog(QWidget* parent);

    void SetupWindow() override;
    void CreateControls() override;

    // The approach checked when the dialog closed.
    const design::Approach& Approach() const;

protected:
    long HandleMessage(unsigned message, unsigned long wParam, long lParam) override;

private:
    std::int32_t m_approach = 0; // index into design::approaches()
};

// The index of `approach` in design::approaches(); 0 (NTC 2018) for none.
std::int32_t ApproachIndex(const design::Approach* approach);

// The label of approach `index` of design::approaches() with its mnemonic,
// for the radio buttons of the dialogs.
QString ApproachButtonText(std::size_t index);

} // namespace zolt
