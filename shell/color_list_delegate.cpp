#include "color_list_delegate.h"

#include <QLineEdit>

#include <utility>

namespace centrafix {

ColorListDelegate::ColorListDelegate(EditHandler afterLabelEdit, QObject* parent)
    : QStyledItemDelegate(parent), m_afterLabelEdit(std::move(afterLabelEdit))
{
}

void ColorListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line && m_afterLabelEdit) {
        if (!m_afterLabelEdit(index.row(), line->text()))
            return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace centrafix
