#include "toolkit/tresourcescript.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtDebug>

namespace {

struct Token {
    QString text;
    bool quoted = false;
};

struct Line {
    int number = 0;
    QList<Token> tokens;
};

// Splits a statement into bare words and quoted texts. Returns false on an
// unterminated quote.
bool tokenize(const QString& line, QList<Token>& tokens) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar ch = line.at(i);
        if (ch.isSpace() || ch == u',') {
            ++i;
            continue;
        }
        Token token;
        if (ch == u'"') {
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
            while (i < n && !line.at(i).isSpace() && line.at(i) != u',' && line.at(i) != u'"')
                token.text += line.at(i++);
        }
        tokens.append(token);
    }
    return true;
}

bool isWord(const Token& token, const char* word) {
    return !token.quoted && token.text == QLatin1String(word);
}

// A bare decimal integer; nothing for anything else.
std::optional<int> number(const Token& token) {
    if (token.quoted)
        return std::nullopt;
    bool ok = false;
    const int value = token.text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

class Parser {
public:
    explicit Parser(QList<Line> lines) : m_lines(std::move(lines)) {}

    bool Run(TResourceScript& script) {
        while (m_pos < m_lines.size()) {
            const Line& line = m_lines.at(m_pos++);
            const QList<Token>& tokens = line.tokens;
            if (isWord(tokens.front(), "MENU")) {
                const std::optional<int> id =
                    tokens.size() == 2 ? number(tokens.at(1)) : std::nullopt;
                if (!id)
                    return Fail(line.number, QStringLiteral("expected MENU <id>"));
                if (script.menus.contains(*id))
                    return Fail(line.number, QStringLiteral("menu %1 defined twice").arg(*id));
                QList<TResourceScript::MenuItem> items;
                if (!MenuItems(items, line.number))
                    return false;
                script.menus.insert(*id, items);
            } else if (isWord(tokens.front(), "STRINGTABLE")) {
                if (tokens.size() != 1)
                    return Fail(line.number, QStringLiteral("expected STRINGTABLE alone"));
                if (!Strings(script.strings, line.number))
                    return false;
            } else {
                return Fail(line.number, QStringLiteral("expected MENU or STRINGTABLE"));
            }
        }
        return true;
    }

    QString error;

private:
    bool Fail(int lineNumber, const QString& message) {
        error = QStringLiteral("line %1: %2").arg(lineNumber).arg(message);
        return false;
    }

    // The items of a menu or popup opened at line `opened`, up to its END.
    bool MenuItems(QList<TResourceScript::MenuItem>& items, int opened) {
        while (m_pos < m_lines.size()) {
            const Line& line = m_lines.at(m_pos++);
            const QList<Token>& tokens = line.tokens;
            if (isWord(tokens.front(), "END")) {
                if (tokens.size() != 1)
                    return Fail(line.number, QStringLiteral("expected END alone"));
                return true;
            }
            TResourceScript::MenuItem item;
            if (isWord(tokens.front(), "POPUP")) {
                if (tokens.size() != 2 || !tokens.at(1).quoted)
                    return Fail(line.number, QStringLiteral("expected POPUP \"<text>\""));
                item.popup = true;
                item.text = tokens.at(1).text;
                if (!MenuItems(item.items, line.number))
                    return false;
            } else if (isWord(tokens.front(), "MENUITEM")) {
                if (tokens.size() == 2 && isWord(tokens.at(1), "SEPARATOR")) {
                    items.append(item);
                    continue;
                }
                const std::optional<int> id =
                    tokens.size() == 3 && tokens.at(1).quoted ? number(tokens.at(2)) : std::nullopt;
                if (!id || *id <= 0) {
                    return Fail(line.number,
                                QStringLiteral("expected MENUITEM \"<text>\" <command> "
                                               "(a positive number) or MENUITEM SEPARATOR"));
                }
                item.text = tokens.at(1).text;
                item.id = *id;
            } else {
                return Fail(line.number, QStringLiteral("expected POPUP, MENUITEM or END"));
            }
            items.append(item);
        }
        return Fail(opened, QStringLiteral("no END for this block"));
    }

    bool Strings(QMap<int, QString>& strings, int opened) {
        while (m_pos < m_lines.size()) {
            const Line& line = m_lines.at(m_pos++);
            const QList<Token>& tokens = line.tokens;
            if (isWord(tokens.front(), "END")) {
                if (tokens.size() != 1)
                    return Fail(line.number, QStringLiteral("expected END alone"));
                return true;
            }
            const std::optional<int> id =
                tokens.size() == 2 && tokens.at(1).quoted ? number(tokens.at(0)) : std::nullopt;
            if (!id)
                return Fail(line.number, QStringLiteral("expected <id> \"<text>\" or END"));
            if (strings.contains(*id))
                return Fail(line.number, QStringLiteral("string %1 defined twice").arg(*id));
            strings.insert(*id, tokens.at(1).text);
        }
        return Fail(opened, QStringLiteral("no END for this block"));
    }

    QList<Line> m_lines;
    qsizetype m_pos = 0;
};

} // namespace

