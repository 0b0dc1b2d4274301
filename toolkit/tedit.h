// A single-line edit control of a dialog, with a text limit, the modified
// flag, and an optional validator (owned) that
//   - checks every typed character: the text as it would become must pass
//     IsValidInput, or the previous text is put back silently (Backspace,
//     Delete and editing shortcuts are not checked);
//   - checks the whole text (IsValid) when the dialog asks to close
//     (CanClose) and when the focus moves to another control of the dialog
//     that is not OK or Cancel; then the edit takes the focus back, by a
//     posted notice, and shows the validator's error box;
//   - with the voTransfer option, converts between the text and the
//     variable of the transfer buffer.
// Without a validator the transfer buffer is a character buffer of text
// limit bytes (Windows-1252 text ending in NUL).
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

    // The validator's full check of the text (true without a validator);
    // shows the validator's error box when it fails and `reportError`.
    bool IsValid(bool reportError = false);
    void ValidatorError();

    // A disabled edit passes; otherwise a text the validator refuses shows
    // its error, takes the focus and keeps the dialog open.
    bool CanClose() override;
    unsigned Transfer(void* buffer, TTransferDirection direction) override;

protected:
    void EvSetFocus() override;
    void EvKillFocus(QWidget* gettingFocus) override;
    bool EvKeyDown(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* LineEdit() const;

private:
    void TakeFocusBack();
    // Lets the edit process `event`; puts the previous text back when the
    // text grew past the limit, or when `typed` and the validator refuses it.
    void EditChecked(QEvent* event, bool typed);

    std::unique_ptr<TFilterValidator> m_validator;
    int m_textLimit;
    bool m_errorPending = false;
    // Set while an edit takes the focus back: the focus changes it causes
    // raise no notice of their own.
    static bool s_takingFocusBack;
};
