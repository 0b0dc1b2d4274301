// Tables of the result windows on the clipboard: Ctrl+C, or "Copia tabella"
// of the table's context menu, copies the whole table as tab-separated
// text, a header row first, as a spreadsheet pastes it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QTableWidget;
class QWidget;

namespace zolt {

// `header`, then one line per row of `table`, cells separated by tabs; a
// cell that spans several columns stands in the first of them, line
// breaks inside a cell become spaces.
QString TableText(const QTableWidget& table, const QStringList& header);

// Lets the user copy `table` (which takes the keyboard focus for it).
void EnableTableCopy(QTableWidget* table, const QStringList& header);

// Ctrl+C on `source` (which takes the keyboard focus for it), or the
// action `actionText` of its context menu, puts what `text` returns on the
// clipboard.
void EnableCopy(QWidget* source, const QString& actionText, std::function<QString()> text);

} // namespace zolt
