#include "toolkit/teditfile.h"

#include "model/data_file.h"
#include "model/file_io.h"
#include "model/windows1252.h"
#include "toolkit/tfiledialog.h"
#include "toolkit/tfixedfont.h"
#include "toolkit/tmessagebox.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextDocument>

#include <memory>

namespace {
// The report is a few kilobytes; anything beyond this is not a report.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

TEditFile::SaveAsPrompt& saveAsPrompt() {
    static TEditFile::SaveAsPrompt prompt;
    return prompt;
}

QString askWithDialog(QWidget* owner, const QString& suggested) {
    QFileDialog dialog(owner, QStringLiteral("Salva con nome"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Testo (*.txt)"), QStringLiteral("Tutti i file (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(suggested);
    TDressFileDialog(dialog);
    if (TExecFileDialog(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}
} // namespace

TEditFile::TEditFile(QWidget* parent, int id, const QString& text, int x, int y, int w, int h,
                     const QString& fileName)
    : QPlainTextEdit(text, parent), m_id(id), m_fileName(fileName) {
    setObjectName(QStringLiteral("TEditFile%1").arg(id));
    setFont(FixedPitchFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setGeometry(x, y, w, h);
    Read();
}

int TEditFile::FullLineWidth() const {
    int longest = 0;
    const QFontMetrics metrics(font());
    for (const QString& line : toPlainText().split(QLatin1Char('\n')))
        longest = qMax(longest, metrics.horizontalAdvance(line));
    const int margins = 2 * static_cast<int>(document()->documentMargin()) + 2 * frameWidth();
    return longest + margins + verticalScrollBar()->sizeHint().width() + 1;
}

bool TEditFile::Read() {
    const auto bytes = zolt::readFilePrefix(m_fileName.toStdString(), kMaxFileBytes);
    if (!bytes)
        return false;
    setPlainText(QString::fromStdString(zolt::windows1252ToUtf8(*bytes)));
    document()->setModified(false);
    return true;
}

void TEditFile::SetSaveAsPrompt(SaveAsPrompt prompt) {
    saveAsPrompt() = std::move(prompt);
}

QMenu* TEditFile::CreateContextMenu() {
    QMenu* menu = createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(QStringLiteral("Salva con nome..."), this, &TEditFile::SaveAs);
    menu->addAction(QStringLiteral("Stampa..."), this, &TEditFile::Print);
    return menu;
}

void TEditFile::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(CreateContextMenu());
    menu->exec(event->globalPos());
}

void TEditFile::SaveAs() {
    const QString suggested = QFileInfo(m_fileName).absoluteFilePath();
    const QString path = saveAsPrompt() ? saveAsPrompt()(this, suggested) : askWithDialog(this, suggested);
    if (path.isEmpty())
        return;
    // The same bytes as the report file: Windows-1252 with "\n" line ends.
    const std::string bytes = zolt::utf8ToWindows1252(toPlainText().toStdString());
    if (!zolt::replaceFileContents(QFile::encodeName(path).toStdString(), bytes)) {
        ShowMessageBox(QString::fromUtf8(zolt::kOpenErrorText), QMessageBox::NoIcon, this);
        return;
    }
    document()->setModified(false);
}

void TEditFile::Print() {
    QPrinter printer;
    printer.setDocName(QFileInfo(m_fileName).fileName());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        print(&printer);
}
