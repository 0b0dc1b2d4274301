#include "profile/layer_table_model.h"

#include "profile/number_input.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

#include <optional>
#include <utility>

namespace zolt {

namespace {

// The header's symbol and the tool tip of each number column, in the order
// of ground::layerFields().
struct ColumnText {
    const char* symbol;
    const char* tip;
};
const ColumnText kColumnTexts[] = {
    {"Spessore", "Spessore dello strato; l'ultimo strato prosegue a qualsiasi profondità"},
    {"γ", "Peso di volume sopra la falda"},
    {"γsat", "Peso di volume saturo, sotto la falda"},
    {"φ", "Angolo di attrito interno"},
    {"δ", "Angolo di attrito terreno-fondazione"},
    {"c", "Coesione drenata"},
    {"ca", "Aderenza terreno-fondazione"},
    {"cu", "Resistenza al taglio non drenata; 0 = non nota"},
};

// The same for the settlement columns, in the order of
// ground::settlementFields().
const ColumnText kSettlementTexts[] = {
    {"E", "Modulo di Young"},
    {"ν", "Coefficiente di Poisson"},
    {"Eoed", "Modulo edometrico"},
    {"Cc", "Indice di compressione"},
    {"Cr", "Indice di ricompressione"},
    {"e0", "Indice dei vuoti iniziale"},
    {"σ′p", "Tensione di preconsolidazione; vuota = terreno normalmente consolidato"},
    {"Nspt", "Numero medio di colpi SPT (colpi/30 cm)"},
};
const QString kNotGivenTip =
    QStringLiteral(". Cella vuota: valore non dato; serve solo ai metodi dei cedimenti che lo "
                   "usano");

const QString kLastThicknessTip =
    QStringLiteral("L'ultimo strato prosegue a qualsiasi profondità: il suo spessore non conta");

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LayerTableModel::LayerTableModel(std::vector<SoilLayer> layers, QObject* parent)
    : QAbstractTableModel(parent), m_layers(std::move(layers)) {}

LayerTableModel::~LayerTableModel() = default;

const ground::LayerField* LayerTableModel::Field(int column) {
    const auto fields = ground::layerFields();
    if (column <= NameColumn || column > static_cast<int>(fields.size()))
        return nullptr;
    return &fields[static_cast<std::size_t>(column - 1)];
}

int LayerTableModel::FirstSettlementColumn() {
    return static_cast<int>(ground::layerFields().size()) + 1;
}

const ground::SettlementField* LayerTableModel::SettlementFieldAt(int column) {
    const auto fields = ground::settlementFields();
    const int i = column - FirstSettlementColumn();
    if (i < 0 || i >= static_cast<int>(fields.size()))
        return nullptr;
    return &fields[static_cast<std::size_t>(i)];
}

int LayerTableModel::Column(std::string_view key) {
    const auto fields = ground::layerFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name == key)
            return static_cast<int>(i) + 1;
    }
    const auto settlement = ground::settlementFields();
    for (std::size_t i = 0; i < settlement.size(); ++i) {
        if (settlement[i].name == key)
            return FirstSettlementColumn() + static_cast<int>(i);
    }
    return -1;
}

int LayerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_layers.size());
}

int LayerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0
                            : FirstSettlementColumn() +
                                  static_cast<int>(ground::settlementFields().size());
}

QVariant LayerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SoilLayer& layer = m_layers[static_cast<std::size_t>(index.row())];
    if (const ground::SettlementField* parameter = SettlementFieldAt(index.column())) {
        const std::optional<double>& value = layer.settlement.*parameter->field;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return value ? NumberInput(parameter->minimum, parameter->maximum, parameter->decimals)
                               .Text(*value)
                         : QString();
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
        }
    }
    const ground::LayerField* field = Field(index.column());
    const bool ignored =
        field != nullptr && field->field == &SoilLayer::thickness && index.row() + 1 == rowCount();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (field == nullptr)
            return QString::fromStdString(layer.name);
        return NumberInput(field->minimum, field->maximum, field->decimals)
            .Text(layer.*field->field);
    case Qt::TextAlignmentRole:
        return field == nullptr ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (ignored)
            return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        return {};
    case Qt::ToolTipRole:
        return ignored ? QVariant(kLastThicknessTip) : QVariant();
    default:
        return {};
    }
}

