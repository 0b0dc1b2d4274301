#include "toolkit/tstatusbar.h"

#include "toolkit/tresourcescript.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <optional>

namespace {

struct LockState {
    bool capsLock = false;
    bool numLock = false;
};

} // namespace

// Xlib's headers define macros (KeyPress, None, ...) that clash with Qt's
// names: they come after Qt's headers, and only this function uses them.
#if ZOLT_HAVE_XKB
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace {

// The keyboard's lock state; nothing where the platform does not tell.
std::optional<LockState> readLockState() {
#if ZOLT_HAVE_XKB
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    unsigned numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (numLockMask == 0)
        numLockMask = Mod2Mask;
    return LockState{(state.locked_mods & LockMask) != 0, (state.locked_mods & numLockMask) != 0};
#else
    return std::nullopt;
#endif
}

} // namespace

#if ZOLT_HAVE_XKB
#undef KeyPress
#undef KeyRelease
#undef None
#undef Bool
#undef Status
#undef Success
#undef FocusIn
#undef FocusOut
#endif

namespace {

// The lock state is read again this often while it can be read, so that a
// change made in another program shows too.
constexpr int kPollMilliseconds = 400;

} // namespace

TStatusBar::TStatusBar(QWidget* parent, unsigned modeIndicators)
    : QStatusBar(parent), m_text(new QLabel(this)) {
    setSizeGripEnabled(false);
    m_text->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumWidth(1); // a long text is cut, not widening the frame
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_text->setIndent(4);
    addWidget(m_text, 1);
    if ((modeIndicators & CapsLock) != 0)
        m_capsLock = AddIndicator(QStringLiteral("MAIUSC"));
    if ((modeIndicators & NumLock) != 0)
        m_numLock = AddIndicator(QStringLiteral("NUM"));

    if (m_capsLock != nullptr || m_numLock != nullptr) {
        qApp->installEventFilter(this);
        m_readsLockState = readLockState().has_value();
        if (m_readsLockState) {
            m_poll = new QTimer(this);
            connect(m_poll, &QTimer::timeout, this, &TStatusBar::UpdateModeIndicators);
            m_poll->start(kPollMilliseconds);
        }
        UpdateModeIndicators();
    }
}

TStatusBar::~TStatusBar() {
    qApp->removeEventFilter(this);
}

QLabel* TStatusBar::AddIndicator(const QString& text) {
    auto* label = new QLabel(text, this);
    label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    // Wide enough for the text with a little room on either side.
    label->setMinimumWidth(label->sizeHint().width() + 2 * label->fontMetrics().averageCharWidth());
    addPermanentWidget(label);
    ShowIndicator(label, false);
    return label;
}

void TStatusBar::ShowIndicator(QLabel* label, bool on) {
    if (label == nullptr)
        return;
    label->setEnabled(on);
    label->setProperty("on", on);
}

void TStatusBar::paintEvent(QPaintEvent* /*event*/) {
    // The fields draw their own recessed borders; the style's item frames
    // would draw a second, different one around them.
}

void TStatusBar::SetIdleText(const QString& text) {
    m_idleText = text;
    if (m_hintId < 0)
        ShowText(text);
}

void TStatusBar::SetHintText(int id) {
    if (!m_hintMode)
        return;
    m_hintId = id;
    ShowText(LoadString(id));
}

void TStatusBar::ClearHintText() {
    m_hintId = -1;
    ShowText(m_idleText);
}

void TStatusBar::ShowMessage(const QString& text, int milliseconds) {
    ShowText(text);
    if (milliseconds > 0)
        QTimer::singleShot(milliseconds, this, [this, text] {
            if (m_hintId < 0 && GetText() == text)
                ShowText(m_idleText);
        });
}

QString TStatusBar::GetText() const {
    return m_text->text();
}

void TStatusBar::ShowText(const QString& text) {
    m_text->setText(text);
}

bool TStatusBar::GetModeIndicator(TModeIndicator indicator) const {
    const QLabel* label = ModeIndicatorLabel(indicator);
    return label != nullptr && label->property("on").toBool();
}

QLabel* TStatusBar::ModeIndicatorLabel(TModeIndicator indicator) const {
    switch (indicator) {
    case CapsLock:
        return m_capsLock;
    case NumLock:
        return m_numLock;
    }
    return nullptr;
}

void TStatusBar::UpdateModeIndicators() {
    const std::optional<LockState> state = readLockState();
    if (!state)
        return;
    ShowIndicator(m_capsLock, state->capsLock);
    ShowIndicator(m_numLock, state->numLock);
}

bool TStatusBar::eventFilter(QObject* watched, QEvent* event) {
    // Every key event comes through exactly one top-level window first, so
    // looking only there sees each key once however far it propagates.
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType()) {
        if (m_readsLockState) {
            UpdateModeIndicators();
        } else if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && key->key() == Qt::Key_CapsLock)
                ShowIndicator(m_capsLock, !GetModeIndicator(CapsLock));
            else if (!key->isAutoRepeat() && key->key() == Qt::Key_NumLock)
                ShowIndicator(m_numLock, !GetModeIndicator(NumLock));
        }
    } else if (type == QEvent::ApplicationActivate && m_readsLockState) {
        UpdateModeIndicators();
    }
    return false;
}
