// zolt-calc's sections of the design checks and studies: Italian text for
// people, JSON objects for scripts, CSV for the sweep.
#pragma once

#include "cli/json_writer.h"
#include "design/comparison.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"
#include "design/verification.h"

#include <string>
#include <string_view>
#include <vector>

namespace zolt::cli {

std::string verificationText(const design::Verification& v);
std::string sizingText(const design::Sizing& s);
std::string comparisonText(const design::Comparison& c);
std::string monteCarloText(const design::MonteCarloSpec& study, const design::MonteCarloResult& r);

// Objects under `key`; null for a refused check or study.
void writeVerification(JsonWriter& json, std::string_view key, const design::Verification& v);
void writeSizing(JsonWriter& json, std::string_view key, const design::Sizing& s);
void writeComparison(JsonWriter& json, std::string_view key, const design::Comparison& c);
void writeMonteCarlo(JsonWriter& json, std::string_view key, const design::MonteCarloSpec& study,
                     const design::MonteCarloResult& r);

// Runs the sweep and writes it as CSV: "." as decimal point, round-trip
// numbers, empty cells where a point has no value; the utilisation columns
// with an approach. Computed block by block on every core, so that a
// million points never sit in memory as records.
std::string sweepCsv(const design::SweepSpec& study, const GeometryData& geometry,
                     const SoilData& soil, const design::Approach* approach);

} // namespace zolt::cli
