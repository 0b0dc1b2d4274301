// zolt-calc's way to the document code: the document module (a shared
// object with Qt inside) is loaded on the first run that asks for a PDF or
// ODF document, and never on the others, which so stay as quick as
// ever and free of any Qt dependency.
#pragma once

#include "document/report_request.h"

#include <optional>
#include <string>

namespace zolt::cli {

// Renders `request` as `format` through the document module, found next
// to the running program (the build tree) or in <program dir>/../<libdir>/zolt
// (an installation, wherever it was unpacked). None when the module cannot
// be loaded, with the reason on standard error, or when it cannot make the
// document.
std::optional<std::string> renderWithDocumentModule(const document::ReportRequest& request,
                                                    document::ReportFormat format);

} // namespace zolt::cli
