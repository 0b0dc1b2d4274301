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

SweepTable::SweepTable(const design::SweepSpec& study, bool withUtilisations)
    : m_spec(study), m_count(study.count), m_columns(withUtilisations ? kUtilColumns : kLoadColumns),
      m_values(m_count * m_columns, kNone) {}

void SweepTable::store(std::size_t first, std::span<const design::SweepPoint> points) {
    for (std::size_t k = 0; k < points.size(); ++k) {
        const design::SweepPoint& point = points[k];
        double* row = &m_values[(first + k) * m_columns];
        row[0] = point.x;
        for (std::size_t m = 0; m < 4; ++m) {
            const design::SweepCell& c = point.methods[m];
            if (!c.valid)
                continue;
            row[1 + 2 * m] = c.load;
            row[2 + 2 * m] = c.qult;
            if (hasUtilisations()) {
                row[kLoadColumns + 2 * m] = valueOr(c.utilBearing);
                row[kLoadColumns + 1 + 2 * m] = valueOr(c.utilSliding);
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

std::optional<double> SweepTable::load(std::size_t i, int method) const {
    return cell(i, 1 + 2 * static_cast<std::size_t>(method));
}

std::optional<double> SweepTable::qult(std::size_t i, int method) const {
    return cell(i, 2 + 2 * static_cast<std::size_t>(method));
}

std::optional<double> SweepTable::utilBearing(std::size_t i, int method) const {
    if (!hasUtilisations())
        return std::nullopt;
    return cell(i, kLoadColumns + 2 * static_cast<std::size_t>(method));
}

std::optional<double> SweepTable::utilSliding(std::size_t i, int method) const {
    if (!hasUtilisations())
        return std::nullopt;
    return cell(i, kLoadColumns + 1 + 2 * static_cast<std::size_t>(method));
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
    std::string out = design::sweepCsvHeader(m_spec, hasUtilisations());
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
    for (int m = 0; m < 4; ++m)
        header << methodName(m) + QStringLiteral(" carico limite (kg)")
               << methodName(m) + QStringLiteral(" qult (kg/cm\u00B2)");
    if (hasUtilisations())
        for (int m = 0; m < 4; ++m)
            header << methodName(m) + QStringLiteral(" utilizzo capacit\u00E0 portante (Ed/Rd)")
                   << methodName(m) + QStringLiteral(" utilizzo scorrimento (Ed/Rd)");
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
