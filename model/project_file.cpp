#include "model/project_file.h"

#include "actions/action_fields.h"
#include "actions/seismic.h"
#include "actions/vocabulary.h"
#include "design/approach.h"
#include "ground/ground_fields.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "model/project.h"
#include "settlement/settlement.h"
#include "workflow/input_fields.h"
#include "workflow/result_rows.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <iterator>
#include <new>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolt {

namespace {

// Keeps the members of every object in the order of the file.
using Json = nlohmann::ordered_json;

// Paths of the objects whose unknown keys DesignData::extra holds.
constexpr const char* kTopLevel = "";
constexpr const char* kInfo = "info";
constexpr const char* kGeometry = "geometry";
constexpr const char* kSoil = "soil";
constexpr const char* kAnalysis = "analysis";
constexpr const char* kVerification = "verification";
constexpr const char* kGround = "ground";
constexpr const char* kActions = "actions";
constexpr const char* kSelfWeight = "actions.selfWeight";
constexpr const char* kSeismic = "seismic";
constexpr const char* kSettlement = "settlement";

// ---------------------------------------------------------------- UTF-8

// Offset of the first byte that is not part of well-formed UTF-8 (no
// overlong forms, surrogates or code points above U+10FFFF: Unicode 15,
// Table 3-7); npos when there is none.
std::size_t firstInvalidUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + 1 >= text.size() || byte(i + 1) < low || byte(i + 1) > high)
            return i;
        for (std::size_t k = 2; k < length; ++k)
            if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return std::string_view::npos;
}

bool isUtf8(std::string_view text) {
    return firstInvalidUtf8(text) == std::string_view::npos;
}

// Code points of well-formed UTF-8: the bytes that are not continuations.
std::size_t codePoints(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// "riga 3, colonna 12" of the character at byte `at`; columns count
// characters, not bytes.
std::string position(std::string_view text, std::size_t at) {
    at = std::min(at, text.size());
    const std::string_view before = text.substr(0, at);
    const std::size_t lineStart = before.rfind('\n') + 1; // npos + 1 == 0
    std::size_t line = 1;
    for (const char c : before)
        line += c == '\n';
    return "riga " + std::to_string(line) + ", colonna " +
           std::to_string(codePoints(before.substr(lineStart)) + 1);
}

// ------------------------------------------------------------- messages

std::string numberText(double value) {
    return formatRoundTrip(value);
}

// Empty when `value` is finite and within [minimum, maximum].
std::string rangeProblem(double value, double minimum, double maximum) {
    if (!std::isfinite(value))
        return "numero non finito";
    if (value >= minimum && value <= maximum)
        return {};
    return numberText(value) + " fuori dall'intervallo " + numberText(minimum) + "–" +
           numberText(maximum);
}

std::string kindOf(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "un valore logico";
    case Json::value_t::string:
        return "un testo";
    case Json::value_t::object:
        return "un oggetto";
    case Json::value_t::array:
        return "una lista";
    default:
        return "un numero";
    }
}

