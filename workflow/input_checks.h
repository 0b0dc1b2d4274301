// The pre-checks of the analysis command: input combinations that cannot
// give a meaningful bearing capacity are refused before the engine runs.
#pragma once

#include "model/records.h"

#include <string>

namespace zolt {

// Bit mask of the failed checks; 0 lets the analysis run.
using InputCheckMask = int;

constexpr InputCheckMask kNoFrictionNoCohesion = 1; // phi = 0 and c = 0
constexpr InputCheckMask kNoInterfaceGrip = 2;      // delta = 0 and ca = 0
constexpr InputCheckMask kSliding = 4;              // T exceeds the sliding resistance

constexpr int kInputCheckCount = 3;
constexpr int kInputCheckMessageSize = 70; // fixed field, terminating NUL included

// Message of each check, indexed by the number of its bit.
extern const char InputCheckMessages[kInputCheckCount][kInputCheckMessageSize];

// Evaluates all three checks, each on its own, and ORs their bits.
InputCheckMask checkInputs(const GeometryData& geometry, const SoilData& soil);

// The same with tan(delta) given, as slidingTangent(soil.delta) computes it:
// for callers that check many inputs with one soil-foundation angle.
InputCheckMask checkInputs(const GeometryData& geometry, const SoilData& soil, double tanDelta);
double slidingTangent(double delta);

// The same on the process-wide records.
InputCheckMask CheckAnalysisInputs();

// The text of the message box for `mask`: the message of every set bit, in
// bit order, each followed by "\n".
std::string inputCheckText(InputCheckMask mask);

} // namespace zolt
