// The window "Verifica – <approach>": the verification table of the
// project on its ground, worked out with its approach and the analysis
// method, under the bar that tells when the inputs changed since;
// "Aggiorna" works it out again with the current inputs. On a ground with
// a water table or layers the rules of the ground model's conditions stand
// beside the table.
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

    bool Computed() const { return m_table != nullptr; }
    QTableWidget* Table() const { return m_table; }
    // The rules of the conditions; hidden on the dry homogeneous soil.
    QLabel* Rules() const { return m_rules; }

    // Works the verification out again on the current records; refused
    // inputs show their messages and keep the table as it was.
    void Refresh();

private:
    const design::Approach& m_approach;
    InputSnapshot m_inputs;
    StaleResultBar* m_bar = nullptr;
    QHBoxLayout* m_row = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_rules = nullptr;
};

} // namespace zolt
