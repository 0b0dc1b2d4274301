// The client area of a multiple-document main window: it holds the
// document child windows (report windows and the like), each a frame with
// a title around one client widget.
#pragma once

#include <QMdiArea>
#include <QPoint>

class QMdiSubWindow;

class TMDIClient : public QMdiArea {
    Q_OBJECT

public:
    explicit TMDIClient(QWidget* parent = nullptr);

    // Wraps `client` in a new document child window titled `title`, the
    // frame shrunk to fit the client's size, placed with its top-left corner
    // at `position` of the client area, and shows it. The child window owns
    // the client and is destroyed when the user closes it.
    QMdiSubWindow* CreateChild(const QString& title, QWidget* client, QPoint position);
};
