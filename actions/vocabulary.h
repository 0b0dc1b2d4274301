// The words of actions and combinations: the ids the project file and the
// combinations' CSV write, and the Italian names every output shows.
#pragma once

#include "model/design_data.h"

#include <optional>
#include <span>
#include <string_view>

namespace zolt::actions {

// "G1", "G2", "Q", "E".
std::string_view kindId(ActionKind kind);
std::optional<ActionKind> findKind(std::string_view id);
// "G1 – permanente strutturale", ...
std::string_view kindLabel(ActionKind kind);

// The categories of variable actions in the order of NTC 2018 Tab. 2.5.I.
std::span<const VariableCategory> variableCategories();
// "A" ... "H", "wind", "snow-low", "snow-high", "temperature".
std::string_view categoryId(VariableCategory category);
std::optional<VariableCategory> findCategory(std::string_view id);
// The table's wording, shortened: "B – Uffici", "Neve (quota ≤ 1000 m s.l.m.)".
std::string_view categoryLabel(VariableCategory category);

// "ULS", "SLV", "SLE-rare", "SLE-frequent", "SLE-qp".
std::string_view typeId(CombinationType type);
std::optional<CombinationType> findType(std::string_view id);
// "SLU", "SLV", "SLE rara", "SLE frequente", "SLE quasi permanente".
std::string_view typeLabel(CombinationType type);

// ULS and SLV combinations decide the outcome; the SLE ones are checked
// for eccentricity and settlement only.
constexpr bool isUltimate(CombinationType type) {
    return type == CombinationType::ULS || type == CombinationType::SLV;
}

} // namespace zolt::actions
