#include "workflow/report.h"

#include "model/file_io.h"
#include "model/project.h"
#include "model/windows1252.h"
#include "workflow/result_rows.h"

namespace zolt {

namespace {
constexpr const char* kReportTitle = "Calcolo capacità portante di una fondazione superficiale";
}

std::string reportText(const AnalysisSettings& settings, const GeometryData& geometry,
                       const BearingResult& result) {
    std::string text = kReportTitle;
    text += "\n\n";
    const std::string_view method = methodTitle(settings.method);
    if (!method.empty()) {
        text += method;
        text += "\n\n";
    }
    const auto rows = resultRows(result, geometry.B, geometry.L, settings.safetyFactor);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].heading.empty()) {
            text += rows[i].heading;
            text += '\n';
        }
        text += rows[i].text;
        // Every value row is followed by a blank line but the last.
        text += i + 1 < rows.size() ? "\n\n" : "\n";
    }
    return text;
}

std::string reportFileBytes(const std::string& text) {
    // On this platform the text line end is "\n", so the text goes out as it is.
    return utf8ToWindows1252(text);
}

bool writeReportFile(const std::string& path, const std::string& text) {
    return replaceFileContents(path, reportFileBytes(text));
}

bool WriteReport() {
    // The title names the method whose numbers the record holds, not the
    // one a dialog chose since.
    AnalysisSettings settings = analysisSettings;
    settings.method = analysedMethod.value_or(settings.method);
    return writeReportFile(kReportFileName, reportText(settings, geometryData, bearingResult));
}

} // namespace zolt
