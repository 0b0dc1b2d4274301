// Synchronous notification messages between windows.
//
// A message is a number with two parameters and a reply. SendMessage
// delivers it at once, on the calling thread, to the target widget's event()
// (or to an event filter installed on it) and returns the reply the handler
// stored. A window that does not handle the message leaves the reply at 0,
// and so does a missing target.
#pragma once

#include <QEvent>

class QObject;

// Message numbers the toolkit itself knows.
constexpr unsigned WM_VSCROLL = 0x0115;       // wParam: scroll code (SB_LINEUP, SB_LINEDOWN)
constexpr unsigned WM_USER = 0x0400;          // first number free for private messages
constexpr unsigned DM_SETDEFID = WM_USER + 1; // dialog: wParam is the new default button id

constexpr unsigned long SB_LINEUP = 0;
constexpr unsigned long SB_LINEDOWN = 1;

class TMessageEvent : public QEvent {
public:
    TMessageEvent(unsigned message, unsigned long wParam, long lParam);

    static QEvent::Type EventType();

    unsigned Message() const { return m_message; }
    unsigned long WParam() const { return m_wParam; }
    long LParam() const { return m_lParam; }
    long Reply() const { return m_reply; }
    void SetReply(long reply) { m_reply = reply; }

private:
    unsigned m_message;
    unsigned long m_wParam;
    long m_lParam;
    long m_reply = 0;
};

// Sends `message` to `target` and returns its reply (0 when unhandled or
// when there is no target).
long SendMessage(QObject* target, unsigned message, unsigned long wParam = 0, long lParam = 0);
