// "Azioni e combinazioni": the project's characteristic actions, from which
// the combinations are built, or the combinations given already combined
// (imported from a CSV file too), the footing's self-weight, and the
// combinations a verification will take, listed read-only and worked out
// again at every change. The dialog edits a copy: OK hands it back,
// checked; Annulla drops it.
#pragma once

#include "model/design_data.h"
#include "model/records.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableView;
class QTableWidget;

namespace zolt {

class ActionDelegate;
class ActionTableModel;
class NumberInput;

class ActionsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned long kHelpContext = 135;

    // The file "Importa CSV..." reads; empty when the user gave none. A
    // test puts its own in place of the file dialog.
    static std::function<QString(QWidget*)> ChooseCsvFile;

    // `design` gives the actions, the approach the combinations are built
    // for and the ground under the footing.
    ActionsDialog(QWidget* parent, const DesignData& design, const SoilData& soil,
                  const GeometryData& footing);
    ~ActionsDialog() override;

    // The actions as edited; none when there is neither an action, nor a
    // combination, nor the self-weight.
    std::optional<ActionsData> Actions() const;

    // Reads the given combinations of the CSV file at `path` in the units
    // chosen; on an error shows every bad cell and changes nothing. True
    // when it read them.
    bool ImportCsv(const QString& path);

    // OK: takes a cell still being edited, then closes only when the
    // self-weight's fields are valid numbers in range.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ActionTableModel* CurrentModel() const;
    QTableView* CurrentTable() const;
    void AddRow();
    void RemoveRow();
    void ChooseAndImport();
    void UpdateControls();
    void UpdateCombinations();
    void ShowHelp();
    void CommitOpenEditor();
    bool IsEditing() const;

    std::string m_approach;
    SoilData m_soil;
    GroundData m_ground;
    GeometryData m_footing;
    SelfWeight m_selfWeight; // the fields' last valid values
    ActionTableModel* m_actions = nullptr;
    ActionTableModel* m_combinations = nullptr;
    // One per table: a view takes the signals of its own delegate only.
    ActionDelegate* m_actionsDelegate = nullptr;
    ActionDelegate* m_combinationsDelegate = nullptr;
    QRadioButton* m_characteristicMode = nullptr;
    QRadioButton* m_combinationsMode = nullptr;
    QStackedWidget* m_tables = nullptr;
    QTableView* m_actionsTable = nullptr;
    QTableView* m_combinationsTable = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_import = nullptr;
    QComboBox* m_units = nullptr;
    QLabel* m_message = nullptr;
    QCheckBox* m_withSelfWeight = nullptr;
    QLineEdit* m_thickness = nullptr;
    QLineEdit* m_gammaConcrete = nullptr;
    QLineEdit* m_gammaFill = nullptr;
    NumberInput* m_thicknessInput = nullptr;
    NumberInput* m_gammaConcreteInput = nullptr;
    NumberInput* m_gammaFillInput = nullptr;
    QLabel* m_builtTitle = nullptr;
    QTableWidget* m_built = nullptr;
};

// Runs the dialog on designData.actions; OK writes them back. True when it
// did.
bool ActionsCommand(QWidget* owner);

} // namespace zolt
