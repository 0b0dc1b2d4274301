#include "loads/action_table_model.h"

#include "actions/action_fields.h"
#include "actions/vocabulary.h"
#include "design/units.h"
#include "model/number_text.h"
#include "profile/number_input.h"

#include <QBrush>
#include <QPalette>

#include <array>
#include <utility>

namespace zolt {

namespace {

constexpr std::array kKinds = {ActionKind::G1, ActionKind::G2, ActionKind::Q, ActionKind::E};
constexpr std::array kTypes = {CombinationType::ULS, CombinationType::SLV, CombinationType::SLERare,
                               CombinationType::SLEFrequent, CombinationType::SLEQuasiPermanent};

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Enum, std::size_t N> int indexOf(const std::array<Enum, N>& values, Enum value) {
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return static_cast<int>(i);
    return 0;
}

int categoryIndex(VariableCategory category) {
    const auto all = actions::variableCategories();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] == category)
            return static_cast<int>(i);
    return 0;
}

// The unit as the tables of the program write it: "Kg", "Kg m".
QString unitText(std::string_view unit) {
    return unit == "kg" ? QStringLiteral("Kg") : QStringLiteral("Kg m");
}

NumberInput inputOf(const actions::ForceField& field) {
    return NumberInput(field.minimum, field.maximum, field.decimals);
}

} // namespace

ActionTableModel::ActionTableModel(Rows rows, std::vector<Action> actions,
                                   std::vector<GivenCombination> combinations, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows), m_actions(std::move(actions)),
      m_combinations(std::move(combinations)) {}

ActionTableModel::~ActionTableModel() = default;

int ActionTableModel::CategoryColumn() const {
    return m_rows == Rows::Actions ? 2 : -1;
}

int ActionTableModel::ForceColumn(std::size_t field) const {
    return static_cast<int>(field) + (m_rows == Rows::Actions ? 3 : 2);
}

int ActionTableModel::ForceField(int column) const {
    const int field = column - ForceColumn(0);
    return field >= 0 && field < static_cast<int>(actions::forceFields().size()) ? field : -1;
}

QStringList ActionTableModel::Choices(int column) const {
    QStringList choices;
    if (column == KindColumn && m_rows == Rows::Actions) {
        for (const ActionKind kind : kKinds)
            choices.append(fromView(actions::kindLabel(kind)));
    } else if (column == KindColumn) {
        for (const CombinationType type : kTypes)
            choices.append(fromView(actions::typeLabel(type)));
    } else if (column == CategoryColumn()) {
        for (const VariableCategory category : actions::variableCategories())
            choices.append(fromView(actions::categoryLabel(category)));
    }
    return choices;
}

std::size_t ActionTableModel::Count() const {
    return m_rows == Rows::Actions ? m_actions.size() : m_combinations.size();
}

std::size_t ActionTableModel::Maximum() const {
    return m_rows == Rows::Actions ? actions::kMaxActions : actions::kMaxGivenCombinations;
}

BaseForces& ActionTableModel::Forces(int row) {
    const auto r = static_cast<std::size_t>(row);
    return m_rows == Rows::Actions ? m_actions[r].forces : m_combinations[r].forces;
}

const BaseForces& ActionTableModel::Forces(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return m_rows == Rows::Actions ? m_actions[r].forces : m_combinations[r].forces;
}

int ActionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Count());
}

int ActionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ForceColumn(actions::forceFields().size());
}

QVariant ActionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const int column = index.column();
    const int field = ForceField(column);
    const bool variable = m_rows == Rows::Actions && m_actions[row].kind == ActionKind::Q;
    if (role == Qt::TextAlignmentRole)
        return field >= 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (field >= 0) {
        const actions::ForceField& f = actions::forceFields()[static_cast<std::size_t>(field)];
        const double value = Forces(index.row()).*f.field;
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return inputOf(f).Text(value);
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(formatFixed(design::kilonewtons(value), 2)) +
                   (f.unit == "kg" ? QStringLiteral(" kN") : QStringLiteral(" kN m"));
        return {};
    }
    if (column == NameColumn) {
        const std::string& name =
            m_rows == Rows::Actions ? m_actions[row].name : m_combinations[row].name;
        return role == Qt::DisplayRole || role == Qt::EditRole ? QString::fromStdString(name)
                                                               : QVariant();
    }
    if (column == CategoryColumn()) {
        const int at = categoryIndex(m_actions[row].category);
        if (role == Qt::EditRole)
            return at;
        if (role == Qt::DisplayRole)
            return variable ? Choices(column).at(at) : QStringLiteral("–");
        if (role == Qt::ToolTipRole)
            return variable ? Choices(column).at(at)
                            : QStringLiteral("Solo le azioni variabili (Q) hanno una categoria");
        if (role == Qt::ForegroundRole && !variable)
            return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        return {};
    }
    // The kind of an action, the type of a combination.
    const int at = m_rows == Rows::Actions ? indexOf(kKinds, m_actions[row].kind)
                                           : indexOf(kTypes, m_combinations[row].type);
    if (role == Qt::EditRole)
        return at;
    if (role == Qt::DisplayRole)
        return m_rows == Rows::Actions ? fromView(actions::kindId(m_actions[row].kind))
                                       : Choices(column).at(at);
    if (role == Qt::ToolTipRole)
        return Choices(column).at(at);
    return {};
}

