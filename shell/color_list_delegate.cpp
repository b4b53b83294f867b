#include "color_list_delegate.h"

#include <QLineEdit>

#include <utility>

namespace centrafix {

ColorListDelegate::ColorListDelegate(EditHandler afterLabelEdit, EditText editText, QObject* parent)
    : QStyledItemDelegate(parent), m_afterLabelEdit(std::move(afterLabelEdit)), m_editText(std::move(editText))
{
}

void ColorListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && m_editText) {
        line->setText(m_editText(index.row()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ColorListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line && m_afterLabelEdit) {
        m_afterLabelEdit(index.row(), line->text());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace centrafix
