#include "controls/fieldorder.h"

#include "toolkit/tdialog.h"

#include <QKeyEvent>
#include <QWidget>

bool MoveFocusInFieldOrder(const TControl& field, const QKeyEvent* event) {
    const TDialog* dialog = field.GetParentDialog();
    if (dialog == nullptr)
        return false;
    QWidget* target = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        target = dialog->ChildWithId(field.GetId() + 1);
        if (target == nullptr)
            target = dialog->FirstChild();
        break;
    case Qt::Key_Up:
        target = dialog->ChildWithId(field.GetId() - 1);
        if (target == nullptr)
            target = dialog->LastChild();
        break;
    default:
        return false;
    }
    if (target != nullptr)
        target->setFocus(Qt::OtherFocusReason);
    return true;
}
