#include "toolkit/tmessageevent.h"

#include <QCoreApplication>

TMessageEvent::TMessageEvent(unsigned message, unsigned long wParam, long lParam)
    : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam) {}

QEvent::Type TMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

long SendMessage(QObject* target, unsigned message, unsigned long wParam, long lParam) {
    if (target == nullptr)
        return 0;
    TMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.Reply();
}
