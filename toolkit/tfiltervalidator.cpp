#include "toolkit/tfiltervalidator.h"

#include "toolkit/tmessagebox.h"

TFilterValidator::TFilterValidator(const QString& validChars) {
    const qsizetype n = validChars.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t first = validChars.at(i).unicode();
        if (i + 2 < n && validChars.at(i + 1) == u'-') {
            const char16_t last = validChars.at(i + 2).unicode();
            for (char16_t ch = first; ch <= last && ch < 256; ++ch)
                m_validChars.set(ch);
            i += 2;
        } else if (first < 256) {
            m_validChars.set(first);
        }
    }
}

TFilterValidator::~TFilterValidator() = default;

void TFilterValidator::Error(QWidget* owner) {
    ShowMessageBox(ErrorText(), QMessageBox::Warning, owner);
}

bool TFilterValidator::IsValidInput(const QString& text) {
    return HasOnlyValidChars(text);
}

bool TFilterValidator::IsValid(const QString& text) {
    return HasOnlyValidChars(text);
}

unsigned TFilterValidator::Transfer(QString& /*text*/, void* /*buffer*/,
                                    TTransferDirection /*direction*/) {
    return 0;
}

QString TFilterValidator::ErrorText() const {
    return QStringLiteral("Carattere non valido nel campo.");
}

bool TFilterValidator::HasValidChar(QChar ch) const {
    const char16_t code = ch.unicode();
    return code < 256 && m_validChars.test(code);
}

bool TFilterValidator::HasOnlyValidChars(const QString& text) const {
    for (const QChar ch : text) {
        if (!HasValidChar(ch))
            return false;
    }
    return true;
}
