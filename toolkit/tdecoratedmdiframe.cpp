#include "toolkit/tdecoratedmdiframe.h"

#include "toolkit/tapplication.h"
#include "toolkit/tcontrolbar.h"
#include "toolkit/tmdiclient.h"
#include "toolkit/tstatusbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <type_traits>

namespace {

const char* const kCommandIdProperty = "commandId";

} // namespace

TDecoratedMDIFrame::TDecoratedMDIFrame(const QString& title, int menuResId, TMDIClient* client,
                                       bool trackMenuSelection, QWidget* parent)
    : QMainWindow(parent), m_client(client), m_trackMenuSelection(trackMenuSelection) {
    setWindowTitle(title);
    setCentralWidget(client);
    // Tool bars stay where the program puts them: no menu to hide them.
    setContextMenuPolicy(Qt::NoContextMenu);
    AssignMenu(menuResId);
    if (m_client != nullptr)
        connect(m_client, &QMdiArea::subWindowActivated, this,
                &TDecoratedMDIFrame::UpdateWindowCommands);
}

bool TDecoratedMDIFrame::AssignMenu(int menuResId) {
    QMenuBar* bar = menuBar();
    bar->clear();
    m_commands.clear();
    m_windowMenu = nullptr;
    const std::optional<QList<TResourceScript::MenuItem>> items =
        TResourceScript::Module().Menu(menuResId);
    if (!items)
        return false;
    AddItems(bar, *items);
    if (m_windowMenu != nullptr && m_client != nullptr) {
        connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
            UpdateWindowCommands();
            m_client->ListChildren(m_windowMenu);
        });
    }
    UpdateWindowCommands();
    return true;
}

template <class Menu>
void TDecoratedMDIFrame::AddItems(Menu* menu, const QList<TResourceScript::MenuItem>& items) {
    for (const TResourceScript::MenuItem& item : items) {
        if (item.popup) {
            QMenu* sub = menu->addMenu(item.text);
            AddItems(sub, item.items);
            TrackMenu(sub);
        } else if (item.IsSeparator()) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(item.text);
            BindCommand(action, item.id);
            if (!item.shortcut.isEmpty())
                action->setShortcut(
                    QKeySequence::fromString(item.shortcut, QKeySequence::PortableText));
            if constexpr (std::is_same_v<Menu, QMenu>) {
                if (TMDIClient::IsWindowCommand(item.id) && m_windowMenu == nullptr)
                    m_windowMenu = menu;
            }
        }
    }
}

void TDecoratedMDIFrame::BindCommand(QAction* action, int id) {
    action->setProperty(kCommandIdProperty, id);
    m_commands.insert(id, action);
    connect(action, &QAction::triggered, this, [this, id] { Command(id); });
}

QAction* TDecoratedMDIFrame::InsertCommand(QMenu* menu, QAction* before, const QString& text,
                                           int id) {
    RemoveCommand(id);
    auto* action = new QAction(text, menu);
    menu->insertAction(before, action);
    BindCommand(action, id);
    return action;
}

void TDecoratedMDIFrame::RemoveCommand(int id) {
    QAction* action = m_commands.take(id);
    if (action == nullptr)
        return;
    // The item may be the one whose command is running.
    for (QObject* holder : action->associatedObjects()) {
        if (auto* widget = qobject_cast<QWidget*>(holder))
            widget->removeAction(action);
    }
    action->deleteLater();
}

void TDecoratedMDIFrame::TrackMenu(QMenu* menu) {
    if (!m_trackMenuSelection)
        return;
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        emit menuHint(action->property(kCommandIdProperty).toInt());
    });
    // A menu that opens shows an empty hint until an item is highlighted;
    // the hints end when the last open menu closes (moving from one menu to
    // the next may open the new one before the old one closes).
    connect(menu, &QMenu::aboutToShow, this, [this] {
        ++m_openMenus;
        emit menuHint(0);
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        m_openMenus = std::max(0, m_openMenus - 1);
        if (m_openMenus == 0)
            emit menuClosed();
    });
}

void TDecoratedMDIFrame::Command(int id) {
    if (m_client != nullptr && m_client->EvCommand(id))
        return;
    emit commandSelected(id);
}

void TDecoratedMDIFrame::UpdateWindowCommands() {
    const bool any = m_client != nullptr && !m_client->subWindowList().isEmpty();
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        if (TMDIClient::IsWindowCommand(it.key()))
            it.value()->setEnabled(any);
    }
}

QAction* TDecoratedMDIFrame::CommandAction(int id) const {
    return m_commands.value(id);
}

void TDecoratedMDIFrame::Insert(TControlBar* controlBar) {
    m_controlBar = controlBar;
    addToolBar(Qt::TopToolBarArea, controlBar);
    connect(controlBar, &TControlBar::commandSelected, this, &TDecoratedMDIFrame::Command);
    ConnectHints();
}

void TDecoratedMDIFrame::Insert(TStatusBar* statusBar) {
    m_statusBar = statusBar;
    setStatusBar(statusBar);
    connect(this, &TDecoratedMDIFrame::menuHint, statusBar, &TStatusBar::SetHintText);
    connect(this, &TDecoratedMDIFrame::menuClosed, statusBar, &TStatusBar::ClearHintText);
    ConnectHints();
}

void TDecoratedMDIFrame::ConnectHints() {
    if (m_controlBar == nullptr || m_statusBar == nullptr)
        return;
    connect(m_controlBar, &TControlBar::hint, m_statusBar, &TStatusBar::SetHintText);
    connect(m_controlBar, &TControlBar::hintEnded, m_statusBar, &TStatusBar::ClearHintText);
}

void TDecoratedMDIFrame::ShowMaximized() {
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // The keyboard comes to the new main window also where no window
    // manager gives it.
    activateWindow();
}

bool TDecoratedMDIFrame::event(QEvent* event) {
    // The status bar shows hints by command id; Qt's own status tips would
    // overwrite them with empty text.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TDecoratedMDIFrame::closeEvent(QCloseEvent* event) {
    TApplication* app = TApplication::Current();
    if (app != nullptr && app->GetMainWindow() == this && !app->CanClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
