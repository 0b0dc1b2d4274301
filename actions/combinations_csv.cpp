#include "actions/combinations_csv.h"

#include "actions/vocabulary.h"
#include "design/units.h"
#include "model/number_text.h"
#include "model/windows1252.h"

#include <array>
#include <cctype>
#include <cmath>
#include <optional>

namespace zolt::actions {

namespace {

enum Column { Name, Type, N, TB, TL, MB, ML, kColumns };

constexpr std::array<std::string_view, kColumns> kColumnNames = {"name", "type", "N", "TB",
                                                                 "TL",   "MB",   "ML"};
constexpr double BaseForces::*kForceFields[] = {&BaseForces::N, &BaseForces::TB, &BaseForces::TL,
                                                &BaseForces::MB, &BaseForces::ML};

struct Record {
    std::size_t line = 0;
    std::vector<std::string> cells;
};

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        unsigned minimum = 0;
        unsigned cp = b;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F, minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F, minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= s.size())
                return false;
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// RFC 4180 records: a quoted field may hold the separator, line breaks and
// "" for a quote. Returns false when a quote is left open.
bool splitRecords(std::string_view text, char separator, std::vector<Record>& records,
                  std::size_t& openQuoteLine) {
    std::size_t line = 1;
    Record record{line, {}};
    std::string field;
    bool quoted = false;    // inside quotes
    bool fieldStart = true; // nothing of this field read yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && trimmed(field).empty()) {
            quoted = true;
            field.clear();
            fieldStart = false;
        } else if (c == separator) {
            record.cells.push_back(std::move(field));
            field.clear();
            fieldStart = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            record.cells.push_back(std::move(field));
            records.push_back(std::move(record));
            field.clear();
            fieldStart = true;
            record = Record{++line, {}};
        } else {
            field += c;
            fieldStart = false;
        }
    }
    if (quoted) {
        openQuoteLine = record.line;
        return false;
    }
    if (!fieldStart || !field.empty() || !record.cells.empty()) {
        record.cells.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return true;
}

bool blank(const Record& r) {
    for (const std::string& cell : r.cells)
        if (!trimmed(cell).empty())
            return false;
    return true;
}

class Reader {
public:
    Reader(char separator, CsvUnits units) : m_separator(separator), m_units(units) {}

    void error(std::size_t line, std::string_view column, const std::string& what) {
        if (m_result.errors.size() == kMaxCsvErrors) {
            m_result.errors.push_back(
                {line,
                 {},
                 "riga " + std::to_string(line) + " e seguenti: altri errori non mostrati"});
            return;
        }
        if (m_result.errors.size() > kMaxCsvErrors)
            return;
        std::string message = "riga " + std::to_string(line);
        if (!column.empty())
            message += ", colonna " + std::string(column);
        message += ": " + what;
        m_result.errors.push_back({line, std::string(column), std::move(message)});
    }

    // The position of each column in the header; false when one is missing.
    bool readHeader(const Record& header) {
        m_positions.fill(-1);
        for (std::size_t i = 0; i < header.cells.size(); ++i) {
            const std::string key = lower(trimmed(header.cells[i]));
            for (int c = 0; c < kColumns; ++c) {
                if (key != lower(kColumnNames[c]))
                    continue;
                if (m_positions[c] >= 0)
                    error(header.line, {},
                          "la colonna " + std::string(kColumnNames[c]) + " compare due volte");
                else
                    m_positions[c] = static_cast<int>(i);
            }
        }
        for (int c = 0; c < kColumns; ++c)
            if (m_positions[c] < 0)
                error(header.line, {}, "manca la colonna " + std::string(kColumnNames[c]));
        m_width = header.cells.size();
        return m_result.errors.empty();
    }

