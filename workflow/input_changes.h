// Result windows that outlive the inputs they were computed from.
//
// The inputs live in the process-wide records, which the dialogs, the file
// commands and "Applica" of the sizing dialog write. A window keeps an
// InputSnapshot of what it was computed from and compares it with the
// records whenever InputsMayHaveChanged() is emitted: after every command
// of the main window and whenever a window writes the records itself.
#pragma once

#include "model/design_data.h"
#include "model/records.h"

#include <QObject>

namespace zolt {

// The inputs a result depends on: the geometry, the soil, the analysis
// settings (method and safety factor) and the project's ground; the
// actions and the seismic site for the checks that take them.
struct InputSnapshot {
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings settings;
    GroundData ground;
    std::optional<ActionsData> actions = std::nullopt;
    std::optional<SeismicData> seismic = std::nullopt;
};

// The records as they are now.
InputSnapshot CurrentInputs();

// Geometry and soil as the data file would hold them.
bool SameGeometryAndSoil(const InputSnapshot& a, const InputSnapshot& b);
// The ground as the bearing capacity sees it: the water table, the
// homogeneous soil's gammaSat and every layer's strength, weights and
// thickness (but the last one's, which reaches any depth); names and
// settlement parameters do not count.
bool SameGround(const GroundData& a, const GroundData& b);
// Geometry, soil, ground and the settings.
bool SameInputs(const InputSnapshot& a, const InputSnapshot& b);

class InputChanges : public QObject {
    Q_OBJECT

public:
    // The one notifier of the program.
    static InputChanges& Instance();

signals:
    void InputsMayHaveChanged();
};

// Emits InputsMayHaveChanged.
void AnnounceInputChanges();

} // namespace zolt
