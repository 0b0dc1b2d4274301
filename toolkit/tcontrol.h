// A control object of a dialog: the program's object attached to one control
// of the dialog's template, found by its control id. The dialog keeps its
// control objects in creation order and asks them, in that order, whether
// the dialog may close, to transfer their data and to set themselves up.
//
// The object watches its widget: focus changes, key presses and the
// notification messages addressed to the widget reach the virtual handlers
// below. It lives as long as the widget does (it is the widget's child), so
// the dialog destroys it with itself.
#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;
class TDialog;

enum TTransferDirection { tdGetData, tdSetData };

class TControl : public QObject {
    Q_OBJECT

public:
    // Attaches to the control `id` of `parent`; when the template has no
    // such control the object stays detached and does nothing. A control
    // that already had an object gets this one instead.
    TControl(TDialog* parent, int id);
    ~TControl() override;

    int GetId() const { return m_id; }
    TDialog* GetParentDialog() const;
    // The widget, null when detached.
    QWidget* GetHandle() const;

    // The variable the control transfers to and from; null for none.
    void SetTransferBuffer(void* buffer) { m_transferBuffer = buffer; }
    void* GetTransferBuffer() const { return m_transferBuffer; }
    // Transfer with the control's own buffer, when it has one.
    void TransferData(TTransferDirection direction);

    void SetFocus();

    // Whether the dialog may close; true unless overridden.
    virtual bool CanClose();
    // Copies between the control and `buffer`; returns the number of bytes
    // of the variable, 0 when nothing is transferred.
    virtual unsigned Transfer(void* buffer, TTransferDirection direction);
    // Called by the dialog each time it is about to show: transfers the
    // variable into the control.
    virtual void SetupWindow();

    // Stops watching the widget (the dialog calls it when it is destroyed).
    void Detach();

protected:
    virtual void EvSetFocus() {}
    // `gettingFocus` is the widget that takes the focus, null when the
    // focus leaves the application.
    virtual void EvKillFocus(QWidget* gettingFocus);
    // True when the key was handled and the widget must not see it.
    virtual bool EvKeyDown(QKeyEvent* event);
    virtual long HandleMessage(unsigned message, unsigned long wParam, long lParam);

    // Lets the widget itself process `event` now, without event filters or
    // propagation to its parent (the default processing of an event a
    // handler is looking at); returns the widget's answer.
    bool DefaultProcessing(QEvent* event);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TDialog> m_parent;
    int m_id;
    QPointer<QWidget> m_widget;
    void* m_transferBuffer = nullptr;
};
