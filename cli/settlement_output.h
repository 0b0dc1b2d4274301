// zolt-calc's settlement section: the table per layer for people, the
// object `settlement` for scripts.
#pragma once

#include "cli/json_writer.h"
#include "settlement/project_settlement.h"

#include <string>
#include <string_view>

namespace zolt::cli {

// The method and the footing, the notes (the eccentricity one first), the loads and the
// governing one, q and q netto, the depth of influence, the table per layer
// (from, to, s in cm and mm), the total and the check against the limit.
std::string settlementText(const settlement::ProjectSettlement& s);

// The object under `key`. Units: N kg; q, qNet, methodPressure and the
// profile's stresses kg/m2; top, bottom and profile.z m below the ground
// surface, influenceDepth m below the base; s, total, limit and
// profile.cumulative cm, sMm and totalMm mm; burlandBurbidge in its
// method's kPa, m and mm.
void writeSettlement(JsonWriter& json, std::string_view key,
                     const settlement::ProjectSettlement& s);

} // namespace zolt::cli
