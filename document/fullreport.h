// The full calculation report on paper: pages with the header line and
// "Pagina n di m", as PDF bytes, as ODF text, or on any paged device (a
// printer, its preview). Needs a QGuiApplication.
#pragma once

#include "document/report_request.h"

#include <optional>
#include <string>

class QPagedPaintDevice;

namespace zolt::document {

// A4 portrait with 20 mm margins on every side.
void setReportPageLayout(QPagedPaintDevice& device);

// Paints the report page by page inside the device's margins, whatever
// its page size and resolution: header line, text, "Pagina n di m" at the
// foot. False when the device cannot be painted on.
bool paintFullReport(const ReportRequest& request, QPagedPaintDevice& device);

// The report's file contents; none when they cannot be made.
std::optional<std::string> renderFullReport(const ReportRequest& request, ReportFormat format);

} // namespace zolt::document
