// The window of the help viewer (WinHelp): the page, with the links to
// follow, and under it a "Chiudi" button; Escape closes it as well. It is
// destroyed when it closes.
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT

public:
    // A separate window owned by `owner`.
    explicit THelpWindow(QWidget* owner);

    QTextBrowser* Browser() const { return m_browser; }
    QPushButton* CloseButton() const { return m_close; }

private:
    QTextBrowser* m_browser;
    QPushButton* m_close;
};
