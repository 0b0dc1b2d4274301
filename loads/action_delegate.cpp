#include "loads/action_delegate.h"

#include "actions/action_fields.h"
#include "loads/action_table_model.h"
#include "profile/number_input.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace zolt {

ActionDelegate::ActionDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

ActionDelegate::~ActionDelegate() = default;

QWidget* ActionDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                      const QModelIndex& index) const {
    const auto* model = qobject_cast<const ActionTableModel*>(index.model());
    QWidget* editor = nullptr;
    if (const QStringList choices = model->Choices(index.column()); !choices.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->addItems(choices);
        // The list shows the whole labels, wider than the cell.
        combo->view()->setMinimumWidth(combo->sizeHint().width());
        // A choice is taken as it is made, as a combo box of a form would.
        auto* self = const_cast<ActionDelegate*>(this);
        connect(combo, &QComboBox::activated, self, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo, NoHint);
        });
        editor = combo;
    } else {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        if (const int field = model->ForceField(index.column()); field >= 0) {
            const actions::ForceField& f = actions::forceFields()[static_cast<std::size_t>(field)];
            edit->setValidator(new NumberInput(f.minimum, f.maximum, f.decimals, edit));
            edit->setMaxLength(NumberInput::MaxLength);
            edit->setAlignment(Qt::AlignRight);
        } else {
            // In UTF-16 units, which are never fewer than the characters.
            edit->setMaxLength(static_cast<int>(actions::kMaxActionNameLength));
        }
        editor = edit;
    }
    m_editor = editor;
    return editor;
}

void ActionDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(index.data(Qt::EditRole).toInt());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ActionDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentIndex(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ActionDelegate::CommitOpenEditor() {
    QWidget* editor = m_editor;
    if (editor == nullptr)
        return;
    m_editor.clear();
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
}

} // namespace zolt
