#include "toolkit/tdialogtemplate.h"

#include "toolkit/tscriptlines.h"

#include <QFile>
#include <QStringList>

namespace {

using Token = TScriptToken;

std::optional<TDialogTemplate::Kind> kindNamed(const QString& word) {
    using Kind = TDialogTemplate::Kind;
    static const struct {
        const char* name;
        Kind kind;
    } kinds[] = {
        {"LTEXT", Kind::LeftText},
        {"CTEXT", Kind::CenterText},
        {"EDITTEXT", Kind::Edit},
        {"PUSHBUTTON", Kind::PushButton},
        {"DEFPUSHBUTTON", Kind::DefPushButton},
        {"RADIOBUTTON", Kind::RadioButton},
        {"CHECKBOX", Kind::CheckBox},
        {"GROUPBOX", Kind::GroupBox},
    };
    for (const auto& entry : kinds) {
        if (word == QLatin1String(entry.name))
            return entry.kind;
    }
    return std::nullopt;
}

// Reads tokens[first..first+count) as integers; false when one is not.
bool integers(const QList<Token>& tokens, qsizetype first, qsizetype count, int* out) {
    for (qsizetype k = 0; k < count; ++k) {
        const std::optional<int> value = tokens.at(first + k).Number();
        if (!value)
            return false;
        out[k] = *value;
    }
    return true;
}

bool fail(QString* error, int line, const QString& message) {
    if (error != nullptr)
        *error = QStringLiteral("line %1: %2").arg(line).arg(message);
    return false;
}

} // namespace

std::optional<TDialogTemplate> TDialogTemplate::Parse(const QString& text, QString* error) {
    TDialogTemplate result;
    bool haveHeader = false;
    bool haveFont = false;
    const std::optional<QList<TScriptLine>> lines = SplitScript(text, error);
    if (!lines)
        return std::nullopt;
    for (const TScriptLine& line : *lines) {
        const int lineNumber = line.number;
        const QList<Token>& tokens = line.tokens;
        const QString keyword = tokens.front().text;
        if (tokens.front().quoted) {
            fail(error, lineNumber, QStringLiteral("a statement starts with a keyword"));
            return std::nullopt;
        }
        if (keyword == QLatin1String("DIALOG")) {
            int numbers[3] = {};
            if (haveHeader || tokens.size() != 5 || !integers(tokens, 1, 3, numbers) ||
                !tokens.at(4).quoted || numbers[1] < 0 || numbers[2] < 0) {
                fail(error, lineNumber,
                     haveHeader
                         ? QStringLiteral("a second DIALOG statement")
                         : QStringLiteral("expected DIALOG <id> <width> <height> \"<caption>\""));
                return std::nullopt;
            }
            haveHeader = true;
            result.id = numbers[0];
            result.size = QSize(numbers[1], numbers[2]);
            result.caption = tokens.at(4).text;
            continue;
        }
        if (!haveHeader) {
            fail(error, lineNumber, QStringLiteral("the template must start with DIALOG"));
            return std::nullopt;
        }
        if (keyword == QLatin1String("FONT")) {
            int points = 0;
            if (haveFont || !result.controls.isEmpty() || tokens.size() != 3 ||
                !integers(tokens, 1, 1, &points) || !tokens.at(2).quoted || points <= 0) {
                fail(error, lineNumber,
                     QStringLiteral("expected FONT <point size> \"<face>\" right after DIALOG"));
                return std::nullopt;
            }
            haveFont = true;
            result.pointSize = points;
            result.faceName = tokens.at(2).text;
            continue;
        }
        const std::optional<Kind> kind = kindNamed(keyword);
        if (!kind) {
            fail(error, lineNumber, QStringLiteral("unknown statement \"%1\"").arg(keyword));
            return std::nullopt;
        }
        int numbers[5] = {};
        if (tokens.size() != 7 || !tokens.at(1).quoted || !integers(tokens, 2, 5, numbers) ||
            numbers[3] < 0 || numbers[4] < 0) {
            fail(error, lineNumber,
                 QStringLiteral("expected %1 \"<text>\" <id> <x> <y> <width> <height>")
                     .arg(keyword));
            return std::nullopt;
        }
        result.controls.append(Control{*kind, tokens.at(1).text, numbers[0],
                                       QRect(numbers[1], numbers[2], numbers[3], numbers[4])});
    }
    if (!haveHeader) {
        fail(error, text.count(u'\n') + 1, QStringLiteral("no DIALOG statement"));
        return std::nullopt;
    }
    return result;
}

std::optional<TDialogTemplate> TDialogTemplate::Load(int resId, QString* error) {
    const QString path = QStringLiteral(":/dialogs/%1.dlg").arg(resId);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr)
            *error = QStringLiteral("%1: no such resource").arg(path);
        return std::nullopt;
    }
    QString parseError;
    std::optional<TDialogTemplate> result = Parse(QString::fromUtf8(file.readAll()), &parseError);
    if (!result) {
        if (error != nullptr)
            *error = QStringLiteral("%1: %2").arg(path, parseError);
        return std::nullopt;
    }
    if (result->id != resId) {
        if (error != nullptr)
            *error = QStringLiteral("%1: the template is dialog %2").arg(path).arg(result->id);
        return std::nullopt;
    }
    return result;
}

QFont TDialogTemplate::Font() const {
    QFont font;
    const QString face = faceName.trimmed();
    if (face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
        face.startsWith(QLatin1String("MS Shell Dlg"), Qt::CaseInsensitive) || face.isEmpty()) {
        font.setFamily(QStringLiteral("Sans Serif"));
    } else {
        font.setFamily(face);
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}
