#include "toolkit/tcontrol.h"

#include "toolkit/tdialog.h"
#include "toolkit/tmessageevent.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

TControl::TControl(TDialog* parent, int id) : QObject(nullptr), m_parent(parent), m_id(id) {
    QWidget* widget = parent != nullptr ? parent->ChildWithId(id) : nullptr;
    if (widget != nullptr) {
        const auto previous =
            widget->findChildren<TControl*>(QString(), Qt::FindDirectChildrenOnly);
        for (TControl* old : previous)
            delete old;
        m_widget = widget;
        setParent(widget);
        widget->installEventFilter(this);
    } else {
        setParent(parent);
    }
    if (parent != nullptr)
        parent->AddControl(this);
}

TControl::~TControl() {
    Detach();
}

TDialog* TControl::GetParentDialog() const {
    return m_parent;
}

QWidget* TControl::GetHandle() const {
    return m_widget;
}

void TControl::Detach() {
    if (m_widget != nullptr)
        m_widget->removeEventFilter(this);
    m_widget = nullptr;
}

void TControl::TransferData(TTransferDirection direction) {
    if (m_transferBuffer != nullptr)
        Transfer(m_transferBuffer, direction);
}

void TControl::SetFocus() {
    if (m_widget != nullptr)
        m_widget->setFocus(Qt::OtherFocusReason);
}

bool TControl::CanClose() {
    return true;
}

unsigned TControl::Transfer(void* /*buffer*/, TTransferDirection /*direction*/) {
    return 0;
}

void TControl::SetupWindow() {
    TransferData(tdSetData);
}

void TControl::EvKillFocus(QWidget* /*gettingFocus*/) {}

bool TControl::EvKeyDown(QKeyEvent* /*event*/) {
    return false;
}

long TControl::HandleMessage(unsigned /*message*/, unsigned long /*wParam*/, long /*lParam*/) {
    return 0;
}

bool TControl::DefaultProcessing(QEvent* event) {
    if (m_widget == nullptr)
        return false;
    QObject* widget = m_widget;
    return widget->event(event);
}

bool TControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_widget)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        // The widget takes the focus first, then the handler acts on it.
        DefaultProcessing(event);
        EvSetFocus();
        return true;
    case QEvent::FocusOut:
        EvKillFocus(QApplication::focusWidget());
        return false;
    case QEvent::KeyPress:
        // A handled key stays with the control when the handler accepted it
        // and goes on to the parent when it ignored it.
        return EvKeyDown(static_cast<QKeyEvent*>(event));
    default:
        break;
    }
    if (event->type() == TMessageEvent::EventType()) {
        auto* message = static_cast<TMessageEvent*>(event);
        message->SetReply(HandleMessage(message->Message(), message->WParam(), message->LParam()));
        return true;
    }
    return false;
}
