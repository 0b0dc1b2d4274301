// A single-line edit control of a dialog, with a text limit, the modified
// flag, and an optional validator (owned).
//
// Every change the user makes to the text, whatever its way (typing, the
// paste keys, the context menu, dropping, the middle button's paste, an
// input method), is checked before it is shown, and a refused change leaves
// no trace (text, cursor, selection and modified flag stay as they were, no
// message): a change may not make the text longer than text limit - 1
// characters, and a change that brings characters in must leave a text the
// validator's IsValidInput accepts. Changes that only remove characters
// (Backspace, Delete, cutting) are not checked by the validator, and the
// program's own SetText and the user's undo are not checked at all.
//
// The validator also
//   - checks the text (IsValid) when the dialog asks to close (CanClose)
//     and when the focus moves to another control of the dialog that is not
//     OK or Cancel; then the edit takes the focus back, by a posted notice,
//     and shows the validator's error box;
//   - with the voTransfer option, converts between the text and the
//     variable of the transfer buffer.
// Without a validator the transfer buffer is a character buffer of text
// limit bytes (Windows-1252 text ending in NUL).
//
// The variable takes at most text limit - 1 characters of the text, and the
// checks look at exactly those characters: a longer text (only the program
// can set one) is judged by the value it stores.
#pragma once

#include "toolkit/tcontrol.h"
#include "toolkit/tfiltervalidator.h"

#include <QString>

#include <memory>

class QLineEdit;

class TEdit : public TControl {
    Q_OBJECT

public:
    // `textLimit` is the size of the text's buffer including its NUL: the
    // user can type at most textLimit - 1 characters; 0 for no limit.
    TEdit(TDialog* parent, int id, int textLimit = 0);
    ~TEdit() override;

    QString GetText() const;
    void SetText(const QString& text);

    int GetTextLimit() const { return m_textLimit; }
    void SetTextLimit(int textLimit) { m_textLimit = textLimit; }

    // Set when the user changed the text; setting the text clears it.
    bool IsModified() const;
    void ClearModify();

    // Selects the characters from `start` to `end` (clipped to the text).
    void SetSelection(int start, int end);

    // Takes ownership of `validator` (replacing the previous one).
    void SetValidator(TFilterValidator* validator);
    TFilterValidator* GetValidator() const { return m_validator.get(); }

    // The validator's full check of the text as the variable takes it (true
    // without a validator); shows the validator's error box when it fails
    // and `reportError`.
    bool IsValid(bool reportError = false);
    void ValidatorError();

    // A disabled edit passes; otherwise a text the validator refuses shows
    // its error, takes the focus and keeps the dialog open.
    bool CanClose() override;
    unsigned Transfer(void* buffer, TTransferDirection direction) override;

protected:
    void EvSetFocus() override;
    void EvKillFocus(QWidget* gettingFocus) override;

    QLineEdit* LineEdit() const;

private:
    class InputCheck;

    void TakeFocusBack();
    // The text as the variable takes it: at most text limit - 1 characters.
    QString StoredText() const;
    // Whether the user's change of the text from the one shown to `text`
    // may stand.
    bool AcceptsChange(const QString& text) const;

    std::unique_ptr<TFilterValidator> m_validator;
    int m_textLimit;
    // The text shown before the change being checked.
    QString m_shownText;
    bool m_errorPending = false;
    // Set while an edit takes the focus back: the focus changes it causes
    // raise no notice of their own.
    static bool s_takingFocusBack;
};
