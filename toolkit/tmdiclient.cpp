#include "toolkit/tmdiclient.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

#include <utility>

namespace {

constexpr qsizetype kNumberedChildren = 9;

// A key of the child's own system menu (Ctrl+F4 and Ctrl+W close it) that
// the main window's menus use as well would make both ambiguous, and then
// neither works: the main window's item keeps it.
void dropKeysOfTheWindow(QMdiSubWindow* child) {
    QList<QKeySequence> taken;
    for (const QAction* action : child->window()->findChildren<QAction*>())
        taken += action->shortcuts();
    QMenu* systemMenu = child->systemMenu();
    if (systemMenu == nullptr)
        return;
    for (QAction* action : systemMenu->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        keys.removeIf([&taken](const QKeySequence& key) { return taken.contains(key); });
        action->setShortcuts(keys);
    }
}

} // namespace

TMDIClient::TMDIClient(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QMdiSubWindow* TMDIClient::CreateChild(const QString& title, QWidget* client, QPoint position) {
    auto* child = addSubWindow(client);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(title);
    client->setWindowTitle(title);
    dropKeysOfTheWindow(child);
    child->adjustSize(); // the frame takes the client's size
    child->move(position);
    child->show();
    return child;
}

bool TMDIClient::EvCommand(int id) {
    switch (id) {
    case CM_TILECHILDREN:
        tileSubWindows();
        return true;
    case CM_CASCADECHILDREN:
        cascadeSubWindows();
        return true;
    case CM_CLOSECHILD:
        // The current window also while another top-level window (the
        // help) is active, when Qt knows no active child.
        if (QMdiSubWindow* child = currentSubWindow())
            child->close();
        return true;
    case CM_CLOSECHILDREN:
        closeAllSubWindows();
        return true;
    case CM_NEXTCHILD:
        activateNextSubWindow();
        return true;
    case CM_PREVCHILD:
        activatePreviousSubWindow();
        return true;
    default:
        return false;
    }
}

void TMDIClient::ListChildren(QMenu* menu) {
    for (const QPointer<QAction>& item : std::as_const(m_childItems))
        delete item.data();
    m_childItems.clear();
    const QList<QMdiSubWindow*> children = subWindowList(CreationOrder);
    if (children.isEmpty())
        return;
    m_childItems.append(menu->addSeparator());
    const QMdiSubWindow* current = currentSubWindow();
    for (qsizetype i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children.at(i);
        QString title = child->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = i < kNumberedChildren ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                                   : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction* item = menu->addAction(text);
        item->setCheckable(true);
        item->setChecked(child == current);
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(child)] {
            if (window != nullptr)
                setActiveSubWindow(window);
        });
        m_childItems.append(item);
    }
}
