// "Sisma": the site's hazard at the SLV (ag/g, SS, ST, subsoil category)
// and the options of the seismic bearing check: betaS shown as the table
// gives it or given, kh worked out or given, the kinematic effect and the
// bearing resistance factor. The coefficients that follow are shown at
// every change. The dialog edits a copy: OK hands it back, checked;
// Annulla drops it.
#pragma once

#include "model/design_data.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zolt {

class NumberInput;

class SeismicDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 136;

    SeismicDialog(QWidget* parent, const std::optional<SeismicData>& seismic);
    ~SeismicDialog() override;

    // The site as edited (the fields' last valid values); none when the
    // seismic check is off.
    std::optional<SeismicData> Seismic() const;

    // OK: closes only when every field in use holds a valid number in range.
    void accept() override;

private:
    void UpdateControls();
    void UpdateCoefficients();
    void ShowHelp();

    SeismicData m_site; // the fields' last valid values
    QCheckBox* m_enabled = nullptr;
    QLineEdit* m_agOverG = nullptr;
    QLineEdit* m_SS = nullptr;
    QLineEdit* m_ST = nullptr;
    QComboBox* m_subsoil = nullptr;
    QCheckBox* m_betaSGiven = nullptr;
    QLineEdit* m_betaS = nullptr;
    QLabel* m_tableBetaS = nullptr;
    QCheckBox* m_khGiven = nullptr;
    QLineEdit* m_kh = nullptr;
    QLabel* m_computedKh = nullptr;
    QCheckBox* m_kinematic = nullptr;
    QRadioButton* m_gammaR23 = nullptr;
    QRadioButton* m_gammaR18 = nullptr;
    QLabel* m_gammaRNote = nullptr;
    NumberInput* m_agOverGInput = nullptr;
    NumberInput* m_SSInput = nullptr;
    NumberInput* m_STInput = nullptr;
    NumberInput* m_betaSInput = nullptr;
    NumberInput* m_khInput = nullptr;
};

// Runs the dialog on designData.seismic; OK writes it back. True when it
// did.
bool SeismicCommand(QWidget* owner);

} // namespace zolt
