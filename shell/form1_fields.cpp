// The fields beside the report that the window added to the drawing's: the
// origin in scaled units, typed as well as clicked, and the scale's unit.

#include "form1.h"

#include "out_of_date.h"

#include "picture_view.h"

#include "engine/number_text.h"

#include <QLineEdit>

#include <utility>

namespace centrafix {

// The origin fields show where the origin is, in the results' units.
void Form1::showOrigin()
{
    const std::string sep = decimalSeparator();
    const DocumentOrigin& origin = m_document.origin();
    for (const auto& [field, value] : {std::pair{txtOriginX, origin.x}, std::pair{txtOriginY, origin.y}}) {
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
    const DocumentOrigin& origin = m_document.origin();
    if (typedX == FormatGeneral(origin.x, sep) && typedY == FormatGeneral(origin.y, sep))
        return std::nullopt;
    if (std::optional<Error> refused = m_document.typeOrigin(typedX, typedY))
        return refused;
    m_originMark = QPointF(origin.column, origin.row);
    picSideView->setOrigin(m_originMark);
    showOrigin();
    showInputsChanged();
    return std::nullopt;
}

void Form1::txtScaleUnit_Change()
{
    const std::string unit = txtScaleUnit->text().trimmed().toStdString();
    m_unitGiven = true;
    if (unit == m_document.unit())
        return;
    m_document.setUnit(unit);
    showInputsChanged();
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
