#include "profile/layer_delegate.h"

#include "ground/ground_fields.h"
#include "profile/layer_table_model.h"
#include "profile/number_input.h"

#include <QLineEdit>

namespace zolt {

LayerDelegate::LayerDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

LayerDelegate::~LayerDelegate() = default;

QWidget* LayerDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                     const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    if (const ground::LayerField* field = LayerTableModel::Field(index.column())) {
        edit->setValidator(new NumberInput(field->minimum, field->maximum, field->decimals, edit));
        edit->setMaxLength(NumberInput::MaxLength);
        edit->setAlignment(Qt::AlignRight);
    } else if (const ground::SettlementField* parameter =
                   LayerTableModel::SettlementFieldAt(index.column())) {
        edit->setValidator(
            new NumberInput(parameter->minimum, parameter->maximum, parameter->decimals, edit));
        edit->setMaxLength(NumberInput::MaxLength);
        edit->setAlignment(Qt::AlignRight);
    } else {
        // In UTF-16 units, which are never fewer than the characters.
        edit->setMaxLength(static_cast<int>(ground::kMaxLayerNameLength));
    }
    m_editor = edit;
    return edit;
}

void LayerDelegate::CommitOpenEditor() {
    QWidget* editor = m_editor;
    if (editor == nullptr)
        return;
    m_editor.clear();
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
}

} // namespace zolt
