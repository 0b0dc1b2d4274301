// The command "Cedimenti" of the "Strumenti" menu, as the main window runs
// it: its modal dialog with `owner` (the main window) as parent, then the
// window of the project's settlement in `client`.
#pragma once

class QMdiSubWindow;
class QWidget;
class TMDIClient;

namespace zolt {

// The dialog on designData.settlement (the defaults where the project has
// none); OK writes the settings back into the project and opens the
// window. A settlement that cannot be computed (a layer the load reaches
// lacks a value, no combination of the type) shows the reason and opens
// no window.
void SettlementCommand(QWidget* owner, TMDIClient* client);

// The window of the project's settlement with designData.settlement; null,
// after the message, when it cannot be computed or the project has no
// settings.
QMdiSubWindow* OpenSettlementWindow(TMDIClient* client);

} // namespace zolt
