// "Studio parametrico": which input to vary, from where to where and in
// how many points. Accepting checks the choice as the core does and keeps
// the dialog open, after a message, while it cannot be swept.
#pragma once

#include "design/sweep.h"
#include "model/records.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zolt::studies {

class SweepDialog : public QDialog {
    Q_OBJECT

public:
    // Proposes a range around the values of `geometry` and `soil`.
    SweepDialog(const GeometryData& geometry, const SoilData& soil, QWidget* parent = nullptr);

    // The study as entered; valid after the dialog was accepted.
    design::SweepSpec study() const;

    static constexpr std::size_t kProposedPoints = 101;

    void accept() override;

private:
    void proposeRange();

    GeometryData m_geometry;
    SoilData m_soil;
    QComboBox* m_input = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_count = nullptr;
    QLabel* m_fromUnit = nullptr;
    QLabel* m_toUnit = nullptr;
    QLabel* m_current = nullptr;
};

} // namespace zolt::studies
