// The window of the four methods side by side: a table with the ultimate
// load, qult, qamm and the N-factors of each, and a bar chart of qult with
// qamm marked on every bar.
#pragma once

#include "design/comparison.h"

#include <QWidget>

namespace zolt::studies {

class ComparisonView : public QWidget {
    Q_OBJECT

public:
    // `comparison` must not be refused; `geometry` and `soil` are the inputs
    // it ran on, shown above the table.
    ComparisonView(const design::Comparison& comparison, const GeometryData& geometry,
                   const SoilData& soil, double safetyFactor, int chosenMethod,
                   QWidget* parent = nullptr);
};

} // namespace zolt::studies
