// The result rows and the report on any results record, as a data file
// loaded after an old analysis or a failed run may leave it.
//
// Input: the method (one signed byte), B, L and the safety factor, then the
// whole BearingResult; each a little-endian double, the flags one byte each.
#include "fuzz/fuzz_support.h"
#include "model/number_text.h"
#include "model/windows1252.h"
#include "workflow/report.h"
#include "workflow/result_rows.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

using namespace zolt;
using zolt::fuzz::FieldReader;

namespace {

// The longest "%8.3f" is -DBL_MAX with three decimals; a row holds three
// of them in under a hundred characters of text.
constexpr std::size_t kLongestNumber = 1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + 3;
constexpr std::size_t kLongestRow = 100 + 3 * kLongestNumber;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FieldReader in(data, size);
    AnalysisSettings settings;
    GeometryData geometry;
    BearingResult result;
    settings.method = static_cast<std::int8_t>(in.byte(Meyerhof));
    geometry.B = in.real(geometry.B);
    geometry.L = in.real(geometry.L);
    settings.safetyFactor = in.real(settings.safetyFactor);
    in.result(result);

    const auto rows = resultRows(result, geometry.B, geometry.L, settings.safetyFactor);
    std::size_t groups = 0;
    for (const int first : {kSc, kDc, kIc, kGc, kBc})
        groups += result.factorPresent[first] == 1 ? 1 : 0;
    // Load, qult, qamm, N-factors, the groups, the corrected N-factors.
    ZOLT_FUZZ_CHECK(rows.size() == 5 + groups);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ResultRow& row = rows[i];
        ZOLT_FUZZ_CHECK(!row.text.empty() && row.text.size() <= kLongestRow);
        ZOLT_FUZZ_CHECK(row.text.find_first_of("\n?") == std::string::npos);
        ZOLT_FUZZ_CHECK(row.heading.empty() == (i < 4));
    }

    const bool known = settings.method >= Terzaghi && settings.method <= Vesic;
    ZOLT_FUZZ_CHECK(methodTitle(settings.method).empty() == !known);

    // The report goes to its file in Windows-1252 and the report window reads
    // it back from there: every character must survive both ways.
    const std::string text = reportText(settings, geometry, result);
    ZOLT_FUZZ_CHECK(text.find('?') == std::string::npos);
    const std::string bytes = utf8ToWindows1252(text);
    ZOLT_FUZZ_CHECK(bytes.find('?') == std::string::npos);
    ZOLT_FUZZ_CHECK(windows1252ToUtf8(bytes) == text);
    return 0;
}
