// The geometry and soil dialogs: each field a TRealEdit bound straight to
// its record field, with the limits of the shared field table.
#include "workflow/commands.h"

#include "controls/trealedit.h"
#include "model/project.h"
#include "toolkit/tdialog.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"
#include "workflow/input_fields.h"

namespace zolt {

namespace {

// Every input field announces a committed change with both bits.
constexpr std::int16_t kInputChangeFlags = 3;
constexpr std::int16_t kDoubleValue = 0;
// F1 opens the section of each dialog, numbered as the menu's commands.
constexpr unsigned long kGeometryHelpContext = 108;
constexpr unsigned long kSoilHelpContext = 109;

void addField(TDialog& dialog, const InputField& field, double* variable) {
    new TRealEdit(&dialog, field.controlId, variable, field.minimum, field.maximum,
                  field.textLength, static_cast<std::int16_t>(field.decimals), kDoubleValue,
                  kInputChangeFlags);
}

} // namespace

void GeometryCommand(QWidget* owner) {
    // The edits write the record while the dialog is open; Annulla puts back
    // the values from before the command, also after refusals of B > L.
    const GeometryData snapshot = geometryData;
    TDialog dialog(owner, kGeometryDialogId);
    SetHelpContext(&dialog, QStringLiteral("zolt.hlp"), kGeometryHelpContext);
    for (const InputField& field : geometryFields())
        addField(dialog, field, &(geometryData.*field.geometryField));
    for (;;) {
        if (dialog.Execute() != IDOK) {
            geometryData = snapshot;
            return;
        }
        if (!(geometryData.B > geometryData.L))
            return;
        ShowMessageBox(QString::fromUtf8(kWidthLengthText));
    }
}

void SoilCommand(QWidget* owner) {
    // Annulla restores the soil as well: the edits may already have written
    // values, even refused ones, before the user changed their mind.
    const SoilData snapshot = soilData;
    TDialog dialog(owner, kSoilDialogId);
    SetHelpContext(&dialog, QStringLiteral("zolt.hlp"), kSoilHelpContext);
    for (const InputField& field : soilFields())
        addField(dialog, field, &(soilData.*field.soilField));
    if (dialog.Execute() != IDOK)
        soilData = snapshot;
}

} // namespace zolt