std::string join(const std::string& path, std::string_view key) {
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string indexed(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string tooManyLayers(const std::string& path, std::size_t count) {
    return path + ": " + std::to_string(count) + " strati, al massimo " +
           std::to_string(ground::kMaxLayers);
}

std::string methodList() {
    std::string list;
    for (int m = Terzaghi; m <= Vesic; ++m)
        list += (list.empty() ? "" : ", ") + std::string(methodKey(m));
    return list;
}

std::string settlementMethodList() {
    std::string list;
    for (SettlementMethod m : {SettlementMethod::Elastic, SettlementMethod::Oedometric,
                               SettlementMethod::Schmertmann, SettlementMethod::BurlandBurbidge})
        list += (list.empty() ? "" : ", ") + std::string(settlement::methodId(m));
    return list;
}

constexpr CombinationType kServiceabilityTypes[] = {
    CombinationType::SLERare, CombinationType::SLEFrequent, CombinationType::SLEQuasiPermanent};

std::string serviceabilityList() {
    std::string list;
    for (CombinationType t : kServiceabilityTypes)
        list += (list.empty() ? "" : ", ") + std::string(actions::typeId(t));
    return list;
}

bool isServiceability(CombinationType type) {
    return std::find(std::begin(kServiceabilityTypes), std::end(kServiceabilityTypes), type) !=
           std::end(kServiceabilityTypes);
}

std::string approachList() {
    std::string list;
    for (const auto& a : design::approaches())
        list += (list.empty() ? "" : ", ") + std::string(a.id);
    return list;
}

// ---------------------------------------------------------- JSON syntax

// A first pass over the text, before any value is stored, for what the
// JSON grammar allows and a project does not: a key twice in one object,
// nesting past kMaxProjectNesting (stopped there, so that a file of
// brackets costs neither memory nor stack). It also says where the text
// breaks off, and names the key of a number too large for a double.
class SyntaxWatch {
public:
    explicit SyntaxWatch(std::string_view text) : text_(text) {}

    bool null() { return value(); }
    bool boolean(bool) { return value(); }
    bool number_integer(Json::number_integer_t) { return value(); }
    bool number_unsigned(Json::number_unsigned_t) { return value(); }
    bool number_float(Json::number_float_t, const Json::string_t&) { return value(); }
    bool string(Json::string_t&) { return value(); }
    bool binary(Json::binary_t&) { return value(); }
    bool start_object(std::size_t) { return open(false); }
    bool start_array(std::size_t) { return open(true); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(Json::string_t& key) {
        Frame& frame = frames_.back();
        frame.key = key;
        if (frame.keys.insert(key).second)
            return true;
        error_ = located("chiave ripetuta");
        return false;
    }

    bool parse_error(std::size_t byte, const std::string&, const Json::exception& e) {
        // 406: the number overflow, the parser's one range error. `byte`
        // counts from 1 and is the character at which the text broke off.
        error_ = e.id == 406 ? located("numero non finito")
                             : "JSON non valido alla " + position(text_, byte == 0 ? 0 : byte - 1);
        return false;
    }

    const std::string& error() const { return error_; }

private:
    struct Frame {
        bool array;
        std::size_t index;
        std::string key;
        std::set<std::string> keys;
    };

    bool open(bool array) {
        if (frames_.size() == static_cast<std::size_t>(kMaxProjectNesting)) {
            error_ =
                located("annidamento oltre " + std::to_string(kMaxProjectNesting) + " livelli");
            return false;
        }
        frames_.push_back({array, 0, {}, {}});
        return true;
    }
    bool close() {
        frames_.pop_back();
        return value();
    }
    bool value() {
        if (!frames_.empty() && frames_.back().array)
            ++frames_.back().index;
        return true;
    }
    // `problem` at the path of the value being read.
    std::string located(const std::string& problem) const {
        std::string path;
        for (const Frame& f : frames_)
            path = f.array ? indexed(path, f.index) : join(path, f.key);
        return path.empty() ? problem : path + ": " + problem;
    }

    std::string_view text_;
    std::vector<Frame> frames_;
    std::string error_;
};

// ------------------------------------------------------------- reading

// One object of the file at its key path. It notes every key asked for,
// so that the rest are the object's unknown keys, whatever this version
// reads: a key a later version reads only needs to be asked for.
class ObjectReader {
public:
    ObjectReader(const Json& object, std::string path, std::string& error)
        : object_(object), path_(std::move(path)), error_(error) {}

    bool number(std::string_view key, double& out) {
        const Json* value = member(key, &Json::is_number, "un numero");
        if (value != nullptr)
            out = value->get<double>();
        return value != nullptr;
    }

    bool numberOrNull(std::string_view key, std::optional<double>& out) {
        const Json* value = member(
            key, [](const Json& v) { return v.is_number() || v.is_null(); }, "un numero o null");
        if (value != nullptr)
            out = value->is_null() ? std::nullopt : std::optional(value->get<double>());
        return value != nullptr;
    }

    bool text(std::string_view key, std::string& out) {
        const Json* value = member(key, &Json::is_string, "un testo");
        if (value != nullptr)
            out = value->get<std::string>();
        return value != nullptr;
    }

    bool boolean(std::string_view key, bool& out) {
        const Json* value = member(key, &Json::is_boolean, "un valore logico");
        if (value != nullptr)
            out = value->get<bool>();
        return value != nullptr;
    }

    // A member the file may leave out, as the keys later versions added:
    // null when it is absent, with no error.
    const Json* optional(std::string_view key) {
        asked_.emplace(key);
        const auto found = object_.find(key);
        return found == object_.end() ? nullptr : &*found;
    }

    const Json* object(std::string_view key) { return member(key, &Json::is_object, "un oggetto"); }
    const Json* array(std::string_view key) { return member(key, &Json::is_array, "una lista"); }

    // A member of any type, for checks of their own.
    const Json* any(std::string_view key) {
        return member(
            key, [](const Json&) { return true; }, "");
    }

    // A number that may be left out; out stays none when it is.
    bool optionalNumber(std::string_view key, std::optional<double>& out) {
        const Json* value = optional(key);
        if (value != nullptr && !value->is_number()) {
            error_ = path(key) + ": atteso un numero, trovato " + kindOf(*value);
            return false;
        }
        if (value != nullptr)
            out = value->get<double>();
        return true;
    }

    // A number or null that may be left out; null and absent are none.
    bool optionalNumberOrNull(std::string_view key, std::optional<double>& out) {
        const Json* value = optional(key);
        if (value != nullptr && !value->is_number() && !value->is_null()) {
            error_ = path(key) + ": atteso un numero o null, trovato " + kindOf(*value);
            return false;
        }
        if (value != nullptr && value->is_number())
            out = value->get<double>();
        return true;
    }

    std::string path(std::string_view key) const { return join(path_, key); }

    // The keys not asked for, as the text of a JSON object; empty when
    // there are none.
    std::string unknownKeys() const {
        Json rest = Json::object();
        for (const auto& [key, value] : object_.items())
            if (!asked_.contains(key))
                rest[key] = value;
        return rest.empty() ? std::string() : rest.dump();
    }

private:
    template <class Test>
    const Json* member(std::string_view key, Test test, std::string_view expected) {
        asked_.emplace(key);
        const auto found = object_.find(key);
        if (found == object_.end()) {
            error_ = path(key) + ": chiave mancante";
            return nullptr;
        }
        if (!std::invoke(test, *found)) {
            error_ =
                path(key) + ": atteso " + std::string(expected) + ", trovato " + kindOf(*found);
            return nullptr;
        }
        return &*found;
    }

    const Json& object_;
    std::string path_;
    std::string& error_;
    std::set<std::string, std::less<>> asked_;
};

void keepUnknownKeys(const ObjectReader& reader, std::map<std::string, std::string>& extra,
                     const char* path) {
    std::string keys = reader.unknownKeys();
    if (!keys.empty())
        extra[path] = std::move(keys);
}

bool readVersion(ObjectReader& root, std::string& error) {
    const Json* version = root.any("version");
    if (version == nullptr)
        return false;
    // 1.0 counts as 1, as for JSON Schema's "integer".
    const bool integral = version->is_number_integer() ||
                          (version->is_number_float() && std::isfinite(version->get<double>()) &&
                           std::trunc(version->get<double>()) == version->get<double>());
    if (!integral || version->get<double>() < 1) {
        error = "version: atteso un intero positivo, trovato " +
                (version->is_number() ? numberText(version->get<double>()) : kindOf(*version));
        return false;
    }
    if (version->get<double>() > kProjectVersion) {
        error = "version: " + numberText(version->get<double>()) +
                " più recente della versione che questo programma legge (" +
                std::to_string(kProjectVersion) + ")";
        return false;
    }
    return true;
}

bool readInfo(ObjectReader& root, DesignData& design, std::string& error) {
    const Json* object = root.object(kInfo);
    if (object == nullptr)
        return false;
    ObjectReader info(*object, kInfo, error);
    ProjectInfo& i = design.info;
    if (!info.text("title", i.title) || !info.text("client", i.client) ||
        !info.text("site", i.site) || !info.text("designer", i.designer) ||
        !info.text("notes", i.notes))
        return false;
    keepUnknownKeys(info, design.extra, kInfo);
    return true;
}

template <class Record>
bool readRecord(ObjectReader& root, const char* key, std::span<const InputField> fields,
                double Record::*InputField::*member, Record& record, DesignData& design,
                std::string& error) {
    const Json* object = root.object(key);
    if (object == nullptr)
        return false;
    ObjectReader reader(*object, key, error);
    for (const InputField& field : fields)
        if (!reader.number(field.name, record.*(field.*member)))
            return false;
    keepUnknownKeys(reader, design.extra, key);
    return true;
}

bool readAnalysis(ObjectReader& root, AnalysisSettings& analysis, DesignData& design,
                  std::string& error) {
    const Json* object = root.object(kAnalysis);
    if (object == nullptr)
        return false;
    ObjectReader reader(*object, kAnalysis, error);
    std::string method;
    if (!reader.text("method", method))
        return false;
    analysis.method = -1;
    for (int m = Terzaghi; m <= Vesic; ++m)
        if (methodKey(m) == method)
            analysis.method = m;
    if (analysis.method < 0) {
        error = reader.path("method") + ": metodo sconosciuto, atteso uno tra " + methodList();
        return false;
    }
    if (!reader.number("safetyFactor", analysis.safetyFactor))
        return false;
    keepUnknownKeys(reader, design.extra, kAnalysis);
    return true;
}

bool readVerification(ObjectReader& root, DesignData& design, std::string& error) {
    const Json* object = root.object(kVerification);
    if (object == nullptr)
        return false;
    ObjectReader reader(*object, kVerification, error);
    if (!reader.text("approach", design.approach))
        return false;
    keepUnknownKeys(reader, design.extra, kVerification);
    return true;
}

bool readSettlementParameters(ObjectReader& reader, SettlementParameters& parameters) {
    for (const auto& field : ground::settlementFields())
        if (!reader.optionalNumber(field.name, parameters.*field.field))
            return false;
    return true;
}

// "settlement": absent or null for none, else the method and its options.
bool readSettlementSettings(ObjectReader& root, DesignData& design, std::string& error) {
    const Json* object = root.optional(kSettlement);
    if (object == nullptr || object->is_null())
        return true;
    if (!object->is_object()) {
        error = std::string(kSettlement) + ": atteso un oggetto o null, trovato " + kindOf(*object);
        return false;
    }
    ObjectReader reader(*object, kSettlement, error);
    SettlementSettings settings;
    std::string method;
    if (!reader.text("method", method))
        return false;
    const auto parsed = settlement::parseMethod(method);
    if (!parsed) {
        error = reader.path("method") + ": metodo sconosciuto, atteso uno tra " +
                settlementMethodList();
        return false;
    }
    settings.method = *parsed;
    if (const Json* combination = reader.optional("combination")) {
        const auto type = combination->is_string()
                              ? actions::findType(combination->get<std::string>())
                              : std::nullopt;
        if (!type || !isServiceability(*type)) {
            error = reader.path("combination") +
                    (combination->is_string()
                         ? ": combinazione sconosciuta, attesa una tra " + serviceabilityList()
                         : ": atteso un testo, trovato " + kindOf(*combination));
            return false;
        }
        settings.combination = *type;
    }
    if (!reader.optionalNumberOrNull("limit", settings.limit) ||
        !reader.optionalNumberOrNull("years", settings.years))
        return false;
    keepUnknownKeys(reader, design.extra, kSettlement);
    design.settlement = settings;
    return true;
}

bool readLayer(const Json& element, const std::string& path, SoilLayer& layer, std::string& error) {
    if (!element.is_object()) {
        error = path + ": atteso un oggetto, trovato " + kindOf(element);
        return false;
    }
    ObjectReader reader(element, path, error);
    if (!reader.text("name", layer.name))
        return false;
    for (const auto& field : ground::layerFields())
        if (!reader.number(field.name, layer.*field.field))
            return false;
    if (!readSettlementParameters(reader, layer.settlement))
        return false;
    layer.extra = reader.unknownKeys();
    return true;
}

bool readGround(ObjectReader& root, DesignData& design, std::string& error) {
    const Json* object = root.object(kGround);
    if (object == nullptr)
        return false;
    ObjectReader reader(*object, kGround, error);
    GroundData& ground = design.ground;
    if (!reader.numberOrNull("waterTable", ground.waterTable) ||
        !reader.number("gammaSat", ground.gammaSat) ||
        !readSettlementParameters(reader, ground.settlement))
        return false;
    const Json* layers = reader.array("layers");
    if (layers == nullptr)
        return false;
    // Refused before reading them: checkProject would, and a long list
    // need not be read to say so.
    if (layers->size() > ground::kMaxLayers) {
        error = tooManyLayers(reader.path("layers"), layers->size());
        return false;
    }
    ground.layers.resize(layers->size());
    for (std::size_t i = 0; i < layers->size(); ++i)
        if (!readLayer((*layers)[i], indexed(reader.path("layers"), i), ground.layers[i], error))
            return false;
    keepUnknownKeys(reader, design.extra, kGround);
    return true;
}

// ------------------------------------------------- actions and seismic

template <class Word, class Id>
std::string wordList(std::span<const Word> words, Id id, std::string_view last = " o ") {
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i)
        list += (i == 0                  ? ""
                 : i + 1 == words.size() ? std::string(last)
                                         : std::string(", ")) +
                std::string(id(words[i]));
    return list;
}

std::string kindList() {
    const ActionKind kinds[] = {ActionKind::G1, ActionKind::G2, ActionKind::Q, ActionKind::E};
    return wordList<ActionKind>(kinds, actions::kindId);
}

std::string categoryList() {
    return wordList<VariableCategory>(actions::variableCategories(), actions::categoryId);
}

std::string typeList() {
    const CombinationType types[] = {CombinationType::ULS, CombinationType::SLV,
                                     CombinationType::SLERare, CombinationType::SLEFrequent,
                                     CombinationType::SLEQuasiPermanent};
    return wordList<CombinationType>(types, actions::typeId);
}

// A key of `reader` that holds one of the words `find` knows.
template <class Value, class Find>
bool readWord(ObjectReader& reader, std::string_view key, Find find, const std::string& what,
              const std::string& list, Value& out, std::string& error) {
    std::string text;
    if (!reader.text(key, text))
        return false;
    const std::optional<Value> value = find(text);
    if (!value) {
        error = reader.path(key) + ": " + what + " \"" + text + "\", atteso " + list;
        return false;
    }
    out = *value;
    return true;
}

bool readForces(ObjectReader& reader, BaseForces& forces) {
    for (const actions::ForceField& field : actions::forceFields())
        if (!reader.number(field.name, forces.*field.field))
            return false;
    return true;
}

bool readAction(const Json& element, const std::string& path, Action& action, std::string& error) {
    if (!element.is_object()) {
        error = path + ": atteso un oggetto, trovato " + kindOf(element);
        return false;
    }
    ObjectReader reader(element, path, error);
    if (!reader.text("name", action.name) ||
        !readWord(reader, "kind", actions::findKind, "tipo sconosciuto", kindList(), action.kind,
                  error))
        return false;
    if (action.kind == ActionKind::Q) {
        if (!readWord(reader, "category", actions::findCategory, "categoria sconosciuta",
                      categoryList(), action.category, error))
            return false;
    } else if (reader.optional("category") != nullptr) {
        error = reader.path("category") + ": solo per le azioni Q";
        return false;
    }
    if (!readForces(reader, action.forces))
        return false;
    action.extra = reader.unknownKeys();
    return true;
}

bool readGivenCombination(const Json& element, const std::string& path,
                          GivenCombination& combination, std::string& error) {
    if (!element.is_object()) {
        error = path + ": atteso un oggetto, trovato " + kindOf(element);
        return false;
    }
    ObjectReader reader(element, path, error);
    if (!reader.text("name", combination.name) ||
        !readWord(reader, "type", actions::findType, "tipo di combinazione sconosciuto", typeList(),
                  combination.type, error) ||
        !readForces(reader, combination.forces))
        return false;
    combination.extra = reader.unknownKeys();
    return true;
}

std::string tooMany(const std::string& path, std::size_t count, std::size_t most,
                    const char* things) {
    return path + ": " + std::to_string(count) + " " + things + ", al massimo " +
           std::to_string(most);
}

// The elements of the list `key`, each read by `read`; refused before
// reading past `most`, as checkProject would.
template <class Element, class Read>
bool readList(ObjectReader& reader, std::string_view key, std::size_t most, const char* things,
              Read read, std::vector<Element>& out, std::string& error) {
    const Json* list = reader.array(key);
    if (list == nullptr)
        return false;
    if (list->size() > most) {
        error = tooMany(reader.path(key), list->size(), most, things);
        return false;
    }
    out.resize(list->size());
    for (std::size_t i = 0; i < list->size(); ++i)
        if (!read((*list)[i], indexed(reader.path(key), i), out[i], error))
            return false;
    return true;
}

// A key that is absent or null for none, else an object.
const Json* objectOrNone(ObjectReader& reader, std::string_view key, bool& ok, std::string& error) {
    ok = true;
    const Json* value = reader.optional(key);
    if (value == nullptr || value->is_null())
        return nullptr;
    if (!value->is_object()) {
        error = reader.path(key) + ": atteso un oggetto o null, trovato " + kindOf(*value);
        ok = false;
        return nullptr;
    }
    return value;
}

bool readSelfWeight(const Json& object, std::optional<SelfWeight>& out, DesignData& design,
                    std::string& error) {
    ObjectReader reader(object, kSelfWeight, error);
    SelfWeight w;
    if (!reader.number("thickness", w.thickness) ||
        !reader.number("gammaConcrete", w.gammaConcrete) ||
        !reader.numberOrNull("gammaFill", w.gammaFill))
        return false;
    out = w;
    keepUnknownKeys(reader, design.extra, kSelfWeight);
    return true;
}

// Absent or null: the project has no actions, as every file before them.
bool readActions(ObjectReader& root, DesignData& design, std::string& error) {
    bool ok = true;
    const Json* object = objectOrNone(root, kActions, ok, error);
    if (object == nullptr)
        return ok;
    ObjectReader reader(*object, kActions, error);
    ActionsData a;
    const auto findMode = [](std::string_view id) -> std::optional<ActionsMode> {
        if (id == "characteristic")
            return ActionsMode::Characteristic;
        if (id == "combinations")
            return ActionsMode::Combinations;
        return std::nullopt;
    };
    if (!readWord(reader, "mode", findMode, "modo sconosciuto", "characteristic o combinations",
                  a.mode, error) ||
        !readList(reader, "characteristic", actions::kMaxActions, "azioni", readAction,
                  a.characteristic, error) ||
        !readList(reader, "combinations", actions::kMaxGivenCombinations, "combinazioni",
                  readGivenCombination, a.combinations, error))
        return false;
    const Json* selfWeight = reader.any("selfWeight");
    if (selfWeight == nullptr)
        return false;
    if (!selfWeight->is_null() && !selfWeight->is_object()) {
        error = reader.path("selfWeight") + ": atteso un oggetto o null, trovato " +
                kindOf(*selfWeight);
        return false;
    }
    if (selfWeight->is_object() && !readSelfWeight(*selfWeight, a.selfWeight, design, error))
        return false;
    design.actions = std::move(a);
    keepUnknownKeys(reader, design.extra, kActions);
    return true;
}

bool readSeismic(ObjectReader& root, DesignData& design, std::string& error) {
    bool ok = true;
    const Json* object = objectOrNone(root, kSeismic, ok, error);
    if (object == nullptr)
        return ok;
    ObjectReader reader(*object, kSeismic, error);
    SeismicData s;
    const auto findSubsoil = [](std::string_view id) -> std::optional<char> {
        if (id.size() == 1 && id[0] >= 'A' && id[0] <= 'E')
            return id[0];
        return std::nullopt;
    };
    if (!reader.number("agOverG", s.agOverG) || !reader.number("SS", s.SS) ||
        !reader.number("ST", s.ST) ||
        !readWord(reader, "subsoil", findSubsoil, "categoria di sottosuolo sconosciuta",
                  "A, B, C, D o E", s.subsoil, error) ||
        !reader.numberOrNull("betaS", s.betaS) || !reader.numberOrNull("kh", s.kh) ||
        !reader.boolean("kinematic", s.kinematic) || !reader.number("gammaRv", s.gammaRv))
        return false;
    design.seismic = s;
    keepUnknownKeys(reader, design.extra, kSeismic);
    return true;
}

bool readDocument(const Json& json, ProjectDocument& document, std::string& error) {
    if (!json.is_object()) {
        error = "il progetto deve essere un oggetto JSON, trovato " + kindOf(json);
        return false;
    }
    ObjectReader root(json, kTopLevel, error);
    std::string format;
    if (!root.text("format", format))
        return false;
    if (format != kProjectFormat) {
        error = "format: il file non è un progetto ZOLT (atteso \"" + std::string(kProjectFormat) +
                "\")";
        return false;
    }
    DesignData& design = document.design;
    if (!readVersion(root, error) || !readInfo(root, design, error) ||
        !readRecord(root, kGeometry, geometryFields(), &InputField::geometryField,
                    document.geometry, design, error) ||
        !readRecord(root, kSoil, soilFields(), &InputField::soilField, document.soil, design,
                    error) ||
        !readAnalysis(root, document.analysis, design, error) ||
        !readVerification(root, design, error) || !readGround(root, design, error) ||
        !readActions(root, design, error) || !readSeismic(root, design, error) ||
        !readSettlementSettings(root, design, error))
        return false;
    keepUnknownKeys(root, design.extra, kTopLevel);
    return true;
}

// ------------------------------------------------------------- checking

bool isObjectText(const std::string& text) {
    if (text.empty())
        return true;
    const Json json = Json::parse(text, nullptr, false);
    return json.is_object();
}

std::string checkText(const std::string& path, const std::string& text) {
    return isUtf8(text) ? std::string() : path + ": testo non valido in UTF-8";
}

std::string checkRecordFields(const char* path, std::span<const InputField> fields, auto value) {
    for (const InputField& field : fields) {
        const std::string problem = rangeProblem(value(field), field.minimum, field.maximum);
        if (!problem.empty())
            return join(path, field.name) + ": " + problem;
    }
    return {};
}

std::string checkSettlementParameters(const SettlementParameters& parameters,
                                      const std::string& path) {
    for (const auto& field : ground::settlementFields())
        if (const auto& value = parameters.*field.field)
            if (std::string p = rangeProblem(*value, field.minimum, field.maximum); !p.empty())
                return join(path, field.name) + ": " + p;
    return {};
}

std::string checkSettlementSettings(const SettlementSettings& settings) {
    if (settlement::parseMethod(settlement::methodId(settings.method)) != settings.method)
        return join(kSettlement, "method") + ": metodo sconosciuto, atteso uno tra " +
               settlementMethodList();
    if (!isServiceability(settings.combination))
        return join(kSettlement, "combination") + ": combinazione sconosciuta, attesa una tra " +
               serviceabilityList();
    const std::tuple<const char*, const std::optional<double>&, double, double> numbers[] = {
        {"limit", settings.limit, ground::kMinSettlementLimit, ground::kMaxSettlementLimit},
        {"years", settings.years, ground::kMinSettlementYears, ground::kMaxSettlementYears}};
    for (const auto& [key, value, minimum, maximum] : numbers)
        if (value)
            if (std::string p = rangeProblem(*value, minimum, maximum); !p.empty())
                return join(kSettlement, key) + ": " + p;
    return {};
}

std::string checkName(const std::string& path, const std::string& name, std::size_t most) {
    if (std::string p = checkText(path, name); !p.empty())
        return p;
    if (const std::size_t n = codePoints(name); n > most)
        return path + ": " + std::to_string(n) + " caratteri, al massimo " + std::to_string(most);
    return {};
}

std::string checkNumber(const std::string& path, const actions::NumberField& field, double value) {
    const std::string problem = rangeProblem(value, field.minimum, field.maximum);
    return problem.empty() ? problem : join(path, field.name) + ": " + problem;
}

// Name, forces and unknown keys of an action or a given combination.
template <class Item> std::string checkItem(const Item& item, const std::string& path) {
    if (std::string p = checkName(join(path, "name"), item.name, actions::kMaxActionNameLength);
        !p.empty())
        return p;
    for (const actions::ForceField& field : actions::forceFields())
        if (std::string p = checkNumber(path, field, item.forces.*field.field); !p.empty())
            return p;
    if (!isObjectText(item.extra))
        return path + ": chiavi sconosciute illeggibili";
    return {};
}

std::string checkActions(const ActionsData& a) {
    const std::string characteristic = join(kActions, "characteristic");
    const std::string combinations = join(kActions, "combinations");
    if (a.characteristic.size() > actions::kMaxActions)
        return tooMany(characteristic, a.characteristic.size(), actions::kMaxActions, "azioni");
    if (a.combinations.size() > actions::kMaxGivenCombinations)
        return tooMany(combinations, a.combinations.size(), actions::kMaxGivenCombinations,
                       "combinazioni");
    for (std::size_t i = 0; i < a.characteristic.size(); ++i)
        if (std::string p = checkItem(a.characteristic[i], indexed(characteristic, i)); !p.empty())
            return p;
    for (std::size_t i = 0; i < a.combinations.size(); ++i)
        if (std::string p = checkItem(a.combinations[i], indexed(combinations, i)); !p.empty())
            return p;
    if (a.selfWeight) {
        const SelfWeight& w = *a.selfWeight;
        if (std::string p = checkNumber(kSelfWeight, actions::kThicknessField, w.thickness);
            !p.empty())
            return p;
        if (std::string p = checkNumber(kSelfWeight, actions::kGammaConcreteField, w.gammaConcrete);
            !p.empty())
            return p;
        if (w.gammaFill)
            if (std::string p = checkNumber(kSelfWeight, actions::kGammaFillField, *w.gammaFill);
                !p.empty())
                return p;
    }
    return {};
}

std::string checkSeismic(const SeismicData& s) {
    const std::pair<const actions::NumberField*, double> values[] = {
        {&actions::kAgOverGField, s.agOverG},
        {&actions::kSSField, s.SS},
        {&actions::kSTField, s.ST}};
    for (const auto& [field, value] : values)
        if (std::string p = checkNumber(kSeismic, *field, value); !p.empty())
            return p;
    if (s.subsoil < 'A' || s.subsoil > 'E')
        return join(kSeismic, "subsoil") + ": categoria di sottosuolo sconosciuta";
    if (s.betaS)
        if (std::string p = checkNumber(kSeismic, actions::kBetaSField, *s.betaS); !p.empty())
            return p;
    if (s.kh)
        if (std::string p = checkNumber(kSeismic, actions::kKhField, *s.kh); !p.empty())
            return p;
    // NTC 2018 Tab. 7.11.II and §7.11.5.3.1: the two factors on bearing.
    if (s.gammaRv != actions::kSlvGammaRBearing && s.gammaRv != actions::kSlvGammaRBearingKinematic)
        return join(kSeismic, "gammaRv") + ": " + numberText(s.gammaRv) + " non ammesso, atteso " +
               numberText(actions::kSlvGammaRBearing) + " o " +
               numberText(actions::kSlvGammaRBearingKinematic);
    // A saved project always has its kh.
    if (const actions::SeismicCoefficients c = actions::seismicCoefficients(s); !c.error.empty())
        return join(kSeismic, "betaS") + ": " + c.error;
    return {};
}

std::string checkLayer(const SoilLayer& layer, const std::string& path) {
    if (std::string p = checkText(join(path, "name"), layer.name); !p.empty())
        return p;
    if (const std::size_t n = codePoints(layer.name); n > ground::kMaxLayerNameLength)
        return join(path, "name") + ": " + std::to_string(n) + " caratteri, al massimo " +
               std::to_string(ground::kMaxLayerNameLength);
    for (const auto& field : ground::layerFields()) {
        const std::string problem = rangeProblem(layer.*field.field, field.minimum, field.maximum);
        if (!problem.empty())
            return join(path, field.name) + ": " + problem;
    }
    if (std::string p = checkSettlementParameters(layer.settlement, path); !p.empty())
        return p;
    if (!isObjectText(layer.extra))
        return path + ": chiavi sconosciute illeggibili";
    return {};
}

// ------------------------------------------------------------- writing

// Appends the members of the JSON object text `keys` that `object` does
// not hold yet: a key of a later version written by this one stays after
// the keys this one knows.
void appendUnknownKeys(Json& object, const std::string& keys) {
    if (keys.empty())
        return;
    const Json extra = Json::parse(keys, nullptr, false);
    if (!extra.is_object())
        return;
    for (const auto& [key, value] : extra.items())
        if (!object.contains(key))
            object[key] = value;
}

const std::string& unknownKeysAt(const DesignData& design, const char* path) {
    static const std::string none;
    const auto found = design.extra.find(path);
    return found == design.extra.end() ? none : found->second;
}

// The parameters given, in the fields' order; those not given are left out.
void appendSettlementParameters(Json& object, const SettlementParameters& parameters) {
    for (const auto& field : ground::settlementFields())
        if (const auto& value = parameters.*field.field)
            object[std::string(field.name)] = *value;
}

Json settlementSettingsJson(const SettlementSettings& settings) {
    const auto orNull = [](const std::optional<double>& v) { return v ? Json(*v) : Json(nullptr); };
    Json object = Json::object();
    object["method"] = std::string(settlement::methodId(settings.method));
    object["combination"] = std::string(actions::typeId(settings.combination));
    object["limit"] = orNull(settings.limit);
    object["years"] = orNull(settings.years);
    return object;
}

template <class Record>
Json recordJson(const Record& record, std::span<const InputField> fields,
                double Record::*InputField::*member) {
    Json object = Json::object();
    for (const InputField& field : fields)
        object[std::string(field.name)] = record.*(field.*member);
    return object;
}

Json forcesInto(Json object, const BaseForces& forces) {
    for (const actions::ForceField& field : actions::forceFields())
        object[std::string(field.name)] = forces.*field.field;
    return object;
}

Json actionsJson(const ActionsData& a, const DesignData& design) {
    Json characteristic = Json::array();
    for (const Action& action : a.characteristic) {
        Json object = Json::object();
        object["name"] = action.name;
        object["kind"] = std::string(actions::kindId(action.kind));
        if (action.kind == ActionKind::Q)
            object["category"] = std::string(actions::categoryId(action.category));
        object = forcesInto(std::move(object), action.forces);
        appendUnknownKeys(object, action.extra);
        characteristic.push_back(std::move(object));
    }
    Json combinations = Json::array();
    for (const GivenCombination& c : a.combinations) {
        Json object = Json::object();
        object["name"] = c.name;
        object["type"] = std::string(actions::typeId(c.type));
        object = forcesInto(std::move(object), c.forces);
        appendUnknownKeys(object, c.extra);
        combinations.push_back(std::move(object));
    }
    Json object = Json::object();
    object["mode"] = a.mode == ActionsMode::Characteristic ? "characteristic" : "combinations";
    object["characteristic"] = std::move(characteristic);
    object["combinations"] = std::move(combinations);
    if (a.selfWeight) {
        Json weight = Json::object();
        weight["thickness"] = a.selfWeight->thickness;
        weight["gammaConcrete"] = a.selfWeight->gammaConcrete;
        weight["gammaFill"] =
            a.selfWeight->gammaFill ? Json(*a.selfWeight->gammaFill) : Json(nullptr);
        appendUnknownKeys(weight, unknownKeysAt(design, kSelfWeight));
        object["selfWeight"] = std::move(weight);
    } else {
        object["selfWeight"] = nullptr;
    }
    appendUnknownKeys(object, unknownKeysAt(design, kActions));
    return object;
}

Json seismicJson(const SeismicData& s, const DesignData& design) {
    const auto optional = [](const std::optional<double>& v) {
        return v ? Json(*v) : Json(nullptr);
    };
    Json object = Json::object();
    object["agOverG"] = s.agOverG;
    object["SS"] = s.SS;
    object["ST"] = s.ST;
    object["subsoil"] = std::string(1, s.subsoil);
    object["betaS"] = optional(s.betaS);
    object["kh"] = optional(s.kh);
    object["kinematic"] = s.kinematic;
    object["gammaRv"] = s.gammaRv;
    appendUnknownKeys(object, unknownKeysAt(design, kSeismic));
    return object;
}

// ------------------------------------------------------------- the file

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    const std::string tooLarge =
        "file troppo grande (oltre " + std::to_string(kMaxProjectFileSize >> 20) + " MiB)";
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = "impossibile aprire il file";
        return false;
    }
    std::string problem;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        problem = "impossibile aprire il file";
    else if (!S_ISREG(st.st_mode))
        problem = "non è un file regolare";
    else if (static_cast<std::uintmax_t>(st.st_size) > kMaxProjectFileSize)
        problem = tooLarge;
    else
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    // The file may grow while it is read: the limit holds for what is read.
    char chunk[1 << 16];
    while (problem.empty()) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            problem = "errore nella lettura del file";
        if (n <= 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
        if (bytes.size() > kMaxProjectFileSize)
            problem = tooLarge;
    }
    ::close(fd);
    if (problem.empty())
        return true;
    error = std::move(problem);
    return false;
}

} // namespace

