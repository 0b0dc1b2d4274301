#include "toolkit/tcontrolbar.h"

#include "toolkit/tresourcescript.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

namespace {

const char* const kCommandIdProperty = "commandId";

} // namespace

TControlBar::TControlBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The bar is always there: no entry in the frame's context menu.
    toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

QIcon TControlBar::Bitmap(int id) {
    const QString path = QStringLiteral(":/icons/%1.svg").arg(id);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QToolButton* TControlBar::InsertButton(int id) {
    const QString hintText = LoadString(id).trimmed();
    QAction* action = addAction(Bitmap(id), hintText);
    action->setProperty(kCommandIdProperty, id);
    action->setToolTip(hintText);
    connect(action, &QAction::triggered, this, [this, id] { emit commandSelected(id); });
    auto* button = qobject_cast<QToolButton*>(widgetForAction(action));
    button->setProperty(kCommandIdProperty, id);
    button->setAccessibleName(hintText);
    button->installEventFilter(this);
    m_gadgets.append({id, button});
    return button;
}

QWidget* TControlBar::InsertSeparator(int width) {
    auto* gap = new QWidget(this);
    gap->setFixedWidth(width);
    auto* line = new QFrame(gap);
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    auto* layout = new QHBoxLayout(gap);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->addWidget(line, 0, Qt::AlignHCenter);
    addWidget(gap);
    m_gadgets.append({0, gap});
    return gap;
}

QToolButton* TControlBar::Button(int id) const {
    for (const Gadget& gadget : m_gadgets) {
        if (gadget.id == id && id != 0)
            return static_cast<QToolButton*>(gadget.widget);
    }
    return nullptr;
}

QList<int> TControlBar::Layout() const {
    QList<int> layout;
    for (const Gadget& gadget : m_gadgets)
        layout.append(gadget.id);
    return layout;
}

bool TControlBar::eventFilter(QObject* watched, QEvent* event) {
    if (m_hintMode == EnterHints) {
        const int id = watched->property(kCommandIdProperty).toInt();
        if (event->type() == QEvent::Enter && id != 0)
            emit hint(id);
        else if (event->type() == QEvent::Leave && id != 0)
            emit hintEnded();
    }
    return QToolBar::eventFilter(watched, event);
}
