// Dialog templates: the caption, size, font and controls of a dialog, kept
// as text files among the program's resources (":/dialogs/<id>.dlg").
//
// Grammar, one statement per line; blanks and commas separate the fields;
// empty lines and lines starting with "//" are ignored:
//
//   DIALOG <id> <width> <height> "<caption>"      first statement
//   FONT <point size> "<face name>"                optional, right after it
//   <kind> "<text>" <id> <x> <y> <width> <height>  one per control
//
// <kind> is one of
//   LTEXT          static text, left-aligned, wrapped at its width
//   CTEXT          static text, centred
//   EDITTEXT       single-line edit (its text is the initial text)
//   PUSHBUTTON     push button; a click sends its id as a command
//   DEFPUSHBUTTON  the dialog's default push button
//   RADIOBUTTON    radio button; consecutive radio buttons form one group
//   CHECKBOX       check box
//   GROUPBOX       frame with a title, drawn behind the other controls
//
// Texts are UTF-8 in double quotes; a doubled quote ("") stands for one
// quote. Numbers are decimal integers. Ids of controls that are never
// addressed (statics, frames) are -1. Positions and sizes are in dialog units
// of the dialog's font (see TDialogUnits); the size of the dialog is that of
// its client area. Without a FONT statement the font is 8 points
// "MS Sans Serif", which, like "MS Shell Dlg", maps to the platform's sans
// serif font.
//
// Example:
//   DIALOG 300 180 120 "Metodo di calcolo"
//   FONT 8 "MS Sans Serif"
//   LTEXT "Coefficiente di sicurezza" -1 10 80 90 8
//   EDITTEXT "" 305 110 78 36 12
//   DEFPUSHBUTTON "Avvia analisi" 1 20 98 60 16
//   PUSHBUTTON "Annulla" 2 100 98 60 16
#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class TDialogTemplate {
public:
    enum class Kind {
        LeftText,
        CenterText,
        Edit,
        PushButton,
        DefPushButton,
        RadioButton,
        CheckBox,
        GroupBox
    };

    struct Control {
        Kind kind = Kind::LeftText;
        QString text;
        int id = -1;
        QRect rect; // dialog units
    };

    int id = 0;
    QSize size; // dialog units
    QString caption;
    int pointSize = 8;
    QString faceName = QStringLiteral("MS Sans Serif");
    QList<Control> controls;

    // The template in `text`; nothing, and the reason in `error` (with the
    // line number), when the text breaks the grammar.
    static std::optional<TDialogTemplate> Parse(const QString& text, QString* error = nullptr);

    // The template of resource `resId`; nothing when the resource is missing,
    // does not parse or names another id.
    static std::optional<TDialogTemplate> Load(int resId, QString* error = nullptr);

    // The font the dialog and its controls are drawn with.
    QFont Font() const;
};
