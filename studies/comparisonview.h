// The window of the four methods side by side: a table with the ultimate
// load, qult, qamm and the N-factors of each, and a bar chart of qult with
// qamm marked on every bar, whose values the line under it repeats for the
// bar under the pointer. The chart exports as PNG, SVG and CSV, the table
// copies to the clipboard. A bar tells when the project's data or the
// analysis settings changed since; "Aggiorna" compares again.
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
    // `comparison` must not be refused; `geometry` and `soil` are the inputs
    // it ran on, shown above the table.
    ComparisonView(const design::Comparison& comparison, const GeometryData& geometry,
                   const SoilData& soil, double safetyFactor, int chosenMethod,
                   QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void display(const design::Comparison& comparison, const InputSnapshot& inputs);
    // The comparison again on the current records; refused inputs show
    // their messages and keep the window as it was.
    void refresh();
    void showPointer(QPointF position);

    design::Comparison m_comparison;
    InputSnapshot m_inputs;
    StaleResultBar* m_bar = nullptr;
    QLabel* m_inputsLabel = nullptr;
    QTableWidget* m_table = nullptr;
    QChartView* m_view = nullptr;
    QBarSeries* m_bars = nullptr;
    QLabel* m_pointer = nullptr;
    QVBoxLayout* m_layout = nullptr;
};

} // namespace zolt::studies
