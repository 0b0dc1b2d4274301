#include "toolkit/tdialog.h"

#include "toolkit/tdialogtemplate.h"
#include "toolkit/tdialogunits.h"
#include "toolkit/tmessageevent.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtDebug>

namespace {

const char* const kControlIdProperty = "controlId";

bool isEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TDialog::TDialog(QWidget* parent, int resId) : QDialog(parent), m_resId(resId) {
    QString error;
    const std::optional<TDialogTemplate> dialogTemplate = TDialogTemplate::Load(resId, &error);
    if (dialogTemplate) {
        Build(*dialogTemplate);
        m_loaded = true;
    } else {
        qWarning("dialog %d: %s", resId, qPrintable(error));
    }
    qApp->installEventFilter(this);
}

TDialog::~TDialog() {
    qApp->removeEventFilter(this);
    for (const QPointer<TControl>& control : std::as_const(m_controls)) {
        if (control != nullptr)
            control->Detach();
    }
}

void TDialog::Build(const TDialogTemplate& dialogTemplate) {
    using Kind = TDialogTemplate::Kind;
    setWindowTitle(dialogTemplate.caption);
    const QFont font = dialogTemplate.Font();
    setFont(font);
    const TDialogUnits units = TDialogUnits::FromFont(font);
    setFixedSize(units.ToPixelsX(dialogTemplate.size.width()),
                 units.ToPixelsY(dialogTemplate.size.height()));

    QButtonGroup* radioGroup = nullptr;
    bool haveDefault = false;
    QList<QWidget*> frames;
    for (const TDialogTemplate::Control& item : dialogTemplate.controls) {
        QWidget* widget = nullptr;
        switch (item.kind) {
        case Kind::LeftText:
        case Kind::CenterText: {
            auto* label = new QLabel(item.text, this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignTop |
                                (item.kind == Kind::CenterText ? Qt::AlignHCenter : Qt::AlignLeft));
            widget = label;
            break;
        }
        case Kind::Edit:
            widget = new QLineEdit(item.text, this);
            break;
        case Kind::PushButton:
        case Kind::DefPushButton: {
            auto* button = new QPushButton(item.text, this);
            const int id = item.id;
            connect(button, &QPushButton::clicked, this, [this, id] { EvCommand(id); });
            if (item.kind == Kind::DefPushButton && !haveDefault) {
                haveDefault = true;
                m_defaultId = id;
                button->setDefault(true);
            }
            widget = button;
            break;
        }
        case Kind::RadioButton: {
            auto* button = new QRadioButton(item.text, this);
            if (radioGroup == nullptr)
                radioGroup = new QButtonGroup(this);
            radioGroup->addButton(button);
            widget = button;
            break;
        }
        case Kind::CheckBox:
            widget = new QCheckBox(item.text, this);
            break;
        case Kind::GroupBox:
            widget = new QGroupBox(item.text, this);
            frames.append(widget);
            break;
        }
        if (item.kind != Kind::RadioButton)
            radioGroup = nullptr;
        widget->setGeometry(units.ToPixels(item.rect));
        widget->setProperty(kControlIdProperty, item.id);
        m_widgets.append(widget);
    }
    // Frames are drawn behind the controls they surround.
    for (QWidget* frame : std::as_const(frames))
        frame->lower();
}

int TDialog::Execute() {
    if (!m_loaded)
        return -1;
    SetupWindow();
    if (QWidget* first = FirstChild())
        first->setFocus(Qt::OtherFocusReason);
    return exec();
}

void TDialog::SetupWindow() {
    const QList<QPointer<TControl>> controls = m_controls;
    for (const QPointer<TControl>& control : controls) {
        if (control != nullptr)
            control->SetupWindow();
    }
}

bool TDialog::CanClose() {
    const QList<QPointer<TControl>> controls = m_controls;
    for (const QPointer<TControl>& control : controls) {
        if (control != nullptr && !control->CanClose())
            return false;
    }
    return true;
}

void TDialog::TransferData(TTransferDirection direction) {
    const QList<QPointer<TControl>> controls = m_controls;
    for (const QPointer<TControl>& control : controls) {
        if (control != nullptr)
            control->TransferData(direction);
    }
}

void TDialog::CloseWindow(int retValue) {
    done(retValue);
}

QWidget* TDialog::ChildWithId(int id) const {
    for (QWidget* widget : m_widgets) {
        if (ControlId(widget) == id)
            return widget;
    }
    return nullptr;
}

QWidget* TDialog::FirstChild() const {
    for (QWidget* widget : m_widgets) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->isEnabled() && !widget->isHidden())
            return widget;
    }
    return nullptr;
}

QWidget* TDialog::LastChild() const {
    for (auto it = m_widgets.crbegin(); it != m_widgets.crend(); ++it) {
        QWidget* widget = *it;
        if (widget->focusPolicy() != Qt::NoFocus && widget->isEnabled() && !widget->isHidden())
            return widget;
    }
    return nullptr;
}

int TDialog::ControlId(const QWidget* widget) {
    if (widget == nullptr)
        return 0;
    const QVariant id = widget->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

void TDialog::reject() {
    CmCancel();
}

void TDialog::EvCommand(int id) {
    if (id == IDOK)
        CmOk();
    else if (id == IDCANCEL)
        CmCancel();
}

void TDialog::CmOk() {
    if (!CanClose())
        return;
    TransferData(tdGetData);
    CloseWindow(IDOK);
}

void TDialog::CmCancel() {
    CloseWindow(IDCANCEL);
}

bool TDialog::PreProcessKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        EvCommand(IDCANCEL);
        return true;
    }
    if (isEnterKey(event)) {
        int id = m_defaultId;
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            button != nullptr && button->window() == this) {
            id = ControlId(button);
        }
        PressButton(id);
        return true;
    }
    return false;
}

void TDialog::PressButton(int id) {
    if (auto* button = qobject_cast<QPushButton*>(ChildWithId(id))) {
        if (button->isEnabled())
            button->click();
        return;
    }
    EvCommand(id);
}

long TDialog::HandleMessage(unsigned message, unsigned long wParam, long /*lParam*/) {
    if (message == DM_SETDEFID) {
        SetDefaultId(static_cast<int>(wParam));
        return 1;
    }
    return 0;
}

void TDialog::SetDefaultId(int id) {
    m_defaultId = id;
    if (auto* button = qobject_cast<QPushButton*>(ChildWithId(id))) {
        button->setDefault(true);
        return;
    }
    for (QWidget* widget : std::as_const(m_widgets)) {
        if (auto* other = qobject_cast<QPushButton*>(widget))
            other->setDefault(false);
    }
}

bool TDialog::event(QEvent* event) {
    if (event->type() == TMessageEvent::EventType()) {
        auto* message = static_cast<TMessageEvent*>(event);
        message->SetReply(HandleMessage(message->Message(), message->WParam(), message->LParam()));
        return true;
    }
    return QDialog::event(event);
}

bool TDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this || !isVisible())
        return false;
    // A key that the focused control passed on to the dialog was seen when
    // it reached the control.
    if (widget == this && focusWidget() != nullptr)
        return false;
    return PreProcessKey(static_cast<QKeyEvent*>(event));
}

void TDialog::keyPressEvent(QKeyEvent* event) {
    // Enter is the dialog's only when PreProcessKey takes it; a control that
    // ignores it leaves it unused.
    if (isEnterKey(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDialog::AddControl(TControl* control) {
    m_controls.removeAll(QPointer<TControl>());
    m_controls.append(control);
}
