// A multi-line, editable text view bound to a file: it loads the file's
// text when it is created. The files it shows are Windows-1252 text (the
// calculation report), shown in a fixed-pitch font so that columns line up.
#pragma once

#include <QPlainTextEdit>
#include <QString>

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

private:
    int m_id;
    QString m_fileName;
};
