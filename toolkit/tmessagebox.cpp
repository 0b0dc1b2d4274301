#include "toolkit/tmessagebox.h"

#include "toolkit/tapplication.h"
#include "toolkit/tdialog.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

int ShowMessageBox(const QString& text, QMessageBox::Icon icon, QWidget* owner) {
    QWidget* parent = owner;
    if (parent == nullptr)
        parent = TApplication::MainWindow();
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    // The window that was active gets the activation back when the box
    // closes, so that the focus can return to it.
    const QPointer<QWidget> active = QApplication::activeWindow();
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    if (active != nullptr && active->isVisible())
        active->activateWindow();
    return IDOK;
}
