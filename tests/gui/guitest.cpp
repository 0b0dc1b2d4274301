#include "guitest.h"

#include "toolkit/tmessageevent.h"

#include <QAbstractButton>
#include <QApplication>

#include <cstdio>

QDebug operator<<(QDebug debug, const Message& message) {
    QDebugStateSaver saver(debug);
    debug.nospace() << "(" << message.number << ", " << message.wParam << ")";
    return debug;
}

char* toString(const Message& message) {
    return QTest::toString(QStringLiteral("(%1, %2)").arg(message.number).arg(message.wParam));
}

bool MessageRecorder::event(QEvent* event) {
    if (event->type() == TMessageEvent::EventType()) {
        auto* message = static_cast<TMessageEvent*>(event);
        messages.append({message->Message(), message->WParam()});
        message->SetReply(replies.value(message->Message(), 0));
        return true;
    }
    return QWidget::event(event);
}

BoxCloser::BoxCloser() {
    connect(&m_timer, &QTimer::timeout, this, &BoxCloser::poll);
    m_timer.start(5);
}

void BoxCloser::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    boxes.append({box->text(), box->windowTitle(), box->icon(),
                  static_cast<int>(box->buttons().size()), box->parentWidget()});
    if (onBox)
        onBox(box);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}

bool showActive(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void whenIdle(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

void useLocale(const char* locale) {
    qputenv("LC_ALL", locale);
    qputenv("LANG", locale);
}

bool localeIsActive(const char* locale) {
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 5.0);
    if (QString::fromLatin1(probe) == QStringLiteral("5,00"))
        return true;
    std::fprintf(stderr, "the locale %s is not active (run scripts/install-deps)\n", locale);
    return false;
}

TMDIClient* setUpMainWindow(QMainWindow& window, QSize size) {
    auto* client = new TMDIClient;
    window.setCentralWidget(client);
    window.resize(size);
    TApplication::Current()->SetMainWindow(&window);
    TApplication::Current()->SetClientWindow(client);
    return client;
}
