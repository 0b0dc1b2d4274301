// The input fields of the geometry and soil dialogs: accepted range and
// display of every field of GeometryData and SoilData (the labels are in
// the dialog templates). The dialogs and the command-line front end take
// their limits from here.
#pragma once

#include "model/records.h"

#include <optional>
#include <span>
#include <string_view>

namespace zolt {

struct InputField {
    int controlId;         // edit control id in its dialog (dialog id + running index)
    std::string_view name; // the record field's name
    double minimum;        // inclusive
    double maximum;        // inclusive
    int textLength;        // edit buffer size, NUL included: one character fewer can be typed
    int decimals;          // digits shown after the point
    double GeometryData::*geometryField = nullptr;
    double SoilData::*soilField = nullptr;

    bool accepts(double value) const { return value >= minimum && !(value > maximum); }
};

constexpr int kGeometryDialogId = 100;
constexpr int kSoilDialogId = 200;

std::span<const InputField> geometryFields(); // ids 101..109, record order
std::span<const InputField> soilFields();     // ids 201..205, record order

// The field of either record called `name` (case-sensitive), if any.
const InputField* findInputField(std::string_view name);

// The analysis dialog's safety factor, which divides qult into qamm.
constexpr double kMinSafetyFactor = 1.0;
constexpr double kMaxSafetyFactor = 9.0;

// Geometry rule checked when the geometry dialog is confirmed.
inline constexpr const char* kWidthLengthText =
    "La larghezza della fondazione deve essere minore o uguale alla lunghezza";

} // namespace zolt