QVariant LayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (const ground::SettlementField* parameter = SettlementFieldAt(section)) {
        const ColumnText& text =
            kSettlementTexts[static_cast<std::size_t>(section - FirstSettlementColumn())];
        switch (role) {
        case Qt::DisplayRole:
            if (parameter->unit.empty())
                return QString::fromUtf8(text.symbol);
            return QString::fromUtf8(text.symbol) + QStringLiteral("\n(") +
                   fromView(parameter->unit) + u')';
        case Qt::ToolTipRole:
            return QString::fromUtf8(text.tip) + kNotGivenTip;
        default:
            return {};
        }
    }
    const ground::LayerField* field = Field(section);
    const ColumnText* text =
        field == nullptr ? nullptr : &kColumnTexts[static_cast<std::size_t>(section - 1)];
    switch (role) {
    case Qt::DisplayRole:
        if (field == nullptr)
            return QStringLiteral("Nome");
        return QString::fromUtf8(text->symbol) + QStringLiteral("\n(") + fromView(field->unit) +
               u')';
    case Qt::ToolTipRole:
        return field == nullptr ? QStringLiteral("Nome dello strato")
                                : QString::fromUtf8(text->tip);
    default:
        return {};
    }
}

Qt::ItemFlags LayerTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool LayerTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    SoilLayer& layer = m_layers[static_cast<std::size_t>(index.row())];
    const QString text = value.toString();
    const QString where = (m_rowName.isEmpty() ? QStringLiteral("Strato %1").arg(index.row() + 1)
                                               : m_rowName) +
                          QStringLiteral(", ");
    const ground::LayerField* field = Field(index.column());
    const ground::SettlementField* parameter = SettlementFieldAt(index.column());
    if (parameter != nullptr) {
        if (text == data(index, Qt::EditRole).toString())
            return true;
        std::optional<double>& value = layer.settlement.*parameter->field;
        const NumberInput input(parameter->minimum, parameter->maximum, parameter->decimals);
        if (text.trimmed().isEmpty()) {
            value.reset();
        } else if (const std::optional<double> number = input.Value(text.trimmed())) {
            value = *number;
        } else {
            const QString name =
                headerData(index.column(), Qt::Horizontal).toString().replace(u'\n', u' ');
            emit refused(where + name + QStringLiteral(": «") + text + QStringLiteral("». ") +
                         input.ErrorText() + QStringLiteral(", o lasciare vuoto"));
            return false;
        }
    } else if (field == nullptr) {
        if (text.toUcs4().size() > static_cast<qsizetype>(ground::kMaxLayerNameLength)) {
            emit refused(
                where +
                QStringLiteral("nome: al massimo %1 caratteri").arg(ground::kMaxLayerNameLength));
            return false;
        }
        layer.name = text.toStdString();
    } else {
        // The text the cell showed stands for the value it holds, which may
        // have more decimals than it shows.
        if (text == data(index, Qt::EditRole).toString())
            return true;
        const NumberInput input(field->minimum, field->maximum, field->decimals);
        const std::optional<double> number = input.Value(text.trimmed());
        if (!number) {
            const QString name =
                headerData(index.column(), Qt::Horizontal).toString().replace(u'\n', u' ');
            emit refused(where + name + QStringLiteral(": «") + text + QStringLiteral("». ") +
                         input.ErrorText());
            return false;
        }
        layer.*field->field = *number;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool LayerTableModel::InsertLayer(int row, const SoilLayer& layer) {
    if (m_layers.size() >= ground::kMaxLayers || row < 0 || row > rowCount())
        return false;
    const int previousLast = rowCount() - 1;
    beginInsertRows({}, row, row);
    m_layers.insert(m_layers.begin() + row, layer);
    endInsertRows();
    // The thickness that was the last one's counts again.
    if (previousLast >= 0 && row > previousLast)
        emit dataChanged(index(previousLast, 0), index(previousLast, columnCount() - 1));
    return true;
}

bool LayerTableModel::RemoveLayer(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows({}, row, row);
    m_layers.erase(m_layers.begin() + row);
    endRemoveRows();
    if (!m_layers.empty() && row == rowCount())
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
    return true;
}

bool LayerTableModel::MoveLayer(int row, int step) {
    const int to = row + step;
    if ((step != -1 && step != 1) || row < 0 || row >= rowCount() || to < 0 || to >= rowCount())
        return false;
    // Moving a row down means moving it past its neighbour: Qt counts the
    // destination before the move.
    beginMoveRows({}, row, row, {}, step > 0 ? to + 1 : to);
    std::swap(m_layers[static_cast<std::size_t>(row)], m_layers[static_cast<std::size_t>(to)]);
    endMoveRows();
    const int top = std::min(row, to);
    emit dataChanged(index(top, 0), index(top + 1, columnCount() - 1));
    return true;
}

} // namespace zolt
