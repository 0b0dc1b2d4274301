// The commands of the studies in the "Strumenti" menu. Each works on
// copies of the project's records and opens a document window in `client`;
// `owner` (the main window) owns the dialogs they run first.
#pragma once

class QWidget;
class TMDIClient;

namespace zolt {

// "Confronto metodi": the four methods on the project's data with the
// analysis' safety factor. Inputs the pre-checks refuse get their message
// box and no window.
void ComparisonCommand(QWidget* owner, TMDIClient* client);

// "Studio parametrico": the dialog of the varied input, then the window of
// the study (with the utilisations of the chosen design approach, if any).
void SweepCommand(QWidget* owner, TMDIClient* client);

// "Analisi probabilistica": the window where the analysis is set up and run.
void MonteCarloCommand(QWidget* owner, TMDIClient* client);

} // namespace zolt
