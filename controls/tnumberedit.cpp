#include "controls/tnumberedit.h"

#include "controls/controlmessages.h"
#include "controls/fieldorder.h"
#include "toolkit/tfiltervalidator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <limits>

TNumberEdit::TNumberEdit(TDialog* parent, int id, int textLimit, TFilterValidator* validator,
                         void* variable, std::int16_t changeFlags)
    : TEdit(parent, id, textLimit), m_changeFlags(changeFlags) {
    validator->SetOption(voTransfer);
    SetValidator(validator);
    if (variable != nullptr)
        SetTransferBuffer(variable);
    // No window yet: the first real display happens at the dialog's set-up.
    TransferData(tdSetData);
}

TNumberEdit::~TNumberEdit() = default;

bool TNumberEdit::CanClose() {
    TransferData(tdGetData);
    return TEdit::CanClose();
}

void TNumberEdit::EvKillFocus(QWidget* gettingFocus) {
    CommitEditChange(*this, m_changeFlags);
    TEdit::EvKillFocus(gettingFocus);
    NotifyClient(WM_CTLFOCUS, 0);
}

void TNumberEdit::EvSetFocus() {
    const int id = GetId();
    TEdit::EvSetFocus();
    SelectAll();
    NotifyClient(WM_CTLFOCUS, static_cast<unsigned long>(id));
}

void TNumberEdit::SelectAll() {
    SetSelection(0, std::numeric_limits<int>::max());
}

bool TNumberEdit::EvKeyDown(QKeyEvent* event) {
    if (MoveFocusInFieldOrder(*this, event)) {
        event->accept();
        return true;
    }
    return TEdit::EvKeyDown(event);
}

bool TNumberEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != GetHandle())
        return TEdit::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // The press that gives the focus also places the caret where it
        // was pressed, after the focus gain selected the whole text: the
        // text is selected again when that press ends.
        m_focusedByMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        break;
    case QEvent::FocusOut:
        m_focusedByMouse = false;
        break;
    case QEvent::MouseButtonRelease: {
        const bool focusingClick =
            m_focusedByMouse && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        m_focusedByMouse = false;
        const QLineEdit* edit = LineEdit();
        if (!focusingClick || edit == nullptr)
            break;
        DefaultProcessing(event);
        // A drag of that press chose its own selection.
        if (!edit->hasSelectedText())
            SelectAll();
        return true;
    }
    default:
        break;
    }
    return TEdit::eventFilter(watched, event);
}