bool parseProject(std::string_view text, ProjectDocument& document, std::string& error) {
    if (const std::size_t bad = firstInvalidUtf8(text); bad != std::string_view::npos) {
        error = "testo non valido in UTF-8 alla " + position(text, bad);
        return false;
    }
    SyntaxWatch watch(text);
    Json json;
    try {
        if (!Json::sax_parse(text, &watch)) {
            error = watch.error();
            return false;
        }
        json = Json::parse(text, nullptr, false);
    } catch (const std::bad_alloc&) {
        error = "memoria insufficiente per leggere il progetto";
        return false;
    }
    ProjectDocument read;
    std::string problem;
    try {
        if (!readDocument(json, read, problem) || !(problem = checkProject(read)).empty()) {
            error = std::move(problem);
            return false;
        }
    } catch (const Json::exception&) {
        error = "JSON non valido";
        return false;
    } catch (const std::bad_alloc&) {
        error = "memoria insufficiente per leggere il progetto";
        return false;
    }
    document = std::move(read);
    return true;
}

std::string checkProject(const ProjectDocument& document) {
    const DesignData& design = document.design;
    const ProjectInfo& info = design.info;
    const std::pair<const char*, const std::string*> texts[] = {{"title", &info.title},
                                                                {"client", &info.client},
                                                                {"site", &info.site},
                                                                {"designer", &info.designer},
                                                                {"notes", &info.notes}};
    for (const auto& [key, text] : texts)
        if (std::string p = checkText(join(kInfo, key), *text); !p.empty())
            return p;

    const GeometryData& g = document.geometry;
    if (std::string p = checkRecordFields(kGeometry, geometryFields(),
                                          [&](const InputField& f) { return g.*f.geometryField; });
        !p.empty())
        return p;
    if (g.B > g.L)
        return std::string(kGeometry) + ".B: " + kWidthLengthText + " (B = " + numberText(g.B) +
               ", L = " + numberText(g.L) + ")";
    if (std::string p = checkRecordFields(
            kSoil, soilFields(), [&](const InputField& f) { return document.soil.*f.soilField; });
        !p.empty())
        return p;

    const AnalysisSettings& a = document.analysis;
    if (methodKey(a.method).empty())
        return std::string(kAnalysis) + ".method: metodo sconosciuto (" + std::to_string(a.method) +
               "), atteso uno tra " + methodList();
    if (std::string p = rangeProblem(a.safetyFactor, kMinSafetyFactor, kMaxSafetyFactor);
        !p.empty())
        return std::string(kAnalysis) + ".safetyFactor: " + p;
    if (zolt::design::findApproach(design.approach) == nullptr)
        return std::string(kVerification) + ".approach: approccio sconosciuto, atteso uno tra " +
               approachList();

    const GroundData& ground = design.ground;
    if (ground.waterTable)
        if (std::string p =
                rangeProblem(*ground.waterTable, ground::kMinWaterTable, ground::kMaxWaterTable);
            !p.empty())
            return std::string(kGround) + ".waterTable: " + p;
    if (std::string p = rangeProblem(ground.gammaSat, ground::kMinGammaSat, ground::kMaxGammaSat);
        !p.empty())
        return std::string(kGround) + ".gammaSat: " + p;
    if (std::string p = checkSettlementParameters(ground.settlement, kGround); !p.empty())
        return p;
    const std::string layers = join(kGround, "layers");
    if (ground.layers.size() > ground::kMaxLayers)
        return tooManyLayers(layers, ground.layers.size());
    for (std::size_t i = 0; i < ground.layers.size(); ++i)
        if (std::string p = checkLayer(ground.layers[i], indexed(layers, i)); !p.empty())
            return p;
    if (design.settlement)
        if (std::string p = checkSettlementSettings(*design.settlement); !p.empty())
            return p;

    if (design.actions)
        if (std::string p = checkActions(*design.actions); !p.empty())
            return p;
    if (design.seismic)
        if (std::string p = checkSeismic(*design.seismic); !p.empty())
            return p;

    for (const auto& [path, keys] : design.extra)
        if (!isObjectText(keys))
            return (path.empty() ? std::string() : path + ": ") + "chiavi sconosciute illeggibili";
    return {};
}

