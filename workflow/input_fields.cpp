#include "workflow/input_fields.h"

namespace zolt {

namespace {

using G = GeometryData;
using S = SoilData;

constexpr double kMaxLength = 99.9;   // m, and degrees for the angles
constexpr double kMaxForce = 9999999; // kg: seven digits

const InputField kGeometryFields[] = {
    {101, "B", 0.1, kMaxLength, 5, 2, &G::B},
    {102, "L", 0.1, kMaxLength, 5, 2, &G::L},
    {103, "D", 0.0, kMaxLength, 5, 2, &G::D},
    {104, "alpha", 0.0, kMaxLength, 5, 2, &G::alpha},
    {105, "omega", 0.0, kMaxLength, 5, 2, &G::omega},
    {106, "ex", 0.0, kMaxLength, 5, 2, &G::ex},
    {107, "ey", 0.0, kMaxLength, 5, 2, &G::ey},
    {108, "N", 0.0, kMaxForce, 8, 0, &G::N},
    {109, "T", 0.0, kMaxForce, 8, 0, &G::T},
};

const InputField kSoilFields[] = {
    {201, "gamma", 0.0, 9999.9, 7, 1, nullptr, &S::gamma},
    {202, "phi", 0.0, 99.9, 5, 1, nullptr, &S::phi},
    {203, "delta", 0.0, 99.9, 5, 1, nullptr, &S::delta},
    {204, "c", 0.0, 99.99, 7, 3, nullptr, &S::c},
    {205, "ca", 0.0, 99.99, 7, 3, nullptr, &S::ca},
};

} // namespace

std::span<const InputField> geometryFields() {
    return kGeometryFields;
}
std::span<const InputField> soilFields() {
    return kSoilFields;
}

const InputField* findInputField(std::string_view name) {
    for (const auto& field : kGeometryFields)
        if (field.name == name)
            return &field;
    for (const auto& field : kSoilFields)
        if (field.name == name)
            return &field;
    return nullptr;
}

} // namespace zolt
