// The cell editors of the actions' and the combinations' tables: a combo
// box of the kinds, types or categories, a line edit that admits only what
// a force may hold (NumberInput) or a name's length. It keeps the editor
// that is open, so that the dialog can take a cell still being edited when
// it is confirmed.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace zolt {

class ActionDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ActionDelegate(QObject* parent = nullptr);
    ~ActionDelegate() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // Hands the open editor's value to the model and closes the editor;
    // nothing when no editor is open.
    void CommitOpenEditor();
    bool IsEditing() const { return !m_editor.isNull(); }

private:
    mutable QPointer<QWidget> m_editor;
};

} // namespace zolt
