#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace centrafix {

// Edits the colour list's names in place. The editor opens with the entry as
// it has always been edited ("rot W=1"), and the finished text goes to the
// window, never into the entry: the name stays the colour's name, and what
// the text meant (a weight) is the window's to take.
// An entry whose colour the last run did not find (kNotFoundRole) is shown
// greyed, so that its missing tick has a visible reason.
class ColorListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using EditHandler = std::function<bool(int row, const QString& newString)>;
    using EditText = std::function<QString(int row)>;
    static constexpr int kNotFoundRole = Qt::UserRole + 1;

    ColorListDelegate(EditHandler afterLabelEdit, EditText editText, QObject* parent = nullptr);

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    EditHandler m_afterLabelEdit;
    EditText m_editText;
};

} // namespace centrafix
