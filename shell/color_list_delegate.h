#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace centrafix {

// Edits the colour list's entries in place and hands the finished text to the
// window before the entry takes it: the weight rule matches the colour by the
// entry's text from before the edit, which the list no longer has afterwards.
// The entry keeps the text as typed unless the window refuses it (a weight it
// cannot read), which then keeps the text from before the edit.
// An entry whose colour the last run did not find (kNotFoundRole) is shown
// greyed, so that its missing tick has a visible reason.
class ColorListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using EditHandler = std::function<bool(int row, const QString& newString)>;
    static constexpr int kNotFoundRole = Qt::UserRole + 1;

    explicit ColorListDelegate(EditHandler afterLabelEdit, QObject* parent = nullptr);

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    EditHandler m_afterLabelEdit;
};

} // namespace centrafix
