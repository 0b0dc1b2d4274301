// The cell editors of the layer table: a line edit that admits only what
// its field may hold (NumberInput for the numbers, the length limit for
// the name). It keeps the editor that is open, so that the dialog can take
// a cell still being typed when it is confirmed.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace zolt {

class LayerDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit LayerDelegate(QObject* parent = nullptr);
    ~LayerDelegate() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Hands the open editor's text to the model and closes the editor;
    // nothing when no editor is open.
    void CommitOpenEditor();
    bool IsEditing() const { return !m_editor.isNull(); }

private:
    mutable QPointer<QWidget> m_editor;
};

} // namespace zolt
