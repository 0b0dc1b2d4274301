#include "toolkit/tresourcescript.h"

#include "toolkit/tscriptlines.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QStringList>
#include <QtDebug>

namespace {

using Token = TScriptToken;
using Line = TScriptLine;

class Parser {
public:
    explicit Parser(QList<Line> lines) : m_lines(std::move(lines)) {}

    bool Run(TResourceScript& script) {
        while (m_pos < m_lines.size()) {
            const Line& line = m_lines.at(m_pos++);
            const QList<Token>& tokens = line.tokens;
            if (tokens.front().IsWord("MENU")) {
                const std::optional<int> id =
                    tokens.size() == 2 ? tokens.at(1).Number() : std::nullopt;
                if (!id)
                    return Fail(line.number, QStringLiteral("expected MENU <id>"));
                if (script.menus.contains(*id))
                    return Fail(line.number, QStringLiteral("menu %1 defined twice").arg(*id));
                QList<TResourceScript::MenuItem> items;
                if (!MenuItems(items, line.number))
                    return false;
                script.menus.insert(*id, items);
            } else if (tokens.front().IsWord("STRINGTABLE")) {
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
            if (tokens.front().IsWord("END")) {
                if (tokens.size() != 1)
                    return Fail(line.number, QStringLiteral("expected END alone"));
                return true;
            }
            TResourceScript::MenuItem item;
            if (tokens.front().IsWord("POPUP")) {
                if (tokens.size() != 2 || !tokens.at(1).quoted)
                    return Fail(line.number, QStringLiteral("expected POPUP \"<text>\""));
                item.popup = true;
                item.text = tokens.at(1).text;
                if (!MenuItems(item.items, line.number))
                    return false;
            } else if (tokens.front().IsWord("MENUITEM")) {
                if (tokens.size() == 2 && tokens.at(1).IsWord("SEPARATOR")) {
                    items.append(item);
                    continue;
                }
                const bool withKey = tokens.size() == 4 && tokens.at(3).quoted;
                const std::optional<int> id = (tokens.size() == 3 || withKey) && tokens.at(1).quoted
                                                  ? tokens.at(2).Number()
                                                  : std::nullopt;
                if (!id || *id <= 0) {
                    return Fail(line.number,
                                QStringLiteral("expected MENUITEM \"<text>\" <command> "
                                               "(a positive number) [\"<key>\"] or MENUITEM "
                                               "SEPARATOR"));
                }
                item.text = tokens.at(1).text;
                item.id = *id;
                if (withKey) {
                    item.shortcut = tokens.at(3).text;
                    const QKeySequence key =
                        QKeySequence::fromString(item.shortcut, QKeySequence::PortableText);
                    if (key.count() != 1 || key[0].key() == Qt::Key_unknown)
                        return Fail(line.number,
                                    QStringLiteral("\"%1\" is no key").arg(item.shortcut));
                }
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
            if (tokens.front().IsWord("END")) {
                if (tokens.size() != 1)
                    return Fail(line.number, QStringLiteral("expected END alone"));
                return true;
            }
            const std::optional<int> id =
                tokens.size() == 2 && tokens.at(1).quoted ? tokens.at(0).Number() : std::nullopt;
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
    std::optional<QList<Line>> lines = SplitScript(text, error);
    if (!lines)
        return std::nullopt;
    Parser parser(std::move(*lines));
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
