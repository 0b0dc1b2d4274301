#include "toolkit/teditfile.h"

#include "model/file_io.h"
#include "model/windows1252.h"
#include "toolkit/tfixedfont.h"

namespace {
// The report is a few kilobytes; anything beyond this is not a report.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
} // namespace

TEditFile::TEditFile(QWidget* parent, int id, const QString& text, int x, int y, int w, int h,
                     const QString& fileName)
    : QPlainTextEdit(text, parent), m_id(id), m_fileName(fileName), m_size(w, h) {
    setObjectName(QStringLiteral("TEditFile%1").arg(id));
    setFont(FixedPitchFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setGeometry(x, y, w, h);
    Read();
}

bool TEditFile::Read() {
    const auto bytes = zolt::readFilePrefix(m_fileName.toStdString(), kMaxFileBytes);
    if (!bytes)
        return false;
    setPlainText(QString::fromStdString(zolt::windows1252ToUtf8(*bytes)));
    document()->setModified(false);
    return true;
}
