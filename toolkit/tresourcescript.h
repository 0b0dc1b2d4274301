// Menu and string resources, kept as small resource scripts among the
// program's resources (every ":/strings/*.txt").
//
// Grammar, one statement per line; blanks and commas separate the fields;
// empty lines and lines starting with "//" are ignored. Texts are UTF-8 in
// double quotes, a doubled quote ("") standing for one quote; blanks inside
// the quotes are kept, trailing ones too. Numbers are decimal integers.
//
//   MENU <id>                          a menu bar; its items up to END
//     POPUP "<text>"                   a drop-down menu; its items up to END
//       MENUITEM "<text>" <command>    an item that sends command <command>
//       MENUITEM "<text>" <command> "<key>"
//                                      the same, with a shortcut key that the
//                                      item shows ("Ctrl+F4", Qt's portable
//                                      key names)
//       MENUITEM SEPARATOR             a dividing line
//       POPUP "<text>" ... END         a nested menu
//     END
//   END
//
//   STRINGTABLE                        strings, one per line, up to END
//     <id> "<text>"
//   END
//
// In menu texts '&' marks the mnemonic letter that follows it ("&&" is a
// plain '&'). Command ids are positive. A script may hold any number of
// menus and string tables; an id may be defined only once per kind.
//
// Example:
//   MENU 1
//     POPUP "&File"
//       MENUITEM "&Apri" 101
//     END
//   END
//   STRINGTABLE
//     101 "Apre archivio esistente"
//   END
#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

class TResourceScript {
public:
    struct MenuItem {
        QString text;          // empty for a separator
        int id = 0;            // the command; 0 for popups and separators
        QString shortcut;      // the item's key, empty for none
        bool popup = false;    // a menu of its own, holding `items`
        QList<MenuItem> items; // a popup's items
        bool IsSeparator() const { return !popup && id == 0; }
    };

    QMap<int, QList<MenuItem>> menus; // menu id -> the items of its bar
    QMap<int, QString> strings;       // string id -> text

    // The script in `text`; nothing, and the reason in `error` (with the
    // line number), when the text breaks the grammar.
    static std::optional<TResourceScript> Parse(const QString& text, QString* error = nullptr);
    // The script in the file (or resource) at `path`.
    static std::optional<TResourceScript> Load(const QString& path, QString* error = nullptr);

    // Adds the menus and strings of `other`; false, adding nothing, when an
    // id is defined in both.
    bool Merge(const TResourceScript& other, QString* error = nullptr);

    // The program's resources: every ":/strings/*.txt" merged, read when
    // first asked for. A file that does not load is left out with a warning.
    static const TResourceScript& Module();

    // The items of menu `id`; nothing when there is no such menu.
    std::optional<QList<MenuItem>> Menu(int id) const;
    // String `id`; an empty text when there is none.
    QString String(int id) const { return strings.value(id); }
};

// String `id` of the program's resources (empty when there is none).
QString LoadString(int id);
