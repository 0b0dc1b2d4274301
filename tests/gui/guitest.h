// Helpers shared by the GUI tests: a window that records the notification
// messages it receives, a closer for the modal message boxes the code under
// test opens, and the test program's entry.
#pragma once

#include "toolkit/tapplication.h"
#include "toolkit/tmdiclient.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QMessageBox>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QtTest>

struct Message {
    unsigned number = 0;
    unsigned long wParam = 0;
    bool operator==(const Message& other) const {
        return number == other.number && wParam == other.wParam;
    }
};
QDebug operator<<(QDebug debug, const Message& message);
char* toString(const Message& message);

// A window that records every notification message and answers with the
// reply set for its number (0 by default).
class MessageRecorder : public QWidget {
    Q_OBJECT

public:
    QList<Message> messages;
    QMap<unsigned, long> replies;

protected:
    bool event(QEvent* event) override;
};

// Watches for modal message boxes, records them and presses their OK
// button, so that no test waits for a person.
class BoxCloser : public QObject {
    Q_OBJECT

public:
    struct Box {
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttonCount = 0;
        QWidget* parent = nullptr;
    };

    BoxCloser();
    QList<Box> boxes;
    // Runs while a box is open, before it is closed.
    std::function<void(QMessageBox*)> onBox;

private:
    void poll();
    QTimer m_timer;
};

// Shows `window` and waits until it is the active window.
bool showActive(QWidget& window);

// Makes `window` (`size` pixels, not yet shown) the application's main
// window around a new document client area, which it returns.
TMDIClient* setUpMainWindow(QMainWindow& window, QSize size);

// Runs `action` as soon as the event loop runs (for code under test that
// blocks in a modal loop).
void whenIdle(std::function<void()> action);

// Puts `locale` into the environment, where the application object takes
// it from, for a suite that runs again under a decimal-comma locale.
void useLocale(const char* locale);
// False, saying so on stderr, when `locale` did not become the C library's
// (the machine lacks it).
bool localeIsActive(const char* locale);

// The entry of a suite. Built with ZOLT_TEST_LOCALE (a decimal-comma
// locale), the whole suite runs under that locale: the program must show,
// read and write numbers with "." whatever the user's locale.
#ifdef ZOLT_TEST_LOCALE
#define ZOLT_GUI_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                              \
        useLocale(ZOLT_TEST_LOCALE);                                                               \
        TApplication app(QStringLiteral("Prova ZOLT"), argc, argv);                                \
        if (!localeIsActive(ZOLT_TEST_LOCALE))                                                     \
            return 1;                                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#else
#define ZOLT_GUI_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                              \
        TApplication app(QStringLiteral("Prova ZOLT"), argc, argv);                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#endif
