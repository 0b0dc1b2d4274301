// "Cedimenti": how the project's settlement is computed. The method, the
// serviceability combination whose loads settle the footing, the
// admissible settlement (empty: no check) and the time of the creep terms
// (empty: none). It edits a copy of the settings: OK hands them back,
// checked; Annulla drops them.
#pragma once

#include "model/design_data.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zolt {

class NumberInput;

class SettlementDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 118;

    // `combined`: the project's actions give the loads (else its N does).
    SettlementDialog(QWidget* parent, const SettlementSettings& settings, bool combined);
    ~SettlementDialog() override;

    // The settings as edited; the limit and the years as last typed, none
    // for an empty field.
    SettlementSettings Settings() const;

    // OK: closes only when the limit and the years are empty or numbers
    // within their ranges.
    void accept() override;

private:
    void ShowNeeds();

    QComboBox* m_method = nullptr;
    QComboBox* m_combination = nullptr;
    QLineEdit* m_limit = nullptr;
    QLineEdit* m_years = nullptr;
    QLabel* m_needs = nullptr;
    NumberInput* m_limitInput = nullptr;
    NumberInput* m_yearsInput = nullptr;
};

} // namespace zolt
