#include "studies/chartexport.h"

#include "model/data_file.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "toolkit/tfiledialog.h"
#include "toolkit/tmessagebox.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QChartView>
#include <QFile>
#include <QMenu>
#include <QFileDialog>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgGenerator>

#include <algorithm>

namespace zolt::studies {

namespace {

ExportFilePrompt& prompt() {
    static ExportFilePrompt current;
    return current;
}

// The byte-order mark that tells a spreadsheet the file is UTF-8.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string csvCell(const std::string& cell, char separator) {
    if (cell.find_first_of(std::string{separator, '"', '\n'}) == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char ch : cell) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

} // namespace

void setExportFilePrompt(ExportFilePrompt replacement) {
    prompt() = std::move(replacement);
}

ExportTarget askExportFile(QWidget* owner, const QString& caption, const QString& proposed,
                           const QStringList& filters) {
    if (prompt())
        return prompt()(owner, caption, proposed, filters);
    QFileDialog dialog(owner, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectFile(proposed);
    TDressFileDialog(dialog);
    if (TExecFileDialog(dialog) != QDialog::Accepted)
        return {};
    return {dialog.selectedFiles().value(0),
            std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

QByteArray chartPng(QChartView* view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view->grab().save(&buffer, "PNG");
    return bytes;
}

QByteArray chartSvg(QChartView* view, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    svg.setTitle(title);
    QPainter painter(&svg);
    // The scene, not the widget: lines and text stay vectors.
    view->scene()->render(&painter, QRectF(QPointF(0, 0), view->size()),
                          view->mapToScene(view->viewport()->rect()).boundingRect());
    painter.end();
    return bytes;
}

bool writeExport(const QString& path, std::string_view bytes) {
    if (replaceFileContents(QFile::encodeName(path).toStdString(), bytes))
        return true;
    ShowMessageBox(QString::fromUtf8(kOpenErrorText));
    return false;
}

bool exportWithPrompt(QWidget* owner, const QString& caption, const QString& proposed,
                      const QStringList& filters, const std::function<std::string(int)>& contents) {
    const ExportTarget target = askExportFile(owner, caption, proposed, filters);
    if (target.path.isEmpty())
        return false;
    return writeExport(target.path, contents(target.filter));
}

std::string csvNumber(double value, CsvForm form) {
    std::string text = formatRoundTrip(value);
    if (form == CsvForm::Italian)
        std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string csvText(CsvForm form, const QStringList& header,
                    const std::vector<std::vector<std::string>>& rows) {
    const char separator = form == CsvForm::Italian ? ';' : ',';
    std::string out = form == CsvForm::Italian ? std::string(kUtf8Mark) : std::string();
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += separator;
            out += csvCell(cells[i], separator);
        }
        out += '\n';
    };
    std::vector<std::string> names;
    for (const QString& name : header)
        names.push_back(name.toStdString());
    line(names);
    for (const std::vector<std::string>& row : rows)
        line(row);
    return out;
}

QList<QPushButton*> addChartExports(QWidget* owner, QBoxLayout* buttons, QChartView* view,
                                    const QString& stem, const QString& title,
                                    std::function<std::string(CsvForm)> csv) {
    // One button with a menu, not three: a window full of fields has no
    // three letters left for the formats' mnemonics.
    auto* button = new QPushButton(QStringLiteral("&Esporta"));
    button->setObjectName(QStringLiteral("export"));
    auto* menu = new QMenu(button);
    const auto add = [&](const QString& format, const QString& text, const QStringList& filters,
                         std::function<std::string(int)> contents) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QStringLiteral("export") + format);
        const QString proposed = stem + QLatin1Char('.') + format.toLower();
        QObject::connect(action, &QAction::triggered, owner, [=] {
            exportWithPrompt(owner, QStringLiteral("Esporta ") + format, proposed, filters, contents);
        });
    };
    add(QStringLiteral("PNG"), QStringLiteral("Immagine &PNG..."),
        {QStringLiteral("Immagini PNG (*.png)")},
        [view](int) { return chartPng(view).toStdString(); });
    add(QStringLiteral("SVG"), QStringLiteral("Disegno &SVG..."),
        {QStringLiteral("Disegni SVG (*.svg)")},
        [view, title](int) { return chartSvg(view, title).toStdString(); });
    // In the order of CsvForm.
    add(QStringLiteral("CSV"), QStringLiteral("Tabella &CSV..."),
        {QStringLiteral("Tabelle CSV, separatore virgola e punto decimale (*.csv)"),
         QStringLiteral("Tabelle CSV per fogli di calcolo italiani, separatore punto e virgola e "
                        "virgola decimale (*.csv)")},
        [csv = std::move(csv)](int filter) {
            return csv(filter == 1 ? CsvForm::Italian : CsvForm::Standard);
        });
    button->setMenu(menu);
    buttons->addWidget(button);
    return {button};
}

} // namespace zolt::studies
