// The fields beside the report that the window added to the drawing's: the
// origin in scaled units, typed as well as clicked; and the one place that
// hears of every input the next run reads being changed.

#include "form1.h"

#include "out_of_date.h"

#include "picture_view.h"

#include "engine/eval_number.h"
#include "engine/number_text.h"

#include <QLineEdit>

#include <cmath>
#include <utility>

namespace centrafix {

// The origin fields show where the origin is, in the results' units.
void Form1::showOrigin()
{
    const std::string sep = decimalSeparator();
    for (const auto& [field, value] : {std::pair{txtOriginX, OriginX}, std::pair{txtOriginY, OriginY}}) {
        field->setText(QString::fromStdString(FormatGeneral(value, sep)));
        field->setCursorPosition(0);
    }
}

// What the origin fields hold, taken as the origin: its pixel is found with
// the scale, as a click finds the scaled position from the pixel. Nothing
// changes when the fields show the origin as it is, and nothing when either
// holds no number or the scale gives no factor to find the pixel with.
std::optional<Error> Form1::applyOriginFields()
{
    const std::string sep = decimalSeparator();
    const std::string typedX = txtOriginX->text().toStdString();
    const std::string typedY = txtOriginY->text().toStdString();
    if (typedX == FormatGeneral(OriginX, sep) && typedY == FormatGeneral(OriginY, sep))
        return std::nullopt;
    const Result<double> x = EvalNumber(typedX, Field::Origin, sep);
    if (!x)
        return x.error();
    const Result<double> y = EvalNumber(typedY, Field::Origin, sep);
    if (!y)
        return y.error();
    const Result<double> scale = scaleFactor();
    if (!scale)
        return scale.error();
    if (*scale == 0.0)
        return FieldError(ErrorKind::NotAboveZero, Field::ScaleFactor, txtScale->text().toStdString());
    const double column = *x / *scale;
    const double row = *y / *scale;
    if (!std::isfinite(column))
        return FieldError(ErrorKind::NotFiniteResults, Field::Origin, typedX);
    if (!std::isfinite(row))
        return FieldError(ErrorKind::NotFiniteResults, Field::Origin, typedY);
    OriginX = *x;
    OriginY = *y;
    OriginColumn = column;
    OriginRow = row;
    m_originMark = QPointF(column, row);
    picSideView->setOrigin(m_originMark);
    showOrigin();
    markResultsOutOfDate(kChangedOrigin);
    return std::nullopt;
}

void Form1::txtOrigin_Edited()
{
    if (isBusy())
        return;
    if (const std::optional<Error> refused = applyOriginFields()) {
        showOrigin();
        showError(*refused);
    }
}

} // namespace centrafix
