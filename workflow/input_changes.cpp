#include "workflow/input_changes.h"

#include "model/data_file.h"
#include "model/project.h"

namespace zolt {

InputSnapshot CurrentInputs() {
    return {geometryData,      soilData,           analysisSettings,
            designData.ground, designData.actions, designData.seismic};
}

bool SameGeometryAndSoil(const InputSnapshot& a, const InputSnapshot& b) {
    // Byte for byte, as "modified" is judged for the save question: a
    // value typed again is no change.
    return encodeDataFile(a.geometry, a.soil) == encodeDataFile(b.geometry, b.soil);
}

bool SameGround(const GroundData& a, const GroundData& b) {
    if (a.waterTable != b.waterTable || a.layers.size() != b.layers.size())
        return false;
    if (a.layers.empty())
        return a.gammaSat == b.gammaSat;
    for (std::size_t i = 0; i < a.layers.size(); ++i) {
        const SoilLayer& x = a.layers[i];
        const SoilLayer& y = b.layers[i];
        const bool last = i + 1 == a.layers.size();
        if ((!last && x.thickness != y.thickness) || x.gamma != y.gamma ||
            x.gammaSat != y.gammaSat || x.phi != y.phi || x.delta != y.delta || x.c != y.c ||
            x.ca != y.ca || x.cu != y.cu)
            return false;
    }
    return true;
}

bool SameInputs(const InputSnapshot& a, const InputSnapshot& b) {
    return SameGeometryAndSoil(a, b) && SameGround(a.ground, b.ground) &&
           a.settings.method == b.settings.method &&
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
