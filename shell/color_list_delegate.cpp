#include "color_list_delegate.h"

#include <QLineEdit>

#include <utility>

namespace centrafix {

ColorListDelegate::ColorListDelegate(EditHandler afterLabelEdit, EditText editText, QObject* parent)
    : QStyledItemDelegate(parent),
      m_afterLabelEdit(std::move(afterLabelEdit)),
      m_editText(std::move(editText))
{}

void ColorListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && m_editText) {
        line->setText(m_editText(index.row()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ColorListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line && m_afterLabelEdit) {
        m_afterLabelEdit(index.row(), line->text());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ColorListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(kNotFoundRole).toBool())
        return;
    // Greyed as a disabled entry's text, yet the tick stays usable.
    const QColor grey = option->palette.color(QPalette::Disabled, QPalette::Text);
    option->palette.setColor(QPalette::Text, grey);
    option->font.setItalic(true);
}

} // namespace centrafix
