// The status bar of a decorated frame: a recessed text field and, on its
// right, the mode indicators asked for (Caps Lock, Num Lock).
//
// The text field shows the idle text until a hint is asked for: SetHintText
// shows the string resource whose id is the command id of the highlighted
// menu item or tool-bar button, ClearHintText goes back to the idle text.
//
// The indicators follow the keyboard's real lock state where the platform
// lets the program read it (X11, through XKB); elsewhere they follow the
// lock keys pressed in the program's windows, starting from "off". An
// indicator that is off shows its text greyed.
#pragma once

#include <QStatusBar>
#include <QString>

class QLabel;
class QTimer;

class TStatusBar : public QStatusBar {
    Q_OBJECT

public:
    enum TModeIndicator : unsigned { CapsLock = 0x1, NumLock = 0x2 };

    // `modeIndicators`: the TModeIndicator values OR'ed together.
    explicit TStatusBar(QWidget* parent = nullptr, unsigned modeIndicators = 0);
    ~TStatusBar() override;

    // Whether SetHintText shows hints; on by default.
    void SetHintMode(bool on) { m_hintMode = on; }
    bool GetHintMode() const { return m_hintMode; }

    void SetIdleText(const QString& text);
    QString GetIdleText() const { return m_idleText; }

    // Shows string `id` (an empty field for an id without string) until
    // ClearHintText.
    void SetHintText(int id);
    void ClearHintText();
    // The hint shown, -1 for none (the idle text).
    int GetHintId() const { return m_hintId; }

    // Shows `text` until the next hint, for `milliseconds` when positive;
    // then the idle text again.
    void ShowMessage(const QString& text, int milliseconds = 0);

    // The text the field shows now.
    QString GetText() const;

    // Whether the indicator is there and shows "on".
    bool GetModeIndicator(TModeIndicator indicator) const;
    // The indicator's widget, null when it was not asked for.
    QLabel* ModeIndicatorLabel(TModeIndicator indicator) const;
    // Whether the indicators read the keyboard's state (true) or follow
    // the lock keys (false).
    bool ReadsLockState() const { return m_readsLockState; }
    // Reads the lock state again, where the platform allows it.
    void UpdateModeIndicators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* AddIndicator(const QString& text);
    void ShowIndicator(QLabel* label, bool on);
    void ShowText(const QString& text);

    QLabel* m_text;
    QLabel* m_capsLock = nullptr;
    QLabel* m_numLock = nullptr;
    QTimer* m_poll = nullptr;
    QString m_idleText;
    int m_hintId = -1;
    bool m_hintMode = true;
    bool m_readsLockState = false;
};
