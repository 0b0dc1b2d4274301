// The design project beyond the footing and soil of the data file: who and
// where, the approach of the verification, and the ground as a profile of
// layers with a water table. Plain data; the process-wide instance lives in
// model/project.h, the project file in model/project_file.h.
#pragma once

#include "model/records.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zolt {

// The project's identity, shown on the full report's header and first page.
struct ProjectInfo {
    std::string title;
    std::string client;
    std::string site;
    std::string designer;
    std::string notes;

    bool operator==(const ProjectInfo&) const = default;
    bool empty() const {
        return title.empty() && client.empty() && site.empty() && designer.empty() &&
               notes.empty();
    }
};

// What the settlement methods need of a soil, each value optional: a
// method says which it misses rather than take it as 0.
struct SettlementParameters {
    std::optional<double> E;      // Young's modulus, kg/cm2
    std::optional<double> nu;     // Poisson's ratio
    std::optional<double> Eoed;   // oedometric (constrained) modulus, kg/cm2
    std::optional<double> Cc;     // compression index
    std::optional<double> Cr;     // recompression index
    std::optional<double> e0;     // initial void ratio
    std::optional<double> sigmaP; // preconsolidation stress, kg/cm2; none = normally consolidated
    std::optional<double> Nspt;   // mean SPT blow count, blows/0.3 m

    bool operator==(const SettlementParameters&) const = default;
};

// One soil layer, from the surface down. The last layer of a profile
// reaches any depth and its thickness is not used.
struct SoilLayer {
    std::string name;
    double thickness = 1.0; // m
    double gamma = 1800.0;  // unit weight above the water table, kg/m3
    double gammaSat = 2000.0; // saturated unit weight, below the water table, kg/m3
    double phi = 30.0;      // internal friction angle, degrees
    double delta = 20.0;    // soil-foundation friction angle, degrees
    double c = 0.0;         // drained cohesion, kg/cm2
    double ca = 0.0;        // soil-foundation adhesion, kg/cm2
    double cu = 0.0;        // undrained shear strength, kg/cm2; 0 = not given
    SettlementParameters settlement;
    // Keys of this layer that this version of the program does not know,
    // as the text of a JSON object; written back unchanged.
    std::string extra;

    bool operator==(const SoilLayer&) const = default;
};

// The ground under and around the footing. With no layers it is SoilData
// to any depth, with gammaSat below the water table.
struct GroundData {
    std::optional<double> waterTable; // depth below the ground surface, m; none = no water
    double gammaSat = 2000.0;         // saturated unit weight of the homogeneous soil, kg/m3
    std::vector<SoilLayer> layers;    // from the surface down
    SettlementParameters settlement;  // of the homogeneous soil (no layers)

    bool operator==(const GroundData&) const = default;
};

// The forces of an action or a combination on the base: N vertical, TB and
// TL horizontal along B and along L, MB and ML the moments that move the
// resultant along B and along L.
struct BaseForces {
    double N = 0.0;  // kg
    double TB = 0.0; // kg
    double TL = 0.0; // kg
    double MB = 0.0; // kg m
    double ML = 0.0; // kg m

    bool operator==(const BaseForces&) const = default;
};

// G1 structural permanent, G2 non-structural permanent, Q variable, E the
// seismic action from the structure's own analysis (NTC 2018 §2.5.1.3).
enum class ActionKind { G1, G2, Q, E };

// The categories of variable actions of NTC 2018 Tab. 2.5.I.
enum class VariableCategory { A, B, C, D, E, F, G, H, Wind, SnowLow, SnowHigh, Temperature };

struct Action {
    std::string name;
    ActionKind kind = ActionKind::G1;
    VariableCategory category = VariableCategory::A; // only for Q
    BaseForces forces; // characteristic values
    std::string extra; // unknown keys, as the text of a JSON object

    bool operator==(const Action&) const = default;
};

// ULS fundamental, SLV seismic (life safety), and the three
// serviceability combinations.
enum class CombinationType { ULS, SLV, SLERare, SLEFrequent, SLEQuasiPermanent };

// A combination the user gives already combined.
struct GivenCombination {
    std::string name;
    CombinationType type = CombinationType::ULS;
    BaseForces forces; // design values
    std::string extra;

    bool operator==(const GivenCombination&) const = default;
};

// The footing's own weight and the backfill over it, as one G1 action.
struct SelfWeight {
    double thickness = 0.5;                // of the footing, m
    double gammaConcrete = 2500.0;         // kg/m3
    std::optional<double> gammaFill;       // kg/m3; none = the soil's gamma

    bool operator==(const SelfWeight&) const = default;
};

enum class ActionsMode { Characteristic, Combinations };

struct ActionsData {
    ActionsMode mode = ActionsMode::Characteristic;
    std::vector<Action> characteristic;
    std::vector<GivenCombination> combinations;
    std::optional<SelfWeight> selfWeight;

    bool operator==(const ActionsData&) const = default;
};

// The site's seismic hazard at the SLV and the options of the seismic
// bearing check.
struct SeismicData {
    double agOverG = 0.15; // peak ground acceleration on rock over g
    double SS = 1.2;       // stratigraphic amplification
    double ST = 1.0;       // topographic amplification
    char subsoil = 'B';    // subsoil category A..E
    std::optional<double> betaS; // none = from the category and ag/g
    std::optional<double> kh;    // none = betaS SS ST ag/g
    bool kinematic = true;       // the soil's own inertia on the bearing capacity
    double gammaRv = 2.3;        // 2.3, or 1.8 with the kinematic effect

    bool operator==(const SeismicData&) const = default;
};

enum class SettlementMethod { Elastic, Oedometric, Schmertmann, BurlandBurbidge };

struct SettlementSettings {
    SettlementMethod method = SettlementMethod::Elastic;
    CombinationType combination = CombinationType::SLEQuasiPermanent; // an SLE type
    std::optional<double> limit; // admissible settlement, cm; none = no check
    std::optional<double> years; // time for the creep terms, years; none = no creep

    bool operator==(const SettlementSettings&) const = default;
};

// Everything of the design project that the data file does not hold.
struct DesignData {
    ProjectInfo info;
    std::string approach = "ntc2018"; // id of the verification's approach
    GroundData ground;
    std::optional<ActionsData> actions;        // none: the geometry's N, T, ex, ey
    std::optional<SeismicData> seismic;        // none: no seismic verification
    std::optional<SettlementSettings> settlement; // none: no settlement computed
    // Keys this version does not know, by the path of the object that held
    // them ("" for the top level, "info", "ground", ...), each as the text
    // of a JSON object; written back unchanged when the project is saved.
    std::map<std::string, std::string> extra;

    bool operator==(const DesignData&) const = default;
};

// A whole project as its file holds it.
struct ProjectDocument {
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings analysis;
    DesignData design;
};

// True when the ground is more than the dry homogeneous soil of the
// described analysis: a water table or layers.
inline bool hasGroundModel(const GroundData& ground) {
    return ground.waterTable.has_value() || !ground.layers.empty();
}

} // namespace zolt
