// The verification of every combination of the project's actions as a
// table: one row per combination (type, N, T, ex, ey, the bearing and
// sliding utilisations with their bars, the outcome and the name that says
// how it was built), the governing one marked and in bold. SLE rows carry
// their eccentricity notes only. A row's notes are its name cell's tool tip.
#pragma once

#include "design/combinations_verification.h"

#include <QString>

class QTableWidget;
class QWidget;

namespace zolt {

enum CombinationsColumn {
    kCombinationNumberColumn, // "► 3" for the governing one
    kCombinationTypeColumn,
    kCombinationNColumn,
    kCombinationTColumn,
    kCombinationExColumn,
    kCombinationEyColumn,
    kCombinationBearingColumn,
    kCombinationSlidingColumn,
    kCombinationOutcomeColumn,
    kCombinationNameColumn,
    kCombinationColumns
};

// A read-only table of `v`, showing up to `visibleRows` rows before it scrolls.
QTableWidget* NewCombinationsTable(const design::CombinationsVerification& v, int visibleRows,
                                   QWidget* parent = nullptr);

// What the window says of the run above the table: the approaches, the
// seismic coefficients, gammaR and the notes; rich text.
QString CombinationsSummaryText(const design::CombinationsVerification& v);

// The last note of a combination's verification table: its N, T, ex and
// ey are the combination's, named.
QString CombinationActionsNote(const design::CombinationCheck& c);

} // namespace zolt
