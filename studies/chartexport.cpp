#include "studies/chartexport.h"

#include "model/data_file.h"
#include "model/file_io.h"
#include "toolkit/tfiledialog.h"
#include "toolkit/tmessagebox.h"

#include <QBuffer>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>

namespace zolt::studies {

namespace {

ExportFilePrompt& prompt() {
    static ExportFilePrompt current;
    return current;
}

} // namespace

void setExportFilePrompt(ExportFilePrompt replacement) {
    prompt() = std::move(replacement);
}

QString askExportFile(QWidget* owner, const QString& caption, const QString& proposed,
                      const QString& filter) {
    if (prompt())
        return prompt()(owner, caption, proposed, filter);
    QFileDialog dialog(owner, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.selectFile(proposed);
    TDressFileDialog(dialog);
    if (TExecFileDialog(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
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
                      const QString& filter, const std::function<std::string()>& contents) {
    const QString path = askExportFile(owner, caption, proposed, filter);
    if (path.isEmpty())
        return false;
    return writeExport(path, contents());
}

} // namespace zolt::studies
