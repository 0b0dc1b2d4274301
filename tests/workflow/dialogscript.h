// Drives the modal dialogs that a command opens: each step runs on the
// active modal TDialog as soon as it is shown and active, one step at a
// time; message boxes meanwhile are recorded and closed by a BoxCloser.
#pragma once

#include "toolkit/tdialog.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

class QLineEdit;

class DialogScript : public QObject {
    Q_OBJECT

public:
    using Step = std::function<void(TDialog&)>;

    DialogScript();

    DialogScript& then(Step step);
    bool finished() const { return m_steps.empty() && !m_busy; }

    // Common steps.
    static Step type(int id, const QString& text);       // focus the field, type over it
    static Step press(int id);                           // click a button
    static Step expectCaption(const QString& caption);   // no action
    static Step expectText(int id, const QString& text); // compare a control's text

private:
    void poll();

    std::deque<Step> m_steps;
    bool m_busy = false;
    QTimer m_timer;
};

QLineEdit* lineEditOf(const TDialog& dialog, int id);
