// The main window of a multiple-document program: a frame with a title, an
// icon, a menu bar built from a menu resource, the document client area
// (TMDIClient) in the middle, and the decorations inserted into it: a tool
// bar at the top and a status bar at the bottom.
//
// Every menu item and tool-bar button sends its command id through
// commandSelected; the frame does nothing with it itself, except for the
// window commands (TMDIClient), which go to the client. The menu that holds
// them lists the client's windows as well, and they are enabled while there
// is a window. An item with a key (TResourceScript) shows it and answers
// to it. With menu
// tracking on, the frame reports the highlighted menu item (menuHint, with
// 0 for a popup's title) and the closing of the menus (menuClosed); the
// inserted status bar shows them, and the tool bar's hints, by command id.
#pragma once

#include "toolkit/tresourcescript.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QMenu;
class TControlBar;
class TMDIClient;
class TStatusBar;

class TDecoratedMDIFrame : public QMainWindow {
    Q_OBJECT

public:
    // A frame titled `title` around `client`, which it takes over, with
    // the menu bar of menu resource `menuResId` (an empty bar when there is
    // no such menu).
    TDecoratedMDIFrame(const QString& title, int menuResId, TMDIClient* client,
                       bool trackMenuSelection = false, QWidget* parent = nullptr);

    TMDIClient* GetClientWindow() const { return m_client; }

    // Replaces the menu bar by menu resource `menuResId`; false, leaving
    // the bar empty, when there is no such menu.
    bool AssignMenu(int menuResId);
    // The menu item that sends command `id`, null when there is none.
    QAction* CommandAction(int id) const;
    // An item added at run time to `menu` (one of the bar's), before
    // `before` (at the end when null): it sends command `id` and shows its
    // hint like the items of the menu resource. An item of the same id
    // goes first.
    QAction* InsertCommand(QMenu* menu, QAction* before, const QString& text, int id);
    // Removes the item of command `id`, if there is one.
    void RemoveCommand(int id);

    void SetIcon(const QIcon& icon) { setWindowIcon(icon); }

    // The tool bar goes to the top, the status bar to the bottom; the frame
    // passes the bar's commands on and routes all hints to the status bar.
    void Insert(TControlBar* controlBar);
    void Insert(TStatusBar* statusBar);
    TControlBar* GetControlBar() const { return m_controlBar; }
    TStatusBar* GetStatusBar() const { return m_statusBar; }

    // Shows the frame maximised and active. The frame is sized to the
    // screen's available area first, so that it fills the screen also where
    // no window manager maximises it.
    void ShowMaximized();

signals:
    void commandSelected(int id);
    void menuHint(int id);
    void menuClosed();

protected:
    bool event(QEvent* event) override;
    // The application's main window closes only when the application
    // agrees (TApplication::CanClose).
    void closeEvent(QCloseEvent* event) override;

private:
    // A menu item's or tool-bar button's command.
    void Command(int id);
    // The window commands are enabled while the client holds a window.
    void UpdateWindowCommands();
    // The items into the menu bar or a menu (both take the same calls).
    template <class Menu> void AddItems(Menu* menu, const QList<TResourceScript::MenuItem>& items);
    void BindCommand(QAction* action, int id);
    // Hints of the control bar to the status bar, once both are in.
    void ConnectHints();
    void TrackMenu(QMenu* menu);

    TMDIClient* m_client;
    bool m_trackMenuSelection;
    int m_openMenus = 0;
    QMap<int, QAction*> m_commands;
    QMenu* m_windowMenu = nullptr;       // the menu of the window commands, if any
    TControlBar* m_controlBar = nullptr; // children of the frame
    TStatusBar* m_statusBar = nullptr;
};
