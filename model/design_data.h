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

    bool operator==(const GroundData&) const = default;
};

// Everything of the design project that the data file does not hold.
struct DesignData {
    ProjectInfo info;
    std::string approach = "ntc2018"; // id of the verification's approach
    GroundData ground;
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
