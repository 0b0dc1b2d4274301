#include "toolkit/tmessagebox.h"

#include "toolkit/tapplication.h"
#include "toolkit/tdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

QWidget* boxOwner(QWidget* owner) {
    if (owner != nullptr)
        return owner;
    if (QWidget* main = TApplication::MainWindow())
        return main;
    return QApplication::activeWindow();
}

// Runs the box; the window that was active gets the activation back when
// the box closes, so that the focus can return to it.
void runBox(QMessageBox& box) {
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    if (active != nullptr && active->isVisible())
        active->activateWindow();
}

} // namespace

int ShowMessageBox(const QString& text, QMessageBox::Icon icon, QWidget* owner) {
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    boxOwner(owner));
    box.setEscapeButton(QMessageBox::Ok);
    runBox(box);
    return IDOK;
}

int AskYesNoCancel(const QString& text, QWidget* owner) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, boxOwner(owner));
    // The program's own words, whether Qt's translation is there or not.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    runBox(box);
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return IDYES;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return IDNO;
    return IDCANCEL;
}
