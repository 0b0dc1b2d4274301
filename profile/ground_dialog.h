// "Stratigrafia e falda": the project's soil profile and water table.
//
// A table of the layers from the ground surface down (added, removed,
// moved and edited in place within their fields' ranges; the settlement
// parameters after the strengths, empty where not given), the depth of the
// water table or none, the saturated unit weight and the settlement
// parameters of the homogeneous soil (used only while there are no
// layers), and beside them the profile drawn
// to scale under the footing of the geometry record, redrawn at every
// change. The dialog edits a copy: OK hands it back, checked; Annulla
// drops it.
#pragma once

#include "model/design_data.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zolt {

class LayerDelegate;
class LayerTableModel;
class NumberInput;
class ProfileView;

class GroundDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 134;

    GroundDialog(QWidget* parent, const GroundData& ground, const SoilData& soil,
                 const GeometryData& footing);
    ~GroundDialog() override;

    // The ground as edited (the fields' last valid values).
    GroundData Ground() const;

    // OK: takes a cell still being typed, then closes only when the water
    // table and the saturated unit weight are valid numbers in range.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int CurrentRow() const;
    void AddLayer();
    void RemoveLayer();
    void MoveLayer(int step);
    void SelectRow(int row);
    void ShowRefusal(const QString& message);
    void UpdateControls();
    void UpdateDrawing();
    void ShowHelp();

    // What the table does not hold; gammaSat the field's last valid value.
    GroundData m_ground;
    SoilData m_soil;
    GeometryData m_footing;
    std::optional<double> m_depth; // the depth field's last valid value
    LayerTableModel* m_model = nullptr;
    LayerDelegate* m_delegate = nullptr;
    QTableView* m_table = nullptr;
    // The homogeneous soil's settlement parameters: one row of the same
    // columns, only the settlement ones shown.
    LayerTableModel* m_soilModel = nullptr;
    LayerDelegate* m_soilDelegate = nullptr;
    QTableView* m_soilTable = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QLabel* m_message = nullptr;
    QCheckBox* m_noWater = nullptr;
    QLineEdit* m_waterTable = nullptr;
    QLineEdit* m_gammaSat = nullptr;
    NumberInput* m_waterInput = nullptr;
    NumberInput* m_gammaSatInput = nullptr;
    ProfileView* m_view = nullptr;
};

// Runs the dialog on designData.ground, under the footing of geometryData;
// OK writes the ground back. True when it did.
bool GroundCommand(QWidget* owner);

} // namespace zolt
