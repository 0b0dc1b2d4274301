// Every point of a parametric study, kept for the chart, the values under
// the pointer and the CSV file. Nine doubles a point (seventeen with the
// utilisations, eight or sixteen more with the undrained condition) instead
// of the core's SweepPoint, so that a million points stay within a
// desktop's memory; NaN marks a value the point does not have.
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
    // `withUndrained` keeps the undrained condition's cells too.
    SweepTable(const design::SweepSpec& study, bool withUtilisations, bool withUndrained = false);

    // Copies points[0 ..) as the points first, first + 1, ...; calls for
    // disjoint ranges may run on different threads at once.
    void store(std::size_t first, std::span<const design::SweepPoint> points);

    std::size_t size() const { return m_count; }
    bool hasUtilisations() const { return m_block == kUtilBlock; }
    bool hasUndrained() const { return m_conditions > 1; }
    double x(std::size_t i) const { return at(i, 0); }
    // Condition 0 is the drained one (or the only one), 1 the undrained.
    std::optional<double> load(std::size_t i, int method, int condition = 0) const;
    std::optional<double> qult(std::size_t i, int method, int condition = 0) const;
    std::optional<double> utilBearing(std::size_t i, int method, int condition = 0) const;
    std::optional<double> utilSliding(std::size_t i, int method, int condition = 0) const;

    // The point nearest to `x` (they are evenly spaced).
    std::size_t nearest(double x) const;

    // The file zolt-calc writes for the same study: a header
    // "NAME,terzaghi_load,terzaghi_qult,...", one line a point, numbers
    // that read back to the same double, empty cells for missing values;
    // the undrained condition's columns after the drained ones.
    std::string csv() const;

    // The same points for an Italian spreadsheet: ";" between cells, ","
    // as decimal point, the columns named in words with their units
    // ("B (m);Terzaghi carico limite (kg);Terzaghi qult (kg/cm²);...").
    std::string italianCsv() const;

private:
    // A condition's block of columns: load and qult of each method, then
    // the utilisations of each method.
    static constexpr std::size_t kLoadBlock = 2 * 4;
    static constexpr std::size_t kUtilBlock = kLoadBlock + 2 * 4;

    double at(std::size_t i, std::size_t column) const { return m_values[i * m_columns + column]; }
    std::optional<double> cell(std::size_t i, std::size_t column) const;
    // The column of `offset` within the block of `condition`; none for a
    // condition the table does not keep.
    std::optional<std::size_t> column(int condition, std::size_t offset) const;

    design::SweepSpec m_spec;
    std::size_t m_count = 0;
    std::size_t m_block = kLoadBlock;
    int m_conditions = 1;
    std::size_t m_columns = 1 + kLoadBlock;
    std::vector<double> m_values;
};

} // namespace zolt::studies
