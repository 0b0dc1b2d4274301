#include "toolkit/tscriptlines.h"

#include <QStringList>

namespace {

bool isSeparator(QChar ch) {
    return ch.isSpace() || ch == u',';
}

// Splits one statement; false on an unterminated quote.
bool tokenize(const QString& line, QList<TScriptToken>& tokens) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        if (isSeparator(line.at(i))) {
            ++i;
            continue;
        }
        TScriptToken token;
        if (line.at(i) == u'"') {
            token.quoted = true;
            bool closed = false;
            for (++i; i < n; ++i) {
                if (line.at(i) != u'"') {
                    token.text += line.at(i);
                } else if (i + 1 < n && line.at(i + 1) == u'"') {
                    token.text += u'"';
                    ++i;
                } else {
                    closed = true;
                    ++i;
                    break;
                }
            }
            if (!closed)
                return false;
        } else {
            while (i < n && !isSeparator(line.at(i)) && line.at(i) != u'"')
                token.text += line.at(i++);
        }
        tokens.append(token);
    }
    return true;
}

} // namespace

std::optional<int> TScriptToken::Number() const {
    if (quoted)
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QList<TScriptLine>> SplitScript(const QString& text, QString* error) {
    QList<TScriptLine> lines;
    const QStringList rows = text.split(u'\n');
    for (qsizetype index = 0; index < rows.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        const QString row = rows.at(index).trimmed();
        if (row.isEmpty() || row.startsWith(QLatin1String("//")))
            continue;
        TScriptLine line{lineNumber, {}};
        if (!tokenize(row, line.tokens)) {
            if (error != nullptr)
                *error = QStringLiteral("line %1: unterminated text").arg(lineNumber);
            return std::nullopt;
        }
        lines.append(line);
    }
    return lines;
}
