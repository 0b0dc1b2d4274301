// The one entry point of the document module, the shared object that
// zolt-calc loads only on the runs that write a document: its file name,
// its symbol and its signature, shared by the module and the loader.
// Both are built together, so the request crosses as the C++ record it is.
#pragma once

#include "document/report_request.h"

#include <string>

namespace zolt::document {

inline constexpr const char* kModuleFileName = "zolt-document.so";
inline constexpr const char* kModuleEntryName = "zolt_document_render_v1";

// Renders `request` as `format` (a ReportFormat) into `bytes`; false when
// the document cannot be made. Creates the GUI application it needs, on
// the offscreen platform, when the process has none.
using ModuleEntry = bool (*)(const ReportRequest* request, int format, std::string* bytes);

} // namespace zolt::document
