// What the full report says, before any typesetting: the analysis, the
// comparison and the verification run on copies of the request's records,
// the formulas of the method as the engine applies them with their values,
// and the notes. No Qt here; the document builder only lays it out.
//
// Texts are UTF-8 with a small markup for formulas: "_{...}" sets a
// subscript and "^{...}" a superscript.
#pragma once

#include "design/combinations_verification.h"
#include "design/comparison.h"
#include "design/verification.h"
#include "document/report_request.h"
#include "engine/common_quantities.h"
#include "settlement/project_settlement.h"
#include "workflow/input_checks.h"

#include <optional>
#include <string>
#include <vector>

namespace zolt::document {

struct ReportCalculation {
    InputCheckMask mask = 0;         // the analysis pre-checks
    std::optional<int> engineResult; // none when the pre-checks refused
    BearingResult result;            // a fresh record, as after one analysis
    engine::CommonQuantities common; // of the request's inputs
    design::Comparison comparison;   // the analysis of every method, on the soil alone
    // The comparison on the ground model, with a water table or layers.
    std::optional<design::GroundComparison> groundComparison;
    // With an approach only; on the dry homogeneous soil its drained
    // condition is the verification on the soil, bit for bit.
    std::optional<design::GroundVerification> verification;
    // With an approach and actions that give combinations: every one of
    // them verified.
    std::optional<design::CombinationsVerification> combinations;
    design::EccentricityCheck eccentricity;
    // With settlement settings: the settlement, or why it cannot be
    // computed (the sentence naming the layer and the value).
    std::optional<settlement::ProjectSettlementOutcome> settlement;

    // The analysis ran and found a load.
    bool computed() const { return mask == 0 && engineResult == 0; }
};

// Runs everything the report shows on the request's records.
ReportCalculation calculateReport(const ReportRequest& request);

// True when the report shows results: there was a successful analysis in
// this run and the current inputs give one.
bool showsResults(const ReportRequest& request, const ReportCalculation& calculation);

struct FormulaRow {
    std::string formula; // markup
    std::string value;   // with its unit; "—" when there is no value to show
};

struct FormulaGroup {
    std::string title;
    std::vector<FormulaRow> rows;
};

// The method's formulas in the order the engine applies them: the common
// quantities, the N-factors, each factor group the method sets (in the
// branch the inputs select: phi = 0 or not, vertical or inclined load,
// square or strip), the ultimate load with qult and qamm, and the
// corrected N-factors. Values only when `withValues`.
std::vector<FormulaGroup> methodFormulas(const ReportRequest& request,
                                         const ReportCalculation& calculation, bool withValues);

// The settlement's formulas as the method applies them, with the values
// of the governing load: the pressures, the stress increase, the depth the
// method reaches and the method's own terms.
std::vector<FormulaRow> settlementFormulas(const settlement::ProjectSettlement& s);

// The notes: no analysis yet, the pre-check messages or the engine's
// "Errore", the eccentricity notes, what the method leaves out, and the
// line on design actions unless the verification states it.
std::vector<std::string> reportNotes(const ReportRequest& request,
                                     const ReportCalculation& calculation);

// "progetto senza nome", or the file's name without its folders.
std::string projectTitle(const std::string& projectName);

// What heads the report's pages: the project's title when it has one,
// else projectTitle of its file.
std::string reportTitle(const ReportRequest& request);

inline constexpr const char* kHeaderTitle = "ZOLT 6.0 \u2013 Relazione di calcolo";
inline constexpr const char* kNoAnalysisText =
    "Nessuna analisi eseguita: i risultati compaiono dopo un'analisi riuscita "
    "(Analisi \u2192 Analisi).";
inline constexpr const char* kEngineFailedNote =
    "Errore: il metodo di calcolo non trova un carico limite significativo con questi dati.";
inline constexpr const char* kNoValue = "\u2014";

} // namespace zolt::document
