#include "weight_delegate.h"

#include "engine/eval_number.h"
#include "engine/number_text.h"

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <utility>

namespace centrafix {
namespace {

// A spin box that reads what the fields read: "0,5" under a German locale
// and "0.5" under any, "1/3", "2*0.75". A text that is no number yet is left
// standing while it is typed, and refused by the window once it is finished.
class WeightSpinBox : public QDoubleSpinBox {
public:
    explicit WeightSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
    {
        setObjectName(QStringLiteral("WeightEditor"));
        setFrame(false);
        setDecimals(12);
        setRange(-1e12, 1e12);
        setSingleStep(0.1);
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    }

    // The entry's own text, not the value rounded to the spin box's decimals.
    void showText(const QString& text) { lineEdit()->setText(text); }

    QValidator::State validate(QString& text, int& /*pos*/) const override
    {
        return number(text) ? QValidator::Acceptable : QValidator::Intermediate;
    }

    double valueFromText(const QString& text) const override { return number(text).value_or(value()); }

    QString textFromValue(double v) const override { return QString::fromStdString(FormatGeneral(v, separator())); }

protected:
    // A spin box would put its last number back over a text that is none,
    // without a word; the list hands the text to the window instead, which
    // says what is wrong with it.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->ignore();
            return;
        }
        QDoubleSpinBox::keyPressEvent(event);
    }

private:
    std::string separator() const { return QLocale().decimalPoint().toStdString(); }

    std::optional<double> number(const QString& text) const
    {
        const Result<double> v = EvalNumber(text.toStdString(), Field::Weight, separator());
        return v ? std::optional<double>(*v) : std::nullopt;
    }
};

} // namespace

WeightDelegate::WeightDelegate(WeightHandler setWeight, QObject* parent)
    : QStyledItemDelegate(parent),
      m_setWeight(std::move(setWeight))
{}

QWidget* WeightDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                      const QModelIndex& /*index*/) const
{
    return new WeightSpinBox(parent);
}

void WeightDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* spin = static_cast<WeightSpinBox*>(editor);
    const QString shown = index.data(Qt::DisplayRole).toString();
    spin->setValue(spin->valueFromText(shown));
    spin->showText(shown);
}

void WeightDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/, const QModelIndex& index) const
{
    const QString typed = static_cast<WeightSpinBox*>(editor)->cleanText();
    if (typed != index.data(Qt::DisplayRole).toString())
        m_setWeight(index.row(), typed);
}

} // namespace centrafix
