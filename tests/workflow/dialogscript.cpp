#include "dialogscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

DialogScript::DialogScript() {
    connect(&m_timer, &QTimer::timeout, this, &DialogScript::poll);
    m_timer.start(5);
}

DialogScript& DialogScript::then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

void DialogScript::poll() {
    if (m_busy || m_steps.empty())
        return;
    auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || QApplication::activeWindow() != dialog)
        return;
    m_busy = true;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    // Run outside this timer's slot: a step may open a nested modal loop.
    QPointer<TDialog> guard(dialog);
    QTimer::singleShot(0, this, [this, step = std::move(step), guard] {
        if (guard != nullptr)
            step(*guard);
        m_busy = false;
    });
}

QLineEdit* lineEditOf(const TDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.ChildWithId(id));
}

DialogScript::Step DialogScript::type(int id, const QString& text) {
    return [id, text](TDialog& dialog) {
        QLineEdit* edit = lineEditOf(dialog, id);
        QVERIFY2(edit != nullptr, qPrintable(QStringLiteral("no edit %1").arg(id)));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    };
}

DialogScript::Step DialogScript::press(int id) {
    return [id](TDialog& dialog) {
        auto* button = qobject_cast<QAbstractButton*>(dialog.ChildWithId(id));
        QVERIFY2(button != nullptr, qPrintable(QStringLiteral("no button %1").arg(id)));
        // A mouse click moves the focus as a person's would, so the field
        // being left commits its value first. Radio buttons and check boxes
        // take clicks on their indicator.
        const bool indicator = button->inherits("QRadioButton") || button->inherits("QCheckBox");
        QTest::mouseClick(button, Qt::LeftButton, {},
                          indicator ? QPoint(8, button->height() / 2) : QPoint());
    };
}

DialogScript::Step DialogScript::expectCaption(const QString& caption) {
    return [caption](TDialog& dialog) { QCOMPARE(dialog.windowTitle(), caption); };
}

DialogScript::Step DialogScript::expectText(int id, const QString& text) {
    return [id, text](TDialog& dialog) {
        QWidget* widget = dialog.ChildWithId(id);
        QVERIFY2(widget != nullptr, qPrintable(QStringLiteral("no control %1").arg(id)));
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(edit->text(), text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), text);
    };
}
