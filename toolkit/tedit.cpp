#include "toolkit/tedit.h"

#include "model/windows1252.h"
#include "toolkit/tdialog.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <cstring>
#include <string>

bool TEdit::s_takingFocusBack = false;

namespace {

// Whether `after` is `before` with one run of characters taken out (or the
// same text): such a change brings no character in.
bool onlyRemoves(const QString& before, const QString& after) {
    if (after.size() > before.size())
        return false;
    qsizetype prefix = 0;
    while (prefix < after.size() && after.at(prefix) == before.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < after.size() - prefix &&
           after.at(after.size() - 1 - suffix) == before.at(before.size() - 1 - suffix))
        ++suffix;
    return prefix + suffix == after.size();
}

} // namespace

// The line edit asks its validator about every change of its text before
// the change is shown and takes a refused one back itself, with the cursor,
// the selection and the modified flag it had: whatever way the change came,
// it passes here.
class TEdit::InputCheck : public QValidator {
public:
    explicit InputCheck(TEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int& /*position*/) const override {
        return m_edit->AcceptsChange(input) ? Acceptable : Invalid;
    }

private:
    TEdit* m_edit;
};

TEdit::TEdit(TDialog* parent, int id, int textLimit)
    : TControl(parent, id), m_textLimit(textLimit) {
    QLineEdit* edit = LineEdit();
    if (edit == nullptr)
        return;
    m_shownText = edit->text();
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_shownText = text; });
    edit->setValidator(new InputCheck(this));
}

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

QString TEdit::StoredText() const {
    QString text = GetText();
    if (m_textLimit > 0)
        text.truncate(m_textLimit - 1);
    return text;
}

bool TEdit::AcceptsChange(const QString& text) const {
    const QLineEdit* edit = LineEdit();
    // Only the user's new input leaves a step to undo and none to redo: the
    // program's SetText clears both, and an undo returns to a text the edit
    // had shown before.
    if (edit == nullptr || !edit->isUndoAvailable() || edit->isRedoAvailable())
        return true;
    if (m_textLimit > 0 && text.size() > m_textLimit - 1 && text.size() > m_shownText.size())
        return false;
    return m_validator == nullptr || onlyRemoves(m_shownText, text) ||
           m_validator->IsValidInput(text);
}

bool TEdit::IsValid(bool reportError) {
    if (m_validator == nullptr)
        return true;
    const bool valid = m_validator->IsValid(StoredText());
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
            text = StoredText();
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
        std::string bytes = zolt::utf8ToWindows1252(StoredText().toStdString());
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
