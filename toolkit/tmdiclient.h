// The client area of a multiple-document main window: it holds the
// document child windows (report windows and the like), each a frame with
// a title around one client widget.
//
// It carries out the window commands itself (tile, cascade, close, close
// all, next, previous), whichever menu sends them, and lists its child
// windows at the end of the menu that holds those commands.
#pragma once

#include <QList>
#include <QMdiArea>
#include <QPoint>
#include <QPointer>

class QAction;
class QMenu;
class QMdiSubWindow;

// The window commands, in a range of their own beside the program's.
enum TMDIClientCommand : int {
    CM_TILECHILDREN = 901,
    CM_CASCADECHILDREN = 902,
    CM_CLOSECHILD = 903,
    CM_CLOSECHILDREN = 904,
    CM_NEXTCHILD = 905,
    CM_PREVCHILD = 906,
};

class TMDIClient : public QMdiArea {
    Q_OBJECT

public:
    explicit TMDIClient(QWidget* parent = nullptr);

    // Wraps `client` in a new document child window titled `title`, the
    // frame shrunk to fit the client's size, placed with its top-left corner
    // at `position` of the client area, and shows it. The child window owns
    // the client and is destroyed when the user closes it.
    QMdiSubWindow* CreateChild(const QString& title, QWidget* client, QPoint position);

    static bool IsWindowCommand(int id) { return id >= CM_TILECHILDREN && id <= CM_PREVCHILD; }
    // Carries out window command `id`; false for any other id.
    bool EvCommand(int id);

    // Puts the list of the child windows, in the order they opened, at the
    // end of `menu` after a separator, in place of the list of an earlier
    // call: "&1 <title>" to "&9 <title>", then without mnemonic; the
    // current window is checked and choosing an item activates its window.
    void ListChildren(QMenu* menu);

private:
    QList<QPointer<QAction>> m_childItems; // the separator and the items of the last list
};
