// The lock indicators on a real X display follow the keyboard's state,
// also when another program changes it.
#include "../gui/guitest.h"

#include "toolkit/tstatusbar.h"

#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

class LockStateTest : public QObject {
    Q_OBJECT

private slots:
    void indicatorsShowTheKeyboardLocks();
};

void LockStateTest::indicatorsShowTheKeyboardLocks() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QVERIFY(x11 != nullptr && x11->display() != nullptr);
    Display* display = x11->display();
    unsigned numLock = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (numLock == 0)
        numLock = Mod2Mask;
    const auto lock = [&](unsigned mask, unsigned on) {
        XkbLockModifiers(display, XkbUseCoreKbd, mask, on);
        XSync(display, False);
    };
    lock(LockMask | numLock, 0);

    TStatusBar bar(nullptr, TStatusBar::CapsLock | TStatusBar::NumLock);
    QVERIFY(showActive(bar));
    QVERIFY(bar.ReadsLockState());
    QVERIFY(!bar.GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(!bar.GetModeIndicator(TStatusBar::NumLock));

    lock(LockMask, LockMask);
    QTRY_VERIFY(bar.GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(!bar.GetModeIndicator(TStatusBar::NumLock));
    lock(numLock, numLock);
    QTRY_VERIFY(bar.GetModeIndicator(TStatusBar::NumLock));
    QVERIFY(bar.GetModeIndicator(TStatusBar::CapsLock));
    lock(LockMask | numLock, 0);
    QTRY_VERIFY(!bar.GetModeIndicator(TStatusBar::CapsLock));
    QVERIFY(!bar.GetModeIndicator(TStatusBar::NumLock));
}

ZOLT_GUI_TEST_MAIN(LockStateTest)
#include "lock_state_x11_test.moc"