    void readRow(const Record& row) {
        if (row.cells.size() != m_width) {
            error(row.line, {},
                  std::to_string(row.cells.size()) + " celle invece delle " +
                      std::to_string(m_width) + " dell'intestazione");
            return;
        }
        GivenCombination g;
        bool good = true;
        const auto cell = [&](Column c) { return trimmed(row.cells[m_positions[c]]); };

        g.name = std::string(cell(Name));
        if (g.name.empty()) {
            error(row.line, kColumnNames[Name], "nome vuoto");
            good = false;
        }
        const std::string_view type = cell(Type);
        std::optional<CombinationType> t;
        for (CombinationType candidate :
             {CombinationType::ULS, CombinationType::SLV, CombinationType::SLERare,
              CombinationType::SLEFrequent, CombinationType::SLEQuasiPermanent})
            if (lower(type) == lower(typeId(candidate)))
                t = candidate;
        if (t) {
            g.type = *t;
        } else {
            error(row.line, kColumnNames[Type],
                  "«" + std::string(type) +
                      "» non è un tipo di combinazione (ULS, SLV, SLE-rare, SLE-frequent, SLE-qp)");
            good = false;
        }
        for (int c = N; c <= ML; ++c) {
            const std::optional<double> value =
                number(row.line, static_cast<Column>(c), cell(static_cast<Column>(c)));
            if (value)
                g.forces.*kForceFields[c - N] = *value;
            else
                good = false;
        }
        if (good)
            m_result.combinations.push_back(std::move(g));
    }

    CombinationsCsv finish() {
        if (!m_result.errors.empty())
            m_result.combinations.clear();
        return std::move(m_result);
    }

private:
    std::optional<double> number(std::size_t line, Column column, std::string_view text) {
        const std::string_view name = kColumnNames[column];
        if (text.empty()) {
            error(line, name, "cella vuota");
            return std::nullopt;
        }
        const char decimal = m_separator == ';' ? ',' : '.';
        const char other = decimal == ',' ? '.' : ',';
        if (text.find(other) != std::string_view::npos) {
            error(line, name,
                  "«" + std::string(text) + "»: il separatore decimale di questo file è " +
                      (decimal == ',' ? "la virgola" : "il punto"));
            return std::nullopt;
        }
        std::string plain(text);
        bool onlyNumberCharacters = true;
        for (char& c : plain) {
            if (c == decimal)
                c = '.';
            else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-' &&
                     c != 'e' && c != 'E')
                onlyNumberCharacters = false;
        }
        const std::optional<double> value =
            onlyNumberCharacters ? parseNumber(plain) : std::nullopt;
        if (!value || !std::isfinite(*value)) {
            error(line, name, "«" + std::string(text) + "» non è un numero");
            return std::nullopt;
        }
        return m_units == CsvUnits::Kilonewtons ? *value / design::kKilonewtonsPerKg : *value;
    }

    char m_separator;
    CsvUnits m_units;
    std::array<int, kColumns> m_positions{};
    std::size_t m_width = 0;
    CombinationsCsv m_result;
};

} // namespace

CombinationsCsv readCombinationsCsv(std::string_view input, CsvUnits units) {
    std::string text = isValidUtf8(input) ? std::string(input) : windows1252ToUtf8(input);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);

    // The header tells the dialect: its names hold neither separator.
    const std::size_t headerStart = text.find_first_not_of(" \t\r\n");
    const std::string_view header =
        headerStart == std::string::npos
            ? std::string_view()
            : std::string_view(text).substr(headerStart,
                                            text.find_first_of("\r\n", headerStart) - headerStart);
    const char separator = header.find(';') != std::string_view::npos ? ';' : ',';
    Reader reader(separator, units);

    std::vector<Record> records;
    std::size_t openQuoteLine = 0;
    if (!splitRecords(text, separator, records, openQuoteLine)) {
        reader.error(openQuoteLine, {}, "virgolette aperte e mai chiuse");
        return reader.finish();
    }
    std::size_t next = 0;
    while (next < records.size() && blank(records[next]))
        ++next;
    if (next == records.size()) {
        reader.error(1, {}, "il file è vuoto");
        return reader.finish();
    }
    if (!reader.readHeader(records[next]))
        return reader.finish();
    bool any = false;
    for (std::size_t i = next + 1; i < records.size(); ++i) {
        if (blank(records[i]))
            continue;
        any = true;
        reader.readRow(records[i]);
    }
    if (!any)
        reader.error(records[next].line, {}, "nessuna combinazione dopo l'intestazione");
    return reader.finish();
}

} // namespace zolt::actions
