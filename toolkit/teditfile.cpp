#include "toolkit/teditfile.h"

#include "model/file_io.h"
#include "model/windows1252.h"
#include "toolkit/tfixedfont.h"

#include <QScrollBar>
#include <QTextDocument>

namespace {
// The report is a few kilobytes; anything beyond this is not a report.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
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