std::string projectText(const ProjectDocument& document) {
    const DesignData& design = document.design;
    const auto section = [&](Json object, const char* path) {
        appendUnknownKeys(object, unknownKeysAt(design, path));
        return object;
    };

    Json root = Json::object();
    root["format"] = std::string(kProjectFormat);
    root["version"] = kProjectVersion;
    root[kInfo] = section({{"title", design.info.title},
                           {"client", design.info.client},
                           {"site", design.info.site},
                           {"designer", design.info.designer},
                           {"notes", design.info.notes}},
                          kInfo);
    root[kGeometry] = section(
        recordJson(document.geometry, geometryFields(), &InputField::geometryField), kGeometry);
    root[kSoil] = section(recordJson(document.soil, soilFields(), &InputField::soilField), kSoil);
    root[kAnalysis] = section({{"method", std::string(methodKey(document.analysis.method))},
                               {"safetyFactor", document.analysis.safetyFactor}},
                              kAnalysis);
    root[kVerification] = section({{"approach", design.approach}}, kVerification);

    const GroundData& ground = design.ground;
    Json layers = Json::array();
    for (const SoilLayer& layer : ground.layers) {
        Json object = Json::object();
        object["name"] = layer.name;
        for (const auto& field : ground::layerFields())
            object[std::string(field.name)] = layer.*field.field;
        appendSettlementParameters(object, layer.settlement);
        appendUnknownKeys(object, layer.extra);
        layers.push_back(std::move(object));
    }
    Json groundJson = Json::object();
    groundJson["waterTable"] = ground.waterTable ? Json(*ground.waterTable) : Json(nullptr);
    groundJson["gammaSat"] = ground.gammaSat;
    appendSettlementParameters(groundJson, ground.settlement);
    groundJson["layers"] = std::move(layers);
    root[kGround] = section(std::move(groundJson), kGround);
    // Written only when the project has them, so that a project without
    // them reads and writes as before they were known.
    if (design.actions)
        root[kActions] = actionsJson(*design.actions, design);
    if (design.seismic)
        root[kSeismic] = seismicJson(*design.seismic, design);
    if (design.settlement)
        root[kSettlement] = section(settlementSettingsJson(*design.settlement), kSettlement);
    appendUnknownKeys(root, unknownKeysAt(design, kTopLevel));

    std::string text = root.dump(2, ' ', false, Json::error_handler_t::replace);
    text += '\n';
    return text;
}

bool readProjectFile(const std::string& path, ProjectDocument& document, std::string& error) {
    std::string bytes;
    return readWholeFile(path, bytes, error) && parseProject(bytes, document, error);
}

bool writeProjectFile(const std::string& path, const ProjectDocument& document,
                      std::string& error) {
    if (std::string problem = checkProject(document); !problem.empty()) {
        error = std::move(problem);
        return false;
    }
    if (!replaceFileContents(path, projectText(document))) {
        error = "impossibile salvare il file";
        return false;
    }
    return true;
}

bool ReadProjectFile(const std::string& path, std::string& error) {
    ProjectDocument document;
    if (!readProjectFile(path, document, error))
        return false;
    geometryData = document.geometry;
    soilData = document.soil;
    analysisSettings = document.analysis;
    designData = std::move(document.design);
    return true;
}

bool WriteProjectFile(const std::string& path, std::string& error) {
    return writeProjectFile(path, {geometryData, soilData, analysisSettings, designData}, error);
}

} // namespace zolt
