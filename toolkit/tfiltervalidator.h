// A validator that admits the characters of a set. Edits (TEdit) ask it
// after every typed character (IsValidInput) and when the text must be
// complete (IsValid), show its error (Error) and, with the voTransfer
// option, let it convert between their text and their variable (Transfer).
// Derived validators add their own rules and conversion.
#pragma once

#include "toolkit/tcontrol.h"

#include <QString>

#include <bitset>

class QWidget;

constexpr unsigned voTransfer = 0x0001; // data transfer goes through the validator

class TFilterValidator {
public:
    // `validChars` lists characters and ranges: "0-9.-" is the ten digits,
    // '.' and '-' (a '-' that cannot be a range stands for itself).
    explicit TFilterValidator(const QString& validChars);
    virtual ~TFilterValidator();

    TFilterValidator(const TFilterValidator&) = delete;
    TFilterValidator& operator=(const TFilterValidator&) = delete;

    // The message box for a refused text: the application's name as
    // caption, the warning icon, ErrorText, one OK button.
    virtual void Error(QWidget* owner);
    // Whether a text being typed may stand; by default every character must
    // be in the set. An empty text passes.
    virtual bool IsValidInput(const QString& text);
    // Whether a finished text is valid; by default every character must be
    // in the set.
    virtual bool IsValid(const QString& text);
    // Converts `text` into the variable at `buffer` (tdGetData) or the
    // variable into `text` (tdSetData); the number of bytes of the variable,
    // 0 when nothing was transferred (the default).
    virtual unsigned Transfer(QString& text, void* buffer, TTransferDirection direction);
    // The text of the error box.
    virtual QString ErrorText() const;

    void SetOption(unsigned option) { m_options |= option; }
    void UnsetOption(unsigned option) { m_options &= ~option; }
    bool HasOption(unsigned option) const { return (m_options & option) != 0; }

    bool HasValidChar(QChar ch) const;

protected:
    void AddValidChar(unsigned char ch) { m_validChars.set(ch); }
    void RemoveValidChar(unsigned char ch) { m_validChars.reset(ch); }
    // Every character of `text` is in the set.
    bool HasOnlyValidChars(const QString& text) const;

private:
    std::bitset<256> m_validChars;
    unsigned m_options = 0;
};
