// The statements of the program's resource scripts (dialog templates,
// menus, string tables), split into words and quoted texts.
//
// One statement per line; blanks and commas separate the fields; empty
// lines and lines starting with "//" are skipped. Texts are UTF-8 in double
// quotes, a doubled quote ("") standing for one quote; blanks inside the
// quotes are kept.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct TScriptToken {
    QString text;
    bool quoted = false;

    // A bare word equal to `word`.
    bool IsWord(const char* word) const { return !quoted && text == QLatin1String(word); }
    // A bare decimal integer; nothing for anything else.
    std::optional<int> Number() const;
};

struct TScriptLine {
    int number = 0; // 1 for the first line of the text
    QList<TScriptToken> tokens;
};

// The statements of `text`; nothing, and "line <n>: unterminated text" in
// `error`, when a quoted text does not end on its line.
std::optional<QList<TScriptLine>> SplitScript(const QString& text, QString* error = nullptr);
