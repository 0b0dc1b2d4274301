// The document windows of the "Strumenti" results.
#pragma once

#include <QPoint>
#include <QString>

class QMdiSubWindow;
class QWidget;
class TMDIClient;

namespace zolt {

// `view` in a new document window of `client` titled `title`, at
// `position` as far as the client area allows: a window that would reach
// past the area's right or bottom edge moves back into it, and one larger
// than the area shrinks to it as far as its contents let it, so that its
// first lines show whole.
QMdiSubWindow* OpenResultWindow(TMDIClient* client, const QString& title, QWidget* view,
                                QPoint position);

} // namespace zolt
