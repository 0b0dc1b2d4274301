// The window "Verifica – <approach>": the verification table of the
// project on its ground, worked out with its approach and the analysis
// method, under the bar that tells when the inputs changed since;
// "Aggiorna" works it out again with the current inputs. On a ground with
// a water table or layers the rules of the ground model's conditions stand
// beside the table.
//
// When the project's actions give combinations, every one of them is
// verified: the table of the combinations, the governing one marked, and
// under it the table of the governing combination as the window shows the
// verification of one set of actions.
#pragma once

#include "design/approach.h"
#include "workflow/input_changes.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QTableWidget;
class QVBoxLayout;

namespace zolt {

class StaleResultBar;

class VerificationView : public QWidget {
    Q_OBJECT

public:
    // The verification of the current records with `approach`; check
    // Computed() before showing it: refused inputs (messages shown) leave
    // it without a table.
    explicit VerificationView(const design::Approach& approach, QWidget* parent = nullptr);

    bool Computed() const { return m_content != nullptr; }
    // The verification's table; with combinations, the governing one's
    // (none when no combination is ULS or SLV).
    QTableWidget* Table() const { return m_table; }
    // The table of the combinations; none without actions.
    QTableWidget* CombinationsTable() const { return m_combinations; }
    // The rules of the conditions; hidden on the dry homogeneous soil.
    QLabel* Rules() const { return m_rules; }

    // Works the verification out again on the current records; refused
    // inputs show their messages and keep the table as it was.
    void Refresh();

private:
    // The part of the window with every combination; null when the soil
    // is refused (messages shown).
    QWidget* NewCombinationsPart(const InputSnapshot& inputs);
    void Show(QWidget* content);

    const design::Approach& m_approach;
    InputSnapshot m_inputs;
    StaleResultBar* m_bar = nullptr;
    QHBoxLayout* m_row = nullptr;
    QWidget* m_content = nullptr; // the table, or the combinations' part
    QTableWidget* m_table = nullptr;
    QTableWidget* m_combinations = nullptr;
    QLabel* m_rules = nullptr;
};

} // namespace zolt
