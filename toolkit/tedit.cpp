#include "toolkit/tedit.h"

#include "model/windows1252.h"
#include "toolkit/tdialog.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstring>
#include <string>

bool TEdit::s_takingFocusBack = false;

namespace {

// A key that types a character (not Backspace, Delete or a shortcut).
bool typesCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

TEdit::TEdit(TDialog* parent, int id, int textLimit)
    : TControl(parent, id), m_textLimit(textLimit) {}

TEdit::~TEdit() = default;

QLineEdit* TEdit::LineEdit() const {
    return qobject_cast<QLineEdit*>(GetHandle());
}

QString TEdit::GetText() const {
    const QLineEdit* edit = LineEdit();
    return edit != nullptr ? edit->text() : QString();
}

void TEdit::SetText(const QString& text) {
    if (QLineEdit* edit = LineEdit())
        edit->setText(text);
}

bool TEdit::IsModified() const {
    const QLineEdit* edit = LineEdit();
    return edit != nullptr && edit->isModified();
}

void TEdit::ClearModify() {
    if (QLineEdit* edit = LineEdit())
        edit->setModified(false);
}

void TEdit::SetSelection(int start, int end) {
    QLineEdit* edit = LineEdit();
    if (edit == nullptr)
        return;
    const int length = static_cast<int>(edit->text().size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    edit->setSelection(start, end - start);
}

void TEdit::SetValidator(TFilterValidator* validator) {
    m_validator.reset(validator);
}

bool TEdit::IsValid(bool reportError) {
    if (m_validator == nullptr)
        return true;
    const bool valid = m_validator->IsValid(GetText());
    if (!valid && reportError)
        ValidatorError();
    return valid;
}

void TEdit::ValidatorError() {
    if (m_validator != nullptr)
        m_validator->Error(GetParentDialog());
}

bool TEdit::CanClose() {
    const QLineEdit* edit = LineEdit();
    if (edit == nullptr || !edit->isEnabled())
        return true;
    if (IsValid(false))
        return true;
    ValidatorError();
    SetFocus();
    return false;
}

unsigned TEdit::Transfer(void* buffer, TTransferDirection direction) {
    // Without its edit control there is no text to transfer: the variable
    // keeps its value.
    if (buffer == nullptr || LineEdit() == nullptr)
        return 0;
    if (m_validator != nullptr && m_validator->HasOption(voTransfer)) {
        QString text;
        if (direction == tdGetData) {
            text = GetText();
            if (m_textLimit > 0)
                text.truncate(m_textLimit - 1);
            return m_validator->Transfer(text, buffer, tdGetData);
        }
        const unsigned size = m_validator->Transfer(text, buffer, tdSetData);
        if (size != 0)
            SetText(text);
        return size;
    }
    // A plain edit: the buffer holds text limit bytes.
    if (m_textLimit <= 0)
        return 0;
    const auto limit = static_cast<std::size_t>(m_textLimit);
    char* chars = static_cast<char*>(buffer);
    if (direction == tdGetData) {
        std::string bytes = zolt::utf8ToWindows1252(GetText().left(m_textLimit - 1).toStdString());
        bytes.resize(std::min(bytes.size(), limit - 1));
        std::memcpy(chars, bytes.data(), bytes.size());
        chars[bytes.size()] = '\0';
    } else {
        const std::size_t length = ::strnlen(chars, limit);
        SetText(QString::fromStdString(zolt::windows1252ToUtf8(std::string_view(chars, length))));
    }
    return static_cast<unsigned>(limit);
}

void TEdit::EvSetFocus() {
    m_errorPending = false;
}

void TEdit::EvKillFocus(QWidget* gettingFocus) {
    if (m_validator == nullptr || m_errorPending || s_takingFocusBack)
        return;
    // Only a move to another control of the same dialog is checked: OK and
    // Cancel run their own checks, and other windows (a message box, another
    // program) may take the focus at any time.
    const TDialog* dialog = GetParentDialog();
    if (gettingFocus == nullptr || dialog == nullptr || gettingFocus->window() != dialog)
        return;
    const int id = TDialog::ControlId(gettingFocus);
    if (id == IDOK || id == IDCANCEL || IsValid(false))
        return;
    m_errorPending = true;
    QMetaObject::invokeMethod(this, &TEdit::TakeFocusBack, Qt::QueuedConnection);
}

void TEdit::TakeFocusBack() {
    const TDialog* dialog = GetParentDialog();
    if (LineEdit() == nullptr || dialog == nullptr || !dialog->isVisible()) {
        m_errorPending = false;
        return;
    }
    s_takingFocusBack = true;
    SetFocus();
    ValidatorError();
    s_takingFocusBack = false;
}

bool TEdit::EvKeyDown(QKeyEvent* event) {
    if (LineEdit() == nullptr)
        return false;
    EditChecked(event, typesCharacter(event));
    return true;
}

bool TEdit::eventFilter(QObject* watched, QEvent* event) {
    // Characters composed by an input method arrive without a key press.
    if (watched == GetHandle() && LineEdit() != nullptr && event->type() == QEvent::InputMethod &&
        !static_cast<QInputMethodEvent*>(event)->commitString().isEmpty()) {
        EditChecked(event, true);
        return true;
    }
    return TControl::eventFilter(watched, event);
}

void TEdit::EditChecked(QEvent* event, bool typed) {
    QLineEdit* edit = LineEdit();
    const QString before = edit->text();
    const int cursor = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = static_cast<int>(edit->selectedText().size());
    const bool modified = edit->isModified();

    DefaultProcessing(event);

    const QString after = edit->text();
    if (after == before)
        return;
    bool refused =
        m_textLimit > 0 && after.size() > m_textLimit - 1 && after.size() > before.size();
    if (!refused && typed && m_validator != nullptr)
        refused = !m_validator->IsValidInput(after);
    if (!refused)
        return;
    // Put the previous text back as it was, with its cursor, selection and
    // modified flag.
    edit->setText(before);
    if (selectionLength > 0 && cursor == selectionStart)
        edit->setSelection(selectionStart + selectionLength, -selectionLength);
    else if (selectionLength > 0)
        edit->setSelection(selectionStart, selectionLength);
    else
        edit->setCursorPosition(cursor);
    edit->setModified(modified);
}
