// Result windows that outlive the inputs they were computed from.
//
// The inputs live in the process-wide records, which the dialogs, the file
// commands and "Applica" of the sizing dialog write. A window keeps an
// InputSnapshot of what it was computed from and compares it with the
// records whenever InputsMayHaveChanged() is emitted: after every command
// of the main window and whenever a window writes the records itself.
#pragma once

#include "model/records.h"

#include <QObject>

namespace zolt {

// The inputs a result depends on: the geometry, the soil and the analysis
// settings (method and safety factor).
struct InputSnapshot {
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings settings;
};

// The records as they are now.
InputSnapshot CurrentInputs();

// Geometry and soil as the data file would hold them, and the settings.
bool SameGeometryAndSoil(const InputSnapshot& a, const InputSnapshot& b);
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
