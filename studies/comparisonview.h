// The window of the four methods side by side on the project's ground: a
// table with the ultimate load, qult, qamm and the N-factors of each, and
// a bar chart of qult with qamm marked on every bar, whose values the line
// under it repeats for the bar under the pointer. Where the ground model
// has an undrained condition, a second table holds its runs and each
// method has a second bar beside the drained one; the values each
// condition ran on, its rule and its notes stand above the tables. The
// chart exports as PNG, SVG and CSV, the tables copy to the clipboard. A
// bar tells when the project's data, its ground or the analysis settings
// changed since; "Aggiorna" compares again.
#pragma once

#include "design/comparison.h"
#include "workflow/input_changes.h"

#include <QWidget>

class QBarSeries;
class QChartView;
class QLabel;
class QTableWidget;
class QVBoxLayout;

namespace zolt {
class StaleResultBar;
}

namespace zolt::studies {

class ComparisonView : public QWidget {
    Q_OBJECT

public:
    // `comparison` must not be refused; `inputs` are what it ran on, shown
    // above the tables.
    ComparisonView(const design::GroundComparison& comparison, const InputSnapshot& inputs,
                   QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void display(const design::GroundComparison& comparison, const InputSnapshot& inputs);
    // The comparison again on the current records; refused inputs show
    // their messages and keep the window as it was.
    void refresh();
    void showPointer(QPointF position);

    design::GroundComparison m_comparison;
    InputSnapshot m_inputs;
    StaleResultBar* m_bar = nullptr;
    QLabel* m_inputsLabel = nullptr;
    QLabel* m_groundLabel = nullptr;  // the conditions' values, rules and notes
    QLabel* m_drainedTitle = nullptr; // over the first table, with an undrained one
    QLabel* m_undrainedTitle = nullptr;
    QTableWidget* m_table = nullptr; // the drained condition's runs
    QTableWidget* m_undrainedTable = nullptr;
    QChartView* m_view = nullptr;
    QBarSeries* m_bars = nullptr;
    QLabel* m_pointer = nullptr;
    QVBoxLayout* m_layout = nullptr;
};

} // namespace zolt::studies
