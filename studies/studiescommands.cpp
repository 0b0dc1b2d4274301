#include "studies/studiescommands.h"

#include "design/comparison.h"
#include "model/project.h"
#include "studies/comparisonview.h"
#include "studies/montecarloview.h"
#include "studies/studyinputs.h"
#include "studies/sweepdialog.h"
#include "studies/sweepview.h"
#include "toolkit/tmdiclient.h"
#include "verification/approach_choice.h"
#include "verification/result_window.h"
#include "workflow/commands.h"
#include "workflow/input_changes.h"

#include <QMdiSubWindow>

namespace zolt {

namespace {

// Staggered, so that one window of each kind does not hide another.
constexpr QPoint kComparisonPosition(20, 20);
constexpr QPoint kSweepPosition(50, 40);
constexpr QPoint kMonteCarloPosition(80, 60);

} // namespace

void ComparisonCommand(QWidget* /*owner*/, TMDIClient* client) {
    const InputSnapshot inputs = CurrentInputs();
    const design::GroundComparison comparison = design::compareOnGround(
        inputs.geometry, inputs.soil, inputs.ground, inputs.settings.safetyFactor);
    if (comparison.refused()) {
        ShowInputCheckMessages(comparison.drained.comparison.refusal);
        return;
    }
    auto* view = new studies::ComparisonView(comparison, inputs);
    OpenResultWindow(client, QStringLiteral("Confronto metodi"), view, kComparisonPosition);
}

void SweepCommand(QWidget* owner, TMDIClient* client) {
    const GeometryData geometry = geometryData;
    const SoilData soil = soilData;
    design::SweepSpec study;
    {
        // With layers a soil value replaces the drained condition's
        // equivalent one: the range is proposed around that.
        studies::SweepDialog dialog(geometry, studies::sweptSoil(geometry, soil, designData.ground),
                                    owner);
        if (dialog.exec() != QDialog::Accepted)
            return;
        study = dialog.study();
    }
    auto* view = new studies::SweepView(study, geometry, soil, designData.ground, ChosenApproach());
    OpenResultWindow(client,
                     QStringLiteral("Studio parametrico \u2013 ") + studies::inputName(*study.field),
                     view, kSweepPosition);
}

void MonteCarloCommand(QWidget* /*owner*/, TMDIClient* client) {
    OpenResultWindow(client, QStringLiteral("Analisi probabilistica"), new studies::MonteCarloView,
                     kMonteCarloPosition);
}

} // namespace zolt
