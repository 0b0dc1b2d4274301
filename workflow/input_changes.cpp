#include "workflow/input_changes.h"

#include "model/data_file.h"
#include "model/project.h"

namespace zolt {

InputSnapshot CurrentInputs() {
    return {geometryData, soilData, analysisSettings};
}

bool SameGeometryAndSoil(const InputSnapshot& a, const InputSnapshot& b) {
    // Byte for byte, as "modified" is judged for the save question: a
    // value typed again is no change.
    return encodeDataFile(a.geometry, a.soil) == encodeDataFile(b.geometry, b.soil);
}

bool SameInputs(const InputSnapshot& a, const InputSnapshot& b) {
    return SameGeometryAndSoil(a, b) && a.settings.method == b.settings.method &&
           a.settings.safetyFactor == b.settings.safetyFactor;
}

InputChanges& InputChanges::Instance() {
    static InputChanges notifier;
    return notifier;
}

void AnnounceInputChanges() {
    emit InputChanges::Instance().InputsMayHaveChanged();
}

} // namespace zolt
