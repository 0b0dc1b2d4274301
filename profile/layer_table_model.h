// The layers of a soil profile as a table: one row per layer from the
// ground surface down, the name, the numbers of ground::layerFields() and
// then the settlement parameters of ground::settlementFields(), each in
// its order, shown with its decimals and its unit in the header. A
// settlement cell is empty while its value is not given.
//
// An edit is taken only when it passes its field's range (the name: its
// length; a settlement value may also be emptied); a refused one leaves
// the layer as it was and is announced with a message that names the
// layer, the value and the range.
#pragma once

#include "ground/ground_fields.h"
#include "model/design_data.h"

#include <QAbstractTableModel>

#include <vector>

namespace zolt {

class LayerTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int NameColumn = 0;

    explicit LayerTableModel(std::vector<SoilLayer> layers, QObject* parent = nullptr);
    ~LayerTableModel() override;

    const std::vector<SoilLayer>& Layers() const { return m_layers; }

    // The field of a number column; null for the name column and the
    // settlement columns.
    static const ground::LayerField* Field(int column);
    // The field of a settlement column; null for the other columns.
    static const ground::SettlementField* SettlementFieldAt(int column);
    // The first settlement column; the others follow it.
    static int FirstSettlementColumn();
    // The column of the field with this key in the project file.
    static int Column(std::string_view key);

    // How the refusal messages name row `row`: "Strato <row + 1>" unless
    // a name is set here for every row.
    void SetRowName(const QString& name) { m_rowName = name; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Takes the text of an edit; false, announcing it, for a refused one.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // False, changing nothing, when the profile already holds
    // ground::kMaxLayers layers or `row` is out of place.
    bool InsertLayer(int row, const SoilLayer& layer);
    bool RemoveLayer(int row);
    // Swaps the layer at `row` with its neighbour above (-1) or below (+1).
    bool MoveLayer(int row, int step);

signals:
    void refused(const QString& message);

private:
    std::vector<SoilLayer> m_layers;
    QString m_rowName;
};

} // namespace zolt
