// zolt-calc's sections of the design checks and studies: Italian text for
// people, JSON objects for scripts, CSV for the sweep.
#pragma once

#include "cli/json_writer.h"
#include "design/combinations_verification.h"
#include "design/comparison.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"
#include "design/verification.h"

#include <string>
#include <string_view>
#include <vector>

namespace zolt::cli {

// The checks and studies on the project's ground. `groundModel` (a water
// table or layers) names the condition of a comparison or a Monte Carlo
// analysis even when there is only the drained one.
std::string verificationText(const design::GroundVerification& v);
std::string sizingText(const design::GroundSizing& s);
// Every combination of the project's actions: a table with the governing
// one marked, the seismic values, the notes, the governing combination's
// checks and the outcome.
std::string combinationsText(const design::CombinationsVerification& v);
std::string combinationsSizingText(const design::CombinationsSizing& s);
std::string comparisonText(const design::GroundComparison& c, bool groundModel);
std::string monteCarloText(const design::MonteCarloSpec& study, const design::GroundMonteCarlo& r,
                           bool groundModel);

// The ground model's values of each condition (`drained`, `undrained` or
// null) for `footing`.
void writeGround(JsonWriter& json, std::string_view key, const ground::GroundModel& model,
                 const GeometryData& footing);
// Objects under `key`; null for a refused check or study. The drained
// condition's fields at the top, the undrained condition's in `undrained`
// (null without one); the comparison's undrained runs under
// "comparisonUndrained" beside `key`.
void writeVerification(JsonWriter& json, std::string_view key, const design::GroundVerification& v);
void writeSizing(JsonWriter& json, std::string_view key, const design::GroundSizing& s);
// The keys of the combinations' verification at the current level:
// `verification` (the governing combination's, null without one),
// `combinations` (each with its own `verification`, null for SLE; the SLV
// ones with kh, zq, zga, zc), `governing` (its index) and `seismic` (kh,
// betaS and the resistance factors; null without seismic data).
void writeCombinations(JsonWriter& json, const design::CombinationsVerification& v);
// The sizing for every combination under `key`: rule, B, L and the keys of
// writeCombinations at the size found (null when none).
void writeCombinationsSizing(JsonWriter& json, std::string_view key,
                             const design::CombinationsSizing& s);
void writeComparison(JsonWriter& json, std::string_view key, const design::GroundComparison& c);
void writeMonteCarlo(JsonWriter& json, std::string_view key, const design::MonteCarloSpec& study,
                     const design::GroundMonteCarlo& r);

// Runs the sweep on the ground model and writes it as CSV: "." as decimal
// point, round-trip numbers, empty cells where a point has no value; the
// utilisation columns with an approach, the undrained columns when a layer
// has cu. Computed block by block on every core, so that a million points
// never sit in memory as records.
std::string sweepCsv(const design::SweepSpec& study, const GeometryData& geometry,
                     const SoilData& soil, const GroundData& ground,
                     const design::Approach* approach);

} // namespace zolt::cli
