// Saving a study: the chart as PNG or SVG, its values as CSV. Every file is
// written whole through the program's save routine, so a failed export
// leaves an existing file as it was; a failure shows the program's
// open-error message.
//
// A CSV file comes in two forms, chosen by the file dialog's filter: the
// standard one ("," between cells, "." as decimal point) and the one an
// Italian spreadsheet opens as it is (";" between cells, "," as decimal
// point, UTF-8 with its byte-order mark so that the units' letters stay).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QBoxLayout;
class QChartView;
class QPushButton;
class QWidget;

namespace zolt::studies {

enum class CsvForm { Standard = 0, Italian = 1 };

// The user's answer to an export prompt: the file's name (empty when the
// user gave up) and the index of the filter chosen.
struct ExportTarget {
    QString path;
    int filter = 0;
};

// Asks for the file to write: owner, caption, proposed name, the filters
// offered (the first is proposed).
using ExportFilePrompt =
    std::function<ExportTarget(QWidget*, const QString&, const QString&, const QStringList&)>;

// Replaces the prompt (a Qt file dialog) with `prompt`; an empty function
// restores the dialog. For tests, which cannot type into a file dialog.
void setExportFilePrompt(ExportFilePrompt prompt);

ExportTarget askExportFile(QWidget* owner, const QString& caption, const QString& proposed,
                           const QStringList& filters);

// The chart as the window shows it, as a PNG picture or an SVG drawing.
QByteArray chartPng(QChartView* view);
QByteArray chartSvg(QChartView* view, const QString& title);

// Writes `bytes` to `path`; false, after the message box, when it cannot.
bool writeExport(const QString& path, std::string_view bytes);

// Prompts for a name and writes what `contents` returns for the filter
// chosen; false when nothing was written.
bool exportWithPrompt(QWidget* owner, const QString& caption, const QString& proposed,
                      const QStringList& filters, const std::function<std::string(int)>& contents);

// A CSV file of `header` and `rows` in `form`: cells holding the separator
// or a quote are quoted. Numbers go in as csvNumber gives them.
std::string csvText(CsvForm form, const QStringList& header,
                    const std::vector<std::vector<std::string>>& rows);

// `value` with the digits that read back to the same double, "," for the
// decimal point in the Italian form.
std::string csvNumber(double value, CsvForm form);

// The button "Esporta" (named export) whose menu holds "Immagine PNG...",
// "Disegno SVG..." and "Tabella CSV..." (actions named exportPNG,
// exportSVG, exportCSV) for the chart of `view`, files proposed as
// `stem`.png and so on, added to `buttons`. `csv` gives the values in
// either form. The list holds the one button, to enable with the chart.
QList<QPushButton*> addChartExports(QWidget* owner, QBoxLayout* buttons, QChartView* view,
                                    const QString& stem, const QString& title,
                                    std::function<std::string(CsvForm)> csv);

} // namespace zolt::studies
