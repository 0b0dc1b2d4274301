// The characteristic actions or the given combinations of the project as a
// table: the name, the kind (G1, G2, Q, E) and the category of a variable
// action, or the type of a given combination, then N, TB, TL (Kg) and MB,
// ML (Kg m) in the order of actions::forceFields(). The header of each
// force column names its unit; a cell's tool tip gives its value in kN.
//
// An edit is taken only within its field's range; a refused one leaves the
// row as it was and is announced with a message that names the row, the
// column and the range.
#pragma once

#include "model/design_data.h"

#include <QAbstractTableModel>

#include <vector>

namespace zolt {

class ActionTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Rows { Actions, Combinations };

    static constexpr int NameColumn = 0;
    static constexpr int KindColumn = 1; // the kind of an action, the type of a combination

    ActionTableModel(Rows rows, std::vector<Action> actions,
                     std::vector<GivenCombination> combinations, QObject* parent = nullptr);
    ~ActionTableModel() override;

    Rows Kind() const { return m_rows; }
    const std::vector<Action>& Actions() const { return m_actions; }
    const std::vector<GivenCombination>& Combinations() const { return m_combinations; }

    // The category column of the actions' table; -1 in the combinations'.
    int CategoryColumn() const;
    // The column of N, TB, TL, MB or ML (actions::forceFields() index).
    int ForceColumn(std::size_t field) const;
    // The force field of a column; -1 for the name, kind and category.
    int ForceField(int column) const;
    // The choices of a kind, type or category cell, as their labels; empty
    // for the other columns. The cell's EditRole value is the index.
    QStringList Choices(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // A new row after `row` (at the end for -1), as the one it follows
    // without its forces; false when the table is full.
    bool InsertRow(int row);
    bool RemoveRow(int row);
    // Every given combination replaced (an import).
    void SetCombinations(std::vector<GivenCombination> combinations);

signals:
    void refused(const QString& message);

private:
    std::size_t Count() const;
    std::size_t Maximum() const;
    BaseForces& Forces(int row);
    const BaseForces& Forces(int row) const;

    Rows m_rows;
    std::vector<Action> m_actions;
    std::vector<GivenCombination> m_combinations;
};

} // namespace zolt
