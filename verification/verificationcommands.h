// The commands of the "Strumenti" menu for the ultimate-limit-state
// verification and the sizing of the footing, as the main window runs them:
// each builds its modal dialog with `owner` (the main window) as parent, runs
// it and destroys it before it returns.
#pragma once

class QMdiSubWindow;
class QWidget;
class TMDIClient;

namespace zolt {

// "Verifica SLU": approach and method, then the verification of the project
// in a new window "Verifica – <approach>" of `client`. Inputs the
// pre-checks refuse show their messages instead.
void VerificationCommand(QWidget* owner, TMDIClient* client);

// "Dimensionamento": the dialog that finds the smallest width and can write
// it into the geometry. The result stays in the dialog.
void SizingCommand(QWidget* owner, TMDIClient* client);

// The verification of the project with the chosen approach and the
// analysis method, in a new window of `client`; null when no approach was
// chosen yet or when the pre-checks refuse the inputs (their messages then
// shown).
QMdiSubWindow* OpenVerificationWindow(TMDIClient* client);

} // namespace zolt
