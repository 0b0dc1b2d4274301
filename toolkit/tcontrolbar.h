// A tool bar of bitmap buttons and separators. Each button sends a command
// id and shows the bitmap resource of the same number (":/icons/<id>.svg");
// with enter hints on, the pointer entering a button announces its id as a
// hint (the status bar then shows the string of that id) and leaving it
// ends the hint.
#pragma once

#include <QList>
#include <QToolBar>

class QToolButton;

class TControlBar : public QToolBar {
    Q_OBJECT

public:
    enum THintMode { NoHints, EnterHints };

    explicit TControlBar(QWidget* parent = nullptr);

    // Appends a button for command `id`; its tool tip is string `id`.
    QToolButton* InsertButton(int id);
    // Appends a gap of `width` pixels with an etched line in its middle.
    QWidget* InsertSeparator(int width);

    void SetHintMode(THintMode mode) { m_hintMode = mode; }
    THintMode GetHintMode() const { return m_hintMode; }

    // The button of command `id`, null when there is none.
    QToolButton* Button(int id) const;
    // What the bar holds from left to right: the command ids of the
    // buttons, 0 for each separator.
    QList<int> Layout() const;

    // The bitmap resource `id` as an icon (null when there is none).
    static QIcon Bitmap(int id);

signals:
    void commandSelected(int id);
    void hint(int id);
    void hintEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Gadget {
        int id;          // 0 for a separator
        QWidget* widget; // the button or the separator
    };
    QList<Gadget> m_gadgets;
    THintMode m_hintMode = NoHints;
};
