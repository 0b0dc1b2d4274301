// A modal dialog built from a template (TDialogTemplate) when constructed.
//
// Control objects (TEdit, TCheckBox, ...) attach to the template's controls
// by id after construction. Execute sets every control object up (each
// loads its variable), runs the dialog modally and returns the id of the
// button that closed it: IDOK through CmOk, which closes only when every
// control object agrees (CanClose) and then transfers their data; IDCANCEL
// for Cancel, Escape and the close box. A push button's click is the
// command of its id (EvCommand).
//
// The keyboard is pre-processed before the focused control sees a key:
// Enter runs the focused push button, or else the default button, and
// Escape cancels. Derived dialogs can change that in PreProcessKey.
//
// Notification messages (SendMessage) addressed to the dialog reach
// HandleMessage; the dialog handles DM_SETDEFID (wParam: the id of the new
// default button, reply 1) and answers 0 to everything else.
#pragma once

#include "toolkit/tcontrol.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QKeyEvent;
class TDialogTemplate;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

class TDialog : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog from resource ":/dialogs/<resId>.dlg". When the
    // template cannot be loaded the dialog is empty and Execute returns -1.
    TDialog(QWidget* parent, int resId);
    ~TDialog() override;

    int GetResId() const { return m_resId; }

    // Runs the dialog modally; the id of the button that closed it, or -1
    // when the template could not be loaded.
    int Execute();

    // Sets every control object up; Execute calls it before showing the
    // dialog. Derived dialogs extend it (and create their control objects
    // there, before calling the base).
    virtual void SetupWindow();
    // Asks every control object, in creation order; stops at the first that
    // refuses.
    virtual bool CanClose();
    // Every control object transfers with its variable.
    void TransferData(TTransferDirection direction);
    // Closes the dialog; Execute returns `retValue`.
    void CloseWindow(int retValue);

    // The template's control with this id (the first, if several share it),
    // null when there is none.
    QWidget* ChildWithId(int id) const;
    // The first and the last control of the template that can take the
    // focus (static texts and frames cannot).
    QWidget* FirstChild() const;
    QWidget* LastChild() const;
    // The control id of one of the template's widgets, 0 for other widgets.
    static int ControlId(const QWidget* widget);

    // Escape and the close box.
    void reject() override;

protected:
    // Command `id` (a push button's click, Enter, Escape): IDOK runs CmOk and
    // IDCANCEL CmCancel; other ids do nothing here.
    virtual void EvCommand(int id);
    virtual void CmOk();
    virtual void CmCancel();
    // Looks at a key before the focused control does; true when it is used
    // up here.
    virtual bool PreProcessKey(QKeyEvent* event);
    virtual long HandleMessage(unsigned message, unsigned long wParam, long lParam);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TControl;
    void AddControl(TControl* control);
    void Build(const TDialogTemplate& dialogTemplate);
    void SetDefaultId(int id);
    void PressButton(int id);

    int m_resId;
    bool m_loaded = false;
    int m_defaultId = IDOK;
    QList<QWidget*> m_widgets; // the template's controls, in template order
    QList<QPointer<TControl>> m_controls;
};
