// A multi-line, editable text view bound to a file: it loads the file's
// text when it is created. The files it shows are Windows-1252 text (the
// calculation report), shown in a fixed-pitch font so that columns line up.
// Its context menu saves the edited text under another name and prints it.
#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <functional>

class QMenu;

class TEditFile : public QPlainTextEdit {
    Q_OBJECT

public:
    // A view with control id `id`, the text `text`, at (x, y) with size
    // w x h pixels, that loads `fileName` at once. A file that cannot be
    // read leaves the text as given.
    TEditFile(QWidget* parent, int id, const QString& text, int x, int y, int w, int h,
              const QString& fileName);

    int GetId() const { return m_id; }
    QString GetFileName() const { return m_fileName; }
    // Reads the file again; false when it cannot be read.
    bool Read();
    // The width that shows the longest line whole, frame and vertical
    // scroll bar included.
    int FullLineWidth() const;

    // The size it was given: the document window fits itself to it.
    QSize sizeHint() const override { return size(); }

    // The context menu: "Salva con nome..." and "Stampa..." after the
    // editing commands. The caller owns it.
    QMenu* CreateContextMenu();

    // Writes the text as it is now, in Windows-1252, to a file the user
    // names; shows the open-error message when it cannot be written.
    void SaveAs();
    // Prints the text as it is now through the system's print dialog.
    void Print();

    // Asks for the file name of SaveAs, starting from `suggested`; empty
    // when the user cancelled. Replaceable (tests); an empty function
    // restores the file dialog.
    using SaveAsPrompt = std::function<QString(QWidget* owner, const QString& suggested)>;
    static void SetSaveAsPrompt(SaveAsPrompt prompt);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int m_id;
    QString m_fileName;
};
