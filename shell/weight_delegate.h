#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace centrafix {

// The colour list's weight column: a spin box for the number (the arrows step
// by 0.1), whose text is read as the window reads every number typed, in
// either decimal convention and as an expression. What was typed goes to the
// window as typed, never straight into the entry: the window takes it or
// refuses it with the field's message, and shows the weight it then has.
class WeightDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using WeightHandler = std::function<void(int row, const QString& typed)>;

    explicit WeightDelegate(WeightHandler setWeight, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    WeightHandler m_setWeight;
};

} // namespace centrafix
