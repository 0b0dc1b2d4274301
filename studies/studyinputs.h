// The fourteen inputs a parametric study can vary, with the Italian labels
// of the input dialogs, their units and the range the study proposes.
#pragma once

#include "model/records.h"
#include "workflow/input_fields.h"

#include <QString>

#include <span>
#include <utility>

namespace zolt::studies {

struct StudyInput {
    const InputField* field; // range, decimals and record member
    const char* label;       // as in the input dialogs, UTF-8
    const char* unit;        // UTF-8
    double spanFromZero;     // upper end proposed when the value is 0
};

// B L D alpha omega ex ey N T gamma phi delta c ca, in record order.
std::span<const StudyInput> studyInputs();

// The input of `field`; null for a field of no study.
const StudyInput* studyInputOf(const InputField* field);

// "B", "gamma": the field's name as zolt-calc and the CSV files call it.
QString inputName(const InputField& field);

// "B – Base della fondazione (m)"
QString inputTitle(const StudyInput& input);

// The value of the input in the given records.
double inputValue(const InputField& field, const GeometryData& geometry, const SoilData& soil);

// Half to one and a half times the current value, within the field's range
// (from the field's minimum to spanFromZero when the value is 0). B stops
// at L and L starts at B, where the range allows, because every point past
// them breaks B <= L and has no values.
std::pair<double, double> proposedRange(const StudyInput& input, const GeometryData& geometry,
                                        const SoilData& soil);

} // namespace zolt::studies