QVariant ActionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const int field = ForceField(section);
    if (field >= 0) {
        const actions::ForceField& f = actions::forceFields()[static_cast<std::size_t>(field)];
        if (role == Qt::DisplayRole)
            return fromView(f.name) + QStringLiteral("\n(") + unitText(f.unit) + u')';
        static const char* const kTips[] = {
            "Forza verticale, positiva verso il basso",
            "Forza orizzontale lungo B",
            "Forza orizzontale lungo L",
            "Momento che sposta la risultante lungo B",
            "Momento che sposta la risultante lungo L",
        };
        return QString::fromUtf8(kTips[field]) + QStringLiteral("; il suggerimento di ogni "
                                                                "cella dà il valore in kN");
    }
    if (section == NameColumn)
        return QStringLiteral("Nome");
    if (section == CategoryColumn())
        return role == Qt::DisplayRole
                   ? QStringLiteral("Categoria")
                   : QStringLiteral("Categoria dell'azione variabile (NTC 2018 Tab. 2.5.I)");
    if (m_rows == Rows::Actions)
        return role == Qt::DisplayRole
                   ? QStringLiteral("Tipo")
                   : QStringLiteral("G1, G2 permanenti; Q variabile; E sismica");
    return role == Qt::DisplayRole ? QStringLiteral("Tipo")
                                   : QStringLiteral("Tipo di combinazione (NTC 2018 §2.5.3)");
}

Qt::ItemFlags ActionTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (index.column() == CategoryColumn() &&
        m_actions[static_cast<std::size_t>(index.row())].kind != ActionKind::Q)
        flags &= ~Qt::ItemIsEditable;
    return flags;
}

bool ActionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    const int column = index.column();
    const QString where = (m_rows == Rows::Actions ? QStringLiteral("Azione %1, ")
                                                   : QStringLiteral("Combinazione %1, "))
                              .arg(index.row() + 1);
    if (const int field = ForceField(column); field >= 0) {
        const actions::ForceField& f = actions::forceFields()[static_cast<std::size_t>(field)];
        const QString text = value.toString();
        // The text the cell showed stands for the value it holds, which may
        // have more decimals than it shows.
        if (text == data(index, Qt::EditRole).toString())
            return true;
        const NumberInput input = inputOf(f);
        const std::optional<double> number = input.Value(text.trimmed());
        if (!number) {
            emit refused(where + fromView(f.name) + QStringLiteral(": «") + text +
                         QStringLiteral("». ") + input.ErrorText());
            return false;
        }
        Forces(index.row()).*f.field = *number;
    } else if (column == NameColumn) {
        const QString text = value.toString();
        if (text.toUcs4().size() > static_cast<qsizetype>(actions::kMaxActionNameLength)) {
            emit refused(
                where +
                QStringLiteral("nome: al massimo %1 caratteri").arg(actions::kMaxActionNameLength));
            return false;
        }
        (m_rows == Rows::Actions ? m_actions[row].name : m_combinations[row].name) =
            text.toStdString();
    } else {
        const int at = value.toInt();
        if (at < 0 || at >= Choices(column).size())
            return false;
        if (column == CategoryColumn())
            m_actions[row].category = actions::variableCategories()[static_cast<std::size_t>(at)];
        else if (m_rows == Rows::Actions)
            m_actions[row].kind = kKinds[static_cast<std::size_t>(at)];
        else
            m_combinations[row].type = kTypes[static_cast<std::size_t>(at)];
    }
    // A change of kind changes what the category cell shows.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

bool ActionTableModel::InsertRow(int row) {
    if (Count() >= Maximum())
        return false;
    const int at = row >= 0 && row < rowCount() ? row + 1 : rowCount();
    beginInsertRows({}, at, at);
    if (m_rows == Rows::Actions) {
        Action action;
        if (at > 0) {
            action.kind = m_actions[static_cast<std::size_t>(at - 1)].kind;
            action.category = m_actions[static_cast<std::size_t>(at - 1)].category;
        }
        action.name = "Azione " + std::to_string(Count() + 1);
        m_actions.insert(m_actions.begin() + at, action);
    } else {
        GivenCombination combination;
        if (at > 0)
            combination.type = m_combinations[static_cast<std::size_t>(at - 1)].type;
        combination.name = "Combinazione " + std::to_string(Count() + 1);
        m_combinations.insert(m_combinations.begin() + at, combination);
    }
    endInsertRows();
    return true;
}

bool ActionTableModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows({}, row, row);
    if (m_rows == Rows::Actions)
        m_actions.erase(m_actions.begin() + row);
    else
        m_combinations.erase(m_combinations.begin() + row);
    endRemoveRows();
    return true;
}

void ActionTableModel::SetCombinations(std::vector<GivenCombination> combinations) {
    beginResetModel();
    m_combinations = std::move(combinations);
    endResetModel();
}

} // namespace zolt
