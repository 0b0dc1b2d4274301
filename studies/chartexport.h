// Saving a study: the chart as PNG or SVG, the table as CSV. Every file is
// written whole through the program's save routine, so a failed export
// leaves an existing file as it was; a failure shows the program's
// open-error message.
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QChartView;
class QWidget;

namespace zolt::studies {

// Asks for the name of the file to write: owner, caption, proposed name,
// filter. An empty name means the user gave up.
using ExportFilePrompt =
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

// Replaces the prompt (a Qt file dialog) with `prompt`; an empty function
// restores the dialog. For tests, which cannot type into a file dialog.
void setExportFilePrompt(ExportFilePrompt prompt);

// The user's file name for an export; empty when there is none.
QString askExportFile(QWidget* owner, const QString& caption, const QString& proposed,
                      const QString& filter);

// The chart as the window shows it, as a PNG picture or an SVG drawing.
QByteArray chartPng(QChartView* view);
QByteArray chartSvg(QChartView* view, const QString& title);

// Writes `bytes` to `path`; false, after the message box, when it cannot.
bool writeExport(const QString& path, std::string_view bytes);

// Prompts for a name and writes what `contents` returns for it; false when
// nothing was written.
bool exportWithPrompt(QWidget* owner, const QString& caption, const QString& proposed,
                      const QString& filter, const std::function<std::string()>& contents);

} // namespace zolt::studies
