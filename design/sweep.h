// Parametric study: one input swept over a range, every other input the
// project's, the four methods at every point.
#pragma once

#include "design/approach.h"
#include "model/design_data.h"
#include "model/records.h"
#include "workflow/input_fields.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zolt::design {

constexpr std::size_t kMinSweepPoints = 2;
// Points per unit of work handed to a thread: large enough to keep the
// hand-over cost out of the engine's rate, small enough to share 10 000
// points among the cores.
constexpr std::size_t kSweepChunk = 512;
constexpr std::size_t kMaxSweepPoints = 1000000;

struct SweepSpec {
    const InputField* field = nullptr; // the swept input (B L D alpha ... ca)
    double from = 0.0;                 // in the field's unit
    double to = 0.0;
    std::size_t count = kMinSweepPoints;
    unsigned methods = 0xF; // bit m: compute method m (the others stay without values)
};

// Why `study` cannot be swept, in one Italian line; none when it can. The
// ends must be numbers within the field's range (the values the input
// dialogs accept) and the count within kMinSweepPoints..kMaxSweepPoints.
std::optional<std::string> sweepSpecProblem(const SweepSpec& study);

// The i-th value: from + i (to - from) / (count - 1); the last is `to`.
double sweepValue(const SweepSpec& study, std::size_t i);

// One method at one point. A point has no values (valid false) when the
// analysis pre-checks refuse it, the method finds no load there, or the
// point breaks B <= L; the utilisations only with an approach, and only
// where the verification can compute them.
struct SweepCell {
    bool valid = false;
    double load = 0.0; // ultimate load, kg
    double qult = 0.0; // kg/cm2 over B x L
    std::optional<double> utilBearing;
    std::optional<double> utilSliding;
};

struct SweepPoint {
    double x = 0.0;
    // Terzaghi, Meyerhof, Hansen, Vesic; on the ground model, its drained
    // condition.
    std::array<SweepCell, 4> methods;
    // The undrained condition of the ground model, where it gives one at
    // this point; without values everywhere else.
    std::array<SweepCell, 4> undrained;
};

// The first line of a sweep's CSV: "NAME,terzaghi_load,terzaghi_qult,...,
// vesic_qult" and, with the utilisations, "terzaghi_util_bearing,
// terzaghi_util_sliding,..." for each method in the same order; then, with
// the undrained condition, the same columns again named
// "terzaghi_undrained_load", ..., "vesic_undrained_util_sliding". Ends in
// "\n". Every table of a sweep the programs write has these columns.
std::string sweepCsvHeader(const SweepSpec& study, bool withUtilisations,
                           bool withUndrained = false);

// True when some layer of `ground` has an undrained strength, so that a
// footing on it may have an undrained condition.
bool mayBeUndrained(const GroundData& ground);

// Points [first, last) of the sweep into out[0 .. last - first).
void computeSweepPoints(const SweepSpec& study, const GeometryData& geometry, const SoilData& soil,
                        const Approach* approach, std::size_t first, std::size_t last,
                        SweepPoint* out);

// The whole sweep on `threads` threads (0: every core); none when
// `cancel` was set before it ended.
std::optional<std::vector<SweepPoint>> runSweep(const SweepSpec& study, const GeometryData& geometry,
                                                const SoilData& soil, const Approach* approach,
                                                unsigned threads = 0,
                                                const std::atomic<bool>* cancel = nullptr);

// The sweep on the project's ground. The ground model is evaluated again
// at every point whose value changes B, L or D, and for a soil value of
// the homogeneous soil (the point's SoilData, with its water table); with
// layers a soil value replaces the equivalent value of the drained
// condition (a gamma scales q' by the same ratio). The undrained condition
// keeps its own values (phi = 0, c = the mean cu): the soil values swept
// are drained ones. Points where the water lifts the footing (N - U <= 0)
// have no drained values. With no water table and no layers every point is
// computeSweepPoints' bit for bit.
void computeSweepPointsOnGround(const SweepSpec& study, const GeometryData& geometry,
                                const SoilData& soil, const GroundData& ground,
                                const Approach* approach, std::size_t first, std::size_t last,
                                SweepPoint* out);

std::optional<std::vector<SweepPoint>>
runSweepOnGround(const SweepSpec& study, const GeometryData& geometry, const SoilData& soil,
                 const GroundData& ground, const Approach* approach, unsigned threads = 0,
                 const std::atomic<bool>* cancel = nullptr);

} // namespace zolt::design
