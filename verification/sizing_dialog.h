// "Dimensionamento": the design approach, the rule that ties the length to
// the width and its value; "Calcola" finds the smallest width that verifies
// every condition of the project's ground with the current method, shows
// the size and its verification, and "Applica" writes that size into the
// geometry record as if it had been typed into the geometry dialog. The
// approach is the project's, shared with "Verifica SLU"; the rule and its
// values are kept for the run of the program. Where the project has an
// admissible settlement, an option keeps the settlement within it too (on
// every combination of the chosen type where the project has actions).
#pragma once

#include "design/approach.h"
#include "design/sizing.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace zolt {

class SizingDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 112;

    explicit SizingDialog(QWidget* parent);
    ~SizingDialog() override;

    // The size "Applica" would write; none before a width was found.
    std::optional<double> FoundWidth() const { return m_width; }
    std::optional<double> FoundLength() const { return m_length; }

private:
    design::SizingRule Rule() const;
    void Compute();
    // Compute with the settlement within the project's limit as one more
    // condition, on the combinations where the project has actions.
    void ComputeWithSettlement(const design::Approach& approach, int method);
    // Compute on every ULS and SLV combination of the project's actions.
    void ComputeForCombinations(const design::Approach& approach, int method);
    void Apply();
    void ClearResult();
    // Gives the result box room for the largest result from the start, so
    // that the dialog keeps one size and "Calcola" stays under the pointer.
    void ReserveResultRoom(QWidget* box);
    // The result line, bold; the hint to press "Calcola" for an empty text.
    void ShowResult(const QString& text);
    void EnableRuleValues();

    QButtonGroup* m_approaches = nullptr;
    QButtonGroup* m_rules = nullptr;
    QDoubleSpinBox* m_ratio = nullptr;
    QDoubleSpinBox* m_fixedLength = nullptr;
    QLabel* m_size = nullptr;
    QCheckBox* m_settlement = nullptr;
    QLabel* m_settled = nullptr; // the settlement at the width found
    QVBoxLayout* m_resultLayout = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_apply = nullptr;
    std::optional<double> m_width;
    std::optional<double> m_length;
};

} // namespace zolt
