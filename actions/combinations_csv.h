// Given combinations from a CSV file, as structural programs and
// spreadsheets export them.
//
// A header row names the columns name, type, N, TB, TL, MB, ML in any
// order (any letter case; other columns are ignored). Two dialects, told
// apart by the header: comma-separated with "." decimals, and the
// semicolon-separated file with "," decimals that spreadsheets write under
// an Italian locale. Fields may be quoted ("..." with "" for a quote);
// blank rows are skipped; text that is not UTF-8 is read as Windows-1252.
// Types are spelled as the project file spells them: ULS, SLV, SLE-rare,
// SLE-frequent, SLE-qp.
#pragma once

#include "model/design_data.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::actions {

// The units of the file's forces and moments.
enum class CsvUnits {
    Kilograms,   // kg and kg m, as the project holds them
    Kilonewtons, // kN and kN m; 1 kg = 0.00980665 kN
};

struct CsvError {
    std::size_t line = 0; // of the file, from 1; the header is line 1 when it comes first
    std::string column;   // "name", "type", "N", ...; empty for the whole row or file
    std::string message;  // Italian, naming the line and the column
};

struct CombinationsCsv {
    std::vector<GivenCombination> combinations; // in kg and kg m; empty when there are errors
    std::vector<CsvError> errors;               // every bad cell, up to kMaxCsvErrors
    bool ok() const { return errors.empty(); }
};

// Past this many the list ends with one line saying that more were found.
constexpr std::size_t kMaxCsvErrors = 100;

// The combinations of `text`, or the reasons it has none: all or nothing.
CombinationsCsv readCombinationsCsv(std::string_view text, CsvUnits units);

} // namespace zolt::actions