std::optional<TResourceScript> TResourceScript::Parse(const QString& text, QString* error) {
    QList<Line> lines;
    const QStringList rows = text.split(u'\n');
    for (qsizetype index = 0; index < rows.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        const QString row = rows.at(index).trimmed();
        if (row.isEmpty() || row.startsWith(QLatin1String("//")))
            continue;
        Line line{lineNumber, {}};
        if (!tokenize(row, line.tokens)) {
            if (error != nullptr)
                *error = QStringLiteral("line %1: unterminated text").arg(lineNumber);
            return std::nullopt;
        }
        lines.append(line);
    }
    Parser parser(std::move(lines));
    TResourceScript script;
    if (!parser.Run(script)) {
        if (error != nullptr)
            *error = parser.error;
        return std::nullopt;
    }
    return script;
}

std::optional<TResourceScript> TResourceScript::Load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr)
            *error = QStringLiteral("%1: cannot be read").arg(path);
        return std::nullopt;
    }
    QString parseError;
    std::optional<TResourceScript> script = Parse(QString::fromUtf8(file.readAll()), &parseError);
    if (!script && error != nullptr)
        *error = QStringLiteral("%1: %2").arg(path, parseError);
    return script;
}

bool TResourceScript::Merge(const TResourceScript& other, QString* error) {
    for (auto it = other.menus.cbegin(); it != other.menus.cend(); ++it) {
        if (menus.contains(it.key())) {
            if (error != nullptr)
                *error = QStringLiteral("menu %1 defined twice").arg(it.key());
            return false;
        }
    }
    for (auto it = other.strings.cbegin(); it != other.strings.cend(); ++it) {
        if (strings.contains(it.key())) {
            if (error != nullptr)
                *error = QStringLiteral("string %1 defined twice").arg(it.key());
            return false;
        }
    }
    menus.insert(other.menus);
    strings.insert(other.strings);
    return true;
}

const TResourceScript& TResourceScript::Module() {
    static const TResourceScript module = [] {
        TResourceScript merged;
        const QDir folder(QStringLiteral(":/strings"));
        const QStringList names =
            folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            QString error;
            const std::optional<TResourceScript> script = Load(folder.filePath(name), &error);
            if (!script || !merged.Merge(*script, &error))
                qWarning("resources: %s: %s", qPrintable(name), qPrintable(error));
        }
        return merged;
    }();
    return module;
}

std::optional<QList<TResourceScript::MenuItem>> TResourceScript::Menu(int id) const {
    const auto it = menus.constFind(id);
    if (it == menus.cend())
        return std::nullopt;
    return *it;
}

QString LoadString(int id) {
    return TResourceScript::Module().String(id);
}
