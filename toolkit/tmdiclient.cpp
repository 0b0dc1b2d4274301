#include "toolkit/tmdiclient.h"

#include <QMdiSubWindow>

TMDIClient::TMDIClient(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QMdiSubWindow* TMDIClient::CreateChild(const QString& title, QWidget* client, QPoint position) {
    auto* child = addSubWindow(client);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(title);
    client->setWindowTitle(title);
    child->adjustSize(); // the frame takes the client's size
    child->move(position);
    child->show();
    return child;
}
