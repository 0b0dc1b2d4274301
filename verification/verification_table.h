// The verification as a table: design soil values, action, resistance and
// utilisation (with a bar) of bearing and sliding, the outcomes in green or
// red and the notes. The verification window shows all of it; the sizing
// dialog only the checks, its size being shown beside.
#pragma once

#include "design/verification.h"
#include "model/records.h"

#include <QString>
#include <QStringList>
#include <Qt>

class QTableWidget;
class QWidget;

namespace zolt {

enum class VerificationTableParts {
    Full,      // method and size, design soil values, checks, notes
    ChecksOnly // bearing, sliding, outcome, notes
};

// A read-only table of `v`, worked out on `geometry`, at least as wide and
// tall as its contents so that no text is cut; wider, its columns share
// the width.
QTableWidget* NewVerificationTable(const design::Verification& v, const GeometryData& geometry,
                                   VerificationTableParts parts, QWidget* parent = nullptr);

// The names of the table's three columns, for the copy on the clipboard.
QStringList VerificationTableHeader();

// The cell texts of the window and the dialogs, "." as decimal point always.
QString KgText(double kg);             // "12000 Kg"
QString KilonewtonText(double kg);     // "117.68 kN"
QString PercentText(double fraction);  // 0.833 -> "83.3 %"
QString OutcomeText(bool verified);    // "VERIFICATA" / "NON VERIFICATA"
QString SizeText(double B, double L);  // "1.20 × 1.80 m"

// The role of a cell's utilisation (a double, Ed/Rd) that the bar is drawn
// from; absent when the cell shows no bar.
constexpr int kUtilisationRole = Qt::UserRole + 1;

} // namespace zolt
