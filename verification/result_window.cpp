#include "verification/result_window.h"

#include "toolkit/tmdiclient.h"

#include <QMdiSubWindow>

#include <algorithm>

namespace zolt {

QMdiSubWindow* OpenResultWindow(TMDIClient* client, const QString& title, QWidget* view,
                                QPoint position) {
    QMdiSubWindow* child = client->CreateChild(title, view, position);
    const QSize area = client->viewport()->size();
    if (area.isEmpty())
        return child; // not laid out yet: nothing to fit into
    const QSize smallest = child->minimumSizeHint().expandedTo(child->minimumSize());
    const QSize size = child->size().boundedTo(area).expandedTo(smallest);
    child->resize(size);
    child->move(std::clamp(position.x(), 0, std::max(0, area.width() - size.width())),
                std::clamp(position.y(), 0, std::max(0, area.height() - size.height())));
    return child;
}

} // namespace zolt
