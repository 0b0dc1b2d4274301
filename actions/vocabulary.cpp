#include "actions/vocabulary.h"

#include <array>

namespace zolt::actions {

namespace {

template <class Enum> struct Word {
    Enum value;
    std::string_view id;
    std::string_view label;
};

using VC = VariableCategory;

constexpr Word<ActionKind> kKinds[] = {
    {ActionKind::G1, "G1", "G1 – permanente strutturale"},
    {ActionKind::G2, "G2", "G2 – permanente non strutturale"},
    {ActionKind::Q, "Q", "Q – variabile"},
    {ActionKind::E, "E", "E – sismica"},
};

// NTC 2018 Tab. 2.5.I, the wording of its rows; categories I and K
// ("da valutarsi caso per caso") have no factors and are not offered.
constexpr Word<VariableCategory> kCategories[] = {
    {VC::A, "A", "A – Ambienti ad uso residenziale"},
    {VC::B, "B", "B – Uffici"},
    {VC::C, "C", "C – Ambienti suscettibili di affollamento"},
    {VC::D, "D", "D – Ambienti ad uso commerciale"},
    {VC::E, "E", "E – Biblioteche, archivi, magazzini, ambienti ad uso industriale"},
    {VC::F, "F", "F – Rimesse e parcheggi (autoveicoli ≤ 30 kN)"},
    {VC::G, "G", "G – Rimesse e parcheggi (autoveicoli > 30 kN)"},
    {VC::H, "H", "H – Coperture accessibili per sola manutenzione"},
    {VC::Wind, "wind", "Vento"},
    {VC::SnowLow, "snow-low", "Neve (quota ≤ 1000 m s.l.m.)"},
    {VC::SnowHigh, "snow-high", "Neve (quota > 1000 m s.l.m.)"},
    {VC::Temperature, "temperature", "Variazioni termiche"},
};

constexpr auto kCategoryOrder = [] {
    std::array<VariableCategory, std::size(kCategories)> order{};
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = kCategories[i].value;
    return order;
}();

// NTC 2018 §2.5.3: SLU fundamental, the seismic combination at the SLV,
// and the characteristic (rare), frequent and quasi-permanent SLE ones.
constexpr Word<CombinationType> kTypes[] = {
    {CombinationType::ULS, "ULS", "SLU"},
    {CombinationType::SLV, "SLV", "SLV"},
    {CombinationType::SLERare, "SLE-rare", "SLE rara"},
    {CombinationType::SLEFrequent, "SLE-frequent", "SLE frequente"},
    {CombinationType::SLEQuasiPermanent, "SLE-qp", "SLE quasi permanente"},
};

template <class Enum, std::size_t N>
const Word<Enum>& wordOf(const Word<Enum> (&words)[N], Enum value) {
    for (const auto& w : words)
        if (w.value == value)
            return w;
    return words[0];
}

template <class Enum, std::size_t N>
std::optional<Enum> find(const Word<Enum> (&words)[N], std::string_view id) {
    for (const auto& w : words)
        if (w.id == id)
            return w.value;
    return std::nullopt;
}

} // namespace

std::string_view kindId(ActionKind kind) {
    return wordOf(kKinds, kind).id;
}
std::optional<ActionKind> findKind(std::string_view id) {
    return find(kKinds, id);
}
std::string_view kindLabel(ActionKind kind) {
    return wordOf(kKinds, kind).label;
}

std::span<const VariableCategory> variableCategories() {
    return kCategoryOrder;
}
std::string_view categoryId(VariableCategory category) {
    return wordOf(kCategories, category).id;
}
std::optional<VariableCategory> findCategory(std::string_view id) {
    return find(kCategories, id);
}
std::string_view categoryLabel(VariableCategory category) {
    return wordOf(kCategories, category).label;
}

std::string_view typeId(CombinationType type) {
    return wordOf(kTypes, type).id;
}
std::optional<CombinationType> findType(std::string_view id) {
    return find(kTypes, id);
}
std::string_view typeLabel(CombinationType type) {
    return wordOf(kTypes, type).label;
}

} // namespace zolt::actions
