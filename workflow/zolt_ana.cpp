#include "workflow/zolt_ana.h"

#include "controls/controlmessages.h"
#include "controls/tovradiobutton.h"
#include "controls/trealedit.h"
#include "model/project.h"
#include "workflow/input_fields.h"

namespace {

constexpr std::int16_t kAnalysisChangeFlags = 1;
constexpr int kFirstMethodButton = 301; // 301..304: Terzaghi, Meyerhof, Hansen, Vesic
constexpr int kSafetyFactorEdit = 305;
constexpr int kSafetyFactorTextLimit = 7;
constexpr std::int16_t kSafetyFactorDecimals = 2;
constexpr std::int16_t kDoubleValue = 0;

} // namespace

Zolt_Ana::Zolt_Ana(QWidget* parent) : TOvDialog(parent, kResourceId) {
    HelpContext = kHelpContext;
}

void Zolt_Ana::SetupWindow() {
    CreateControls();
    TOvDialog::SetupWindow();
}

void Zolt_Ana::CreateControls() {
    for (std::int32_t method = zolt::Terzaghi; method <= zolt::Vesic; ++method)
        new TOvRadioButton(this, kFirstMethodButton + method, &zolt::analysisSettings.method,
                           method, kAnalysisChangeFlags);
    new TRealEdit(this, kSafetyFactorEdit, &zolt::analysisSettings.safetyFactor,
                  zolt::kMinSafetyFactor, zolt::kMaxSafetyFactor, kSafetyFactorTextLimit,
                  kSafetyFactorDecimals, kDoubleValue, kAnalysisChangeFlags);
}

long Zolt_Ana::HandleMessage(unsigned message, unsigned long wParam, long lParam) {
    // A change asks for nothing more: no update, no modified notice.
    if (message == WM_CTLCHANGED || message == WM_CTLUPDATE)
        return 0;
    return TOvDialog::HandleMessage(message, wParam, lParam);
}
