// The full report's commands of the window program: "Relazione completa..."
// writes it as PDF or ODF text, "Stampa relazione..." previews and prints
// it. Both report on the project's records as they are now.
#pragma once

#include "document/report_request.h"

#include <QString>

#include <functional>

class QWidget;

namespace zolt {

// Asks where to write the full report, starting from `suggested`; returns
// the chosen path, empty when the user cancelled. The default runs the
// file dialog (PDF and ODT filters, .pdf unless ODT is chosen).
using ReportFileNameFunction = std::function<QString(QWidget* owner, const QString& suggested)>;

// Replaces the prompt (tests); an empty function restores the dialog.
void SetReportFileNameFunction(ReportFileNameFunction prompt);

// The request for the process-wide records: `projectFileName` is the open
// project or data file (empty for none), the approach the project's once
// chosen, the method that of the last successful analysis (the chosen one
// before any), the project's info and ground those of designData.
document::ReportRequest CurrentReportRequest(const QString& projectFileName);

// Menu item 116: asks for the file, then writes the report through the save
// routine; .odt gives ODF text, anything else PDF. Shows the open-error
// message when the report cannot be made or written.
void FullReportCommand(QWidget* owner, const QString& projectFileName);

// Menu item 117: the print preview of the same report, whose print button
// opens the system's print dialog.
void PrintReportCommand(QWidget* owner, const QString& projectFileName);

} // namespace zolt
