// The verification as a table: design soil values, action, resistance and
// utilisation (with a bar) of bearing and sliding, the outcomes in green or
// red and the notes. On a ground with a water table or layers each
// condition of the ground model has a pair of value columns of its own,
// side by side, headed by the values the methods ran on (q, gamma, phi, c,
// delta, ca, U), the rule and the notes of the condition; the governing
// condition and the overall outcome close the checks. The verification
// window shows all of it; the sizing dialog only the checks, its size
// being shown beside.
#pragma once

#include "design/verification.h"
#include "model/design_data.h"
#include "model/records.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <Qt>

class QObject;
class QStyledItemDelegate;
class QTableWidget;
class QWidget;

namespace zolt {

enum class VerificationTableParts {
    Full,      // method and size, ground model, design soil values, checks, notes
    ChecksOnly // bearing, sliding, outcome, notes
};

// A read-only table of `v`, worked out on `geometry` and `ground`, at least
// as wide and tall as its contents so that no text is cut; wider, its
// columns share the width. On the dry homogeneous soil (no water table, no
// layers) it is the table of the one condition, without the ground model.
// The last note says where N and T come from: `actionsNote`, or by default
// that they are taken as design actions.
QTableWidget* NewVerificationTable(const design::GroundVerification& v,
                                   const GeometryData& geometry, const GroundData& ground,
                                   VerificationTableParts parts, QWidget* parent = nullptr,
                                   const QString& actionsNote = QString());

// The rule of each condition of `v`, as rich text for the panel beside the
// table: the condition's name, then each clause of its rule on a line.
QString VerificationRulesText(const design::GroundVerification& v);

// The names of the table's columns for `v`, for the copy on the clipboard:
// "Voce", then "Valore" and "Valore SI" for each condition.
QStringList VerificationTableHeader(const design::GroundVerification& v);

// The cell texts of the window and the dialogs, "." as decimal point always.
QString KgText(double kg);            // "12000 Kg"
QString KilonewtonText(double kg);    // "117.68 kN"
QString PercentText(double fraction); // 0.833 -> "83.3 %"
QString OutcomeText(bool verified);   // "VERIFICATA" / "NON VERIFICATA"
QString SizeText(double B, double L); // "1.20 × 1.80 m"

// `text` broken at spaces into lines of at most `width` characters (a word
// longer than that has a line of its own).
QString WrappedText(const QString& text, int width);

// The role of a cell's utilisation (a double, Ed/Rd) that the bar is drawn
// from; absent when the cell shows no bar.
constexpr int kUtilisationRole = Qt::UserRole + 1;

// The delegate that draws those bars, for the other tables that show them.
QStyledItemDelegate* NewUtilisationDelegate(QObject* parent);

// The colours of the outcomes.
QColor VerifiedColor(bool verified);

} // namespace zolt
