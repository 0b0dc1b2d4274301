#include "verification/verification_dialog.h"

#include "controls/controlmessages.h"
#include "controls/tovradiobutton.h"
#include "model/project.h"
#include "verification/approach_choice.h"

#include <QAbstractButton>

#include <iterator>

namespace zolt {

namespace {

// The method belongs to the analysis settings and marks them as the
// analysis dialog does; the approach belongs to the project file, whose
// changes are judged on its text.
constexpr std::int16_t kAnalysisChangeFlags = 1;
constexpr std::int16_t kNoChangeFlags = 0;
constexpr int kControlsPerHundred = 100; // WM_CTLCHANGED carries the id modulo 100
// The mnemonic of each approach, in the order of design::approaches(): the
// digit of the EC7 design approach, T for NTC (N is the window menu's).
constexpr char kApproachMnemonics[] = {'T', '1', '2', '3'};

} // namespace

std::int32_t ApproachIndex(const design::Approach* approach) {
    const auto all = design::approaches();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (&all[i] == approach)
            return static_cast<std::int32_t>(i);
    }
    return 0;
}

QString ApproachButtonText(std::size_t index) {
    const design::Approach& approach = design::approaches()[index];
    QString text =
        QString::fromUtf8(approach.label.data(), static_cast<qsizetype>(approach.label.size()));
    if (index < std::size(kApproachMnemonics)) {
        const qsizetype at = text.indexOf(QLatin1Char(kApproachMnemonics[index]));
        if (at >= 0)
            text.insert(at, QLatin1Char('&'));
    }
    return text;
}

VerificationDialog::VerificationDialog(QWidget* parent) : TOvDialog(parent, kResourceId) {
    HelpContext = kHelpContext;
    const auto all = design::approaches();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (auto* button = qobject_cast<QAbstractButton*>(
                ChildWithId(kFirstApproachButton + static_cast<int>(i))))
            button->setText(ApproachButtonText(i));
    }
}

void VerificationDialog::SetupWindow() {
    CreateControls();
    TOvDialog::SetupWindow();
}

void VerificationDialog::CreateControls() {
    m_approach = ApproachIndex(&ProjectApproach());
    const auto count = static_cast<std::int32_t>(design::approaches().size());
    for (std::int32_t i = 0; i < count; ++i)
        new TOvRadioButton(this, kFirstApproachButton + i, &m_approach, i, kNoChangeFlags);
    for (std::int32_t method = Terzaghi; method <= Vesic; ++method)
        new TOvRadioButton(this, kFirstMethodButton + method, &analysisSettings.method, method,
                           kAnalysisChangeFlags);
}

const design::Approach& VerificationDialog::Approach() const {
    return design::approaches()[static_cast<std::size_t>(m_approach)];
}

long VerificationDialog::HandleMessage(unsigned message, unsigned long wParam, long lParam) {
    if (message == WM_CTLCHANGED) {
        const auto first = static_cast<unsigned long>(kFirstApproachButton % kControlsPerHundred);
        if (wParam >= first && wParam < first + design::approaches().size())
            SetChosenApproach(&Approach());
        return 0; // no update, no modified notice
    }
    if (message == WM_CTLUPDATE)
        return 0;
    return TOvDialog::HandleMessage(message, wParam, lParam);
}

} // namespace zolt
