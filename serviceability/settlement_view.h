// The window of the project's settlement: the footing and its loads, q and
// q netto, the depth the method reached, the table of the layers (from,
// to, s in cm and mm) with the total, the check against the admissible
// settlement, the notes, and the chart against depth, which exports as PNG,
// SVG and CSV. The table copies to the clipboard. A bar tells when the
// project's data changed since; "Aggiorna" computes again on them.
#pragma once

#include "model/design_data.h"
#include "model/records.h"
#include "settlement/project_settlement.h"

#include <QWidget>

class QChartView;
class QLabel;
class QTableWidget;
class QVBoxLayout;

namespace zolt {

class StaleResultBar;

// What a settlement is computed from.
struct SettlementInputs {
    GeometryData geometry;
    SoilData soil;
    GroundData ground;
    std::optional<ActionsData> actions;
    SettlementSettings settings;
};

// The records as they are now, with `settings` where the project has none.
SettlementInputs CurrentSettlementInputs(const SettlementSettings& settings);

// The settlement of `inputs`, as the window and its command compute it.
settlement::ProjectSettlementOutcome SettleInputs(const SettlementInputs& inputs);

class SettlementView : public QWidget {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 118;

    // `result` was computed from `inputs`.
    SettlementView(const settlement::ProjectSettlement& result, const SettlementInputs& inputs,
                   QWidget* parent = nullptr);

    const settlement::ProjectSettlement& Result() const { return m_result; }
    // "Cedimenti – <method>".
    QString Title() const;

private:
    void Display(const settlement::ProjectSettlement& result, const SettlementInputs& inputs);
    // The settlement again on the current records; a failure shows its
    // message and keeps the window as it was.
    void Refresh();
    bool Stale() const;

    settlement::ProjectSettlement m_result;
    SettlementInputs m_inputs;
    StaleResultBar* m_bar = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_check = nullptr;
    QLabel* m_notes = nullptr;
    QChartView* m_view = nullptr;
    QVBoxLayout* m_left = nullptr;
};

} // namespace zolt
