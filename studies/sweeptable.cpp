#include "studies/sweeptable.h"

#include "model/number_text.h"
#include "studies/chartexport.h"
#include "studies/chartparts.h"
#include "studies/studyinputs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zolt::studies {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

double valueOr(const std::optional<double>& value) {
    return value ? *value : kNone;
}

} // namespace

SweepTable::SweepTable(const design::SweepSpec& study, bool withUtilisations, bool withUndrained)
    : m_spec(study), m_count(study.count), m_block(withUtilisations ? kUtilBlock : kLoadBlock),
      m_conditions(withUndrained ? 2 : 1),
      m_columns(1 + m_block * static_cast<std::size_t>(m_conditions)),
      m_values(m_count * m_columns, kNone) {}

void SweepTable::store(std::size_t first, std::span<const design::SweepPoint> points) {
    for (std::size_t k = 0; k < points.size(); ++k) {
        const design::SweepPoint& point = points[k];
        double* row = &m_values[(first + k) * m_columns];
        row[0] = point.x;
        for (int condition = 0; condition < m_conditions; ++condition) {
            double* block = row + 1 + m_block * static_cast<std::size_t>(condition);
            const auto& cells = condition == 0 ? point.methods : point.undrained;
            for (std::size_t m = 0; m < 4; ++m) {
                const design::SweepCell& c = cells[m];
                if (!c.valid)
                    continue;
                block[2 * m] = c.load;
                block[1 + 2 * m] = c.qult;
                if (hasUtilisations()) {
                    block[kLoadBlock + 2 * m] = valueOr(c.utilBearing);
                    block[kLoadBlock + 1 + 2 * m] = valueOr(c.utilSliding);
                }
            }
        }
    }
}

std::optional<double> SweepTable::cell(std::size_t i, std::size_t column) const {
    const double value = at(i, column);
    if (std::isnan(value))
        return std::nullopt;
    return value;
}

std::optional<std::size_t> SweepTable::column(int condition, std::size_t offset) const {
    if (condition < 0 || condition >= m_conditions || offset >= m_block)
        return std::nullopt;
    return 1 + m_block * static_cast<std::size_t>(condition) + offset;
}

std::optional<double> SweepTable::load(std::size_t i, int method, int condition) const {
    const auto c = column(condition, 2 * static_cast<std::size_t>(method));
    return c ? cell(i, *c) : std::nullopt;
}

std::optional<double> SweepTable::qult(std::size_t i, int method, int condition) const {
    const auto c = column(condition, 1 + 2 * static_cast<std::size_t>(method));
    return c ? cell(i, *c) : std::nullopt;
}

std::optional<double> SweepTable::utilBearing(std::size_t i, int method, int condition) const {
    const auto c = column(condition, kLoadBlock + 2 * static_cast<std::size_t>(method));
    return c ? cell(i, *c) : std::nullopt;
}

std::optional<double> SweepTable::utilSliding(std::size_t i, int method, int condition) const {
    const auto c = column(condition, kLoadBlock + 1 + 2 * static_cast<std::size_t>(method));
    return c ? cell(i, *c) : std::nullopt;
}

std::size_t SweepTable::nearest(double x) const {
    if (m_count < 2 || m_spec.to == m_spec.from)
        return 0;
    const double t =
        (x - m_spec.from) / (m_spec.to - m_spec.from) * static_cast<double>(m_count - 1);
    if (!(t > 0.0))
        return 0;
    return std::min(m_count - 1, static_cast<std::size_t>(std::lround(t)));
}

std::string SweepTable::csv() const {
    std::string out = design::sweepCsvHeader(m_spec, hasUtilisations(), hasUndrained());
    // About 18 characters a number: one allocation for the whole file.
    out.reserve(out.size() + m_count * m_columns * 18);
    for (std::size_t i = 0; i < m_count; ++i) {
        out += formatRoundTrip(x(i));
        for (std::size_t column = 1; column < m_columns; ++column) {
            out += ',';
            if (const double value = at(i, column); !std::isnan(value))
                out += formatRoundTrip(value);
        }
        out += '\n';
    }
    return out;
}

std::string SweepTable::italianCsv() const {
    const StudyInput& input = *studyInputOf(m_spec.field);
    QStringList header{QStringLiteral("%1 (%2)").arg(inputName(*m_spec.field),
                                                     QString::fromUtf8(input.unit))};
    for (int condition = 0; condition < m_conditions; ++condition) {
        const QString suffix = condition == 0 ? QString() : QStringLiteral(" non drenata");
        for (int m = 0; m < 4; ++m)
            header << methodName(m) + suffix + QStringLiteral(" carico limite (kg)")
                   << methodName(m) + suffix + QStringLiteral(" qult (kg/cm\u00B2)");
        if (hasUtilisations())
            for (int m = 0; m < 4; ++m)
                header << methodName(m) + suffix +
                              QStringLiteral(" utilizzo capacit\u00E0 portante (Ed/Rd)")
                       << methodName(m) + suffix + QStringLiteral(" utilizzo scorrimento (Ed/Rd)");
    }
    // Line by line, as csv(): a million points would not fit as cells.
    std::string out = csvText(CsvForm::Italian, header, {});
    out.reserve(out.size() + m_count * m_columns * 18);
    for (std::size_t i = 0; i < m_count; ++i) {
        for (std::size_t column = 0; column < m_columns; ++column) {
            if (column > 0)
                out += ';';
            if (const double value = at(i, column); !std::isnan(value))
                out += csvNumber(value, CsvForm::Italian);
        }
        out += '\n';
    }
    return out;
}

} // namespace zolt::studies
