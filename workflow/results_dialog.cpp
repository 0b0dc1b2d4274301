#include "workflow/results_dialog.h"

#include "model/project.h"
#include "toolkit/tdialog.h"
#include "toolkit/tfixedfont.h"
#include "toolkit/twinhelp.h"
#include "workflow/result_rows.h"

#include <QLabel>

namespace zolt {

namespace {

constexpr int kResultsDialogId = 400;
constexpr int kLoadRowId = 401;
constexpr int kPressureRowId = 402; // both pressure rows
constexpr int kFactorRowId = 403;   // every factor row
constexpr unsigned long kHelpContext = 104; // F1: the section of this window

int rowId(std::size_t row) {
    if (row == 0)
        return kLoadRowId;
    return row <= 2 ? kPressureRowId : kFactorRowId;
}

} // namespace

void ShowResultsDialog(QWidget* owner) {
    TDialog dialog(owner, kResultsDialogId);
    SetHelpContext(&dialog, QStringLiteral("zolt.hlp"), kHelpContext);
    // A fixed-pitch font of the dialog's size lines the numbers up in columns.
    const QFont rowFont = FixedPitchFont(dialog.font().pointSizeF());

    const auto rows =
        resultRows(bearingResult, geometryData.B, geometryData.L, analysisSettings.safetyFactor);
    int y = kResultRowFirstY;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* label = new QLabel(QString::fromStdString(rows[i].text), &dialog);
        label->setObjectName(QStringLiteral("row%1").arg(i + 1));
        label->setProperty("controlId", rowId(i));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(rowFont);
        label->setGeometry(kResultRowX, y, kResultRowWidth, kResultRowPitch);
        // An over-long row (numbers without bound near 90 degrees) is cut at
        // the edge; its whole text stays readable as a tip.
        label->setToolTip(label->text());
        y += kResultRowPitch;
    }
    // The method of the run beside the OK button, below the rows, where
    // every row keeps its place.
    if (analysedMethod) {
        if (const QWidget* ok = dialog.ChildWithId(IDOK)) {
            auto* method = new QLabel(QString::fromUtf8(methodTitle(*analysedMethod)), &dialog);
            method->setObjectName(QStringLiteral("method"));
            method->setTextFormat(Qt::PlainText);
            method->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            method->setGeometry(kResultRowX, ok->y(), ok->x() - 2 * kResultRowX, ok->height());
        }
    }
    dialog.Execute();
}

} // namespace zolt
