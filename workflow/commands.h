// The commands of the analysis workflow, as the main window runs them:
// each builds its modal dialogs with `owner` (the main window) as parent,
// runs them and destroys them before it returns.
#pragma once

class QMdiSubWindow;
class QWidget;
class TMDIClient;

namespace zolt {

// "Dati geometria": the nine fields of GeometryData, restored on Annulla;
// reopened while B > L.
void GeometryCommand(QWidget* owner);

// "Dati Terreno": the five fields of SoilData, restored on Annulla.
void SoilCommand(QWidget* owner);

// "Metodo di calcolo", then the pre-checks, the engine and the results.
// Annulla restores the method and the safety factor of before.
void AnalysisCommand(QWidget* owner);

// The message box of refused pre-checks: one line per failed check.
void ShowInputCheckMessages(int mask);

// Writes the report file and opens a new "Relazione" window on it in
// `client`. Before any successful analysis it shows "Eseguire prima
// l'analisi", and when the file cannot be written the open-error message;
// then it writes nothing and opens nothing (null).
QMdiSubWindow* ReportCommand(TMDIClient* client);

} // namespace zolt
