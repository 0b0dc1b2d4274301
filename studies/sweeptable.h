// Every point of a parametric study, kept for the chart, the values under
// the pointer and the CSV file. Nine doubles a point (seventeen with the
// utilisations) instead of the core's SweepPoint, so that a million points
// stay within a desktop's memory; NaN marks a value the point does not have.
#pragma once

#include "design/sweep.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zolt::studies {

class SweepTable {
public:
    SweepTable() = default;
    SweepTable(const design::SweepSpec& study, bool withUtilisations);

    // Copies points[0 ..) as the points first, first + 1, ...; calls for
    // disjoint ranges may run on different threads at once.
    void store(std::size_t first, std::span<const design::SweepPoint> points);

    std::size_t size() const { return m_count; }
    bool hasUtilisations() const { return m_columns == kUtilColumns; }
    double x(std::size_t i) const { return at(i, 0); }
    std::optional<double> load(std::size_t i, int method) const;
    std::optional<double> qult(std::size_t i, int method) const;
    std::optional<double> utilBearing(std::size_t i, int method) const;
    std::optional<double> utilSliding(std::size_t i, int method) const;

    // The point nearest to `x` (they are evenly spaced).
    std::size_t nearest(double x) const;

    // The file zolt-calc writes for the same study: a header
    // "NAME,terzaghi_load,terzaghi_qult,...", one line a point, numbers
    // that read back to the same double, empty cells for missing values.
    std::string csv() const;

    // The same points for an Italian spreadsheet: ";" between cells, ","
    // as decimal point, the columns named in words with their units
    // ("B (m);Terzaghi carico limite (kg);Terzaghi qult (kg/cm²);...").
    std::string italianCsv() const;

private:
    static constexpr std::size_t kLoadColumns = 1 + 2 * 4;
    static constexpr std::size_t kUtilColumns = kLoadColumns + 2 * 4;

    double at(std::size_t i, std::size_t column) const { return m_values[i * m_columns + column]; }
    std::optional<double> cell(std::size_t i, std::size_t column) const;

    design::SweepSpec m_spec;
    std::size_t m_count = 0;
    std::size_t m_columns = kLoadColumns;
    std::vector<double> m_values;
};

} // namespace zolt::studies
