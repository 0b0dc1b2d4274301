// "Risultati": the rows of the last successful analysis, one static text
// each, stacked from the top without gaps for the factor groups the method
// did not set, and the name of that analysis' method beside the OK button.
#pragma once

class QWidget;

namespace zolt {

// Pixel layout of the rows in the dialog's client area.
constexpr int kResultRowX = 10;
constexpr int kResultRowFirstY = 20;
constexpr int kResultRowPitch = 30; // each row's height and the step to the next
constexpr int kResultRowWidth = 350;

// Builds the dialog from the results record, runs it and destroys it.
void ShowResultsDialog(QWidget* owner);

} // namespace zolt
