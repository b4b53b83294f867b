// The Picture menu's operations on the working copy (flip, Invert B/W, the
// colour clean-up) and the scale set from a line drawn over a known length.

#include "form1.h"

#include "history_texts.h"

#include "out_of_date.h"
#include "picture_pass.h"
#include "picture_view.h"
#include "scale_dialog.h"
#include "tool_texts.h"
#include "window_texts.h"

#include "engine/color_cleanup.h"
#include "engine/defaults.h"
#include "engine/eval_number.h"
#include "engine/number_text.h"
#include "engine/scale_from_line.h"
#include "picture/picture_area.h"
#include "picture/picture_ops.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>

#include <algorithm>
#include <optional>
#include <utility>

namespace centrafix {

// ---------------------------------------------------------------------------
// The scale line: a left drag on the picture from one pixel's centre to
// another's, then the real length it stands for.

void Form1::startScaleLine()
{
    if (m_activity == Activity::PlanTool)
        leavePlanTool();
    if (m_activity != Activity::Idle && m_activity != Activity::ScaleLine)
        return;
    m_activity = Activity::ScaleLine;
    m_lineStart.reset();
    picSideView->setCursor(Qt::CrossCursor);
    setStatus(text(kDrawScaleLine));
}

void Form1::leaveScaleLine()
{
    if (m_activity == Activity::ScaleLine)
        m_activity = Activity::Idle;
    m_lineStart.reset();
    picSideView->setScaleLine(std::nullopt);
    picSideView->unsetCursor();
}

void Form1::cancelScaleLine()
{
    leaveScaleLine();
    setStatus(text(kScaleLineCancelled));
}

// The pixel under the pointer, kept on the picture while the drag goes
// beyond its edge.
QPoint Form1::linePixel(float X, float Y) const
{
    const QSize size = picSideView->pictureSize();
    return QPoint(std::clamp(static_cast<int>(X), 0, std::max(0, size.width() - 1)),
                  std::clamp(static_cast<int>(Y), 0, std::max(0, size.height() - 1)));
}

QString Form1::linePixelsText(double pixels) const
{
    return QString::fromStdString(Tr(kScaleLineLength, LanguageIndex, {FormatFixed(pixels, 2, decimalSeparator())}));
}

// Only the line's drag ends with the button's release; elsewhere the press
// does all.
void Form1::picSide_MouseUp(int Button, int /*Shift*/, float X, float Y)
{
    if (m_lineStart && Button == 1)
        endScaleLine(X, Y);
    else if (m_activity == Activity::PlanTool && Button == 1)
        planToolRelease(X, Y);
}

void Form1::beginScaleLine(float X, float Y)
{
    m_lineStart = linePixel(X, Y);
    moveScaleLine(X, Y);
}

void Form1::moveScaleLine(float X, float Y)
{
    m_lineEnd = linePixel(X, Y);
    const double pixels = PixelDistance(m_lineStart->x(), m_lineStart->y(), m_lineEnd.x(), m_lineEnd.y());
    const QString length = linePixelsText(pixels);
    picSideView->setScaleLine(QLine(*m_lineStart, m_lineEnd), length);
    setStatus(length);
}

void Form1::endScaleLine(float X, float Y)
{
    moveScaleLine(X, Y);
    const double pixels = PixelDistance(m_lineStart->x(), m_lineStart->y(), m_lineEnd.x(), m_lineEnd.y());
    if (pixels == 0.0) {
        // A click is no line: there is nothing to divide by.
        cancelScaleLine();
        return;
    }
    ScaleDialog dialog(pixels, QString::fromStdString(m_document.unit()), LanguageIndex, decimalSeparator(), this);
    if (dialog.exec() != QDialog::Accepted) {
        cancelScaleLine();
        return;
    }
    leaveScaleLine();
    const std::string sep = decimalSeparator();
    const std::string scale = ScaleTextFromLine(dialog.length(), pixels, sep);
    const std::string unit = dialog.unit().toStdString();
    const bool unitChanged = unit != m_document.unit();
    m_document.setUnit(unit);
    m_unitGiven = true;
    if (unitChanged)
        showInputsChanged();
    txtScaleUnit->setText(dialog.unit());
    // Set as if typed: the origin keeps its pixel and follows the new factor.
    txtScale->setText(QString::fromStdString(scale));
    txtScale->setCursorPosition(0); // the leading digits, where a narrow field cuts the text
    std::string length = FormatGeneral(dialog.length(), sep);
    if (!unit.empty())
        length += ' ' + unit;
    setStatus(Tr(kScaleSet, LanguageIndex, {scale, FormatFixed(pixels, 2, sep), length}));
}

// ---------------------------------------------------------------------------
// Clean up colours: as Invert B/W, the pass makes a new working copy on the
// worker and nothing may change the picture while it goes.

void Form1::btnCleanUp_Click()
{
    if (isBusy())
        return;
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("CleanUpDialog"));
    ask.setWindowTitle(text(kCleanUpTitle));
    ask.setLabelText(text(kCleanUpQuestion));
    ask.setTextValue(m_cleanUpThreshold.value_or(QString::fromUtf8(defaults::kCleanUpThresholdText)));
    if (ask.exec() != QDialog::Accepted)
        return;
    const QString typed = ask.textValue().trimmed();
    const Result<double> threshold = ReadCleanUpThreshold(typed.toStdString(), decimalSeparator());
    if (!threshold) {
        showError(threshold.error());
        return;
    }
    m_cleanUpThreshold = typed;
    runPicturePass(
        [threshold = *threshold](const QImage& picture) {
            PicturePass::Made made;
            made.picture = CleanedUpPicture(picture, threshold, &made.changed);
            return made;
        },
        kStepCleanUp,
        [this](std::int64_t changed) { setStatus(Tr(kCleanedUp, LanguageIndex, {std::to_string(changed)})); });
}

// The working copy stays as it is, and shown, until the pass has made the new
// one; while it goes nothing may change the picture.
void Form1::runPicturePass(PicturePass::Work work, const Message& what,
                           const std::function<void(std::int64_t changed)>& said)
{
    setBusy(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_pass->start(
        picBackBuffer->image(), std::move(work), [this, said, step = &what](std::optional<PicturePass::Made> made) {
            QApplication::restoreOverrideCursor();
            if (!made || made->refusal) {
                endBusy();
                showError(made ? *made->refusal : Described({}, kNotEnoughMemory));
                return;
            }
            withMemory([&] {
                const QImage before = picBackBuffer->picture();
                picBackBuffer->setPicture(made->picture);
                picSide->setAutoRedraw(false);
                showWorkingCopy();
                pictureChanged();
                recordPictureChange(before, pictureIdentity(), *step);
                if (made->unitsPerPixel) {
                    // Set as if typed: the origin keeps its pixel and follows.
                    txtScale->setText(
                        QString::fromStdString(ScaleTextFromLine(*made->unitsPerPixel, 1.0, decimalSeparator())));
                    txtScale->setCursorPosition(0);
                }
                if (said)
                    said(made->changed);
            });
            // Last: a close asked for meanwhile happens here.
            if (isBusy())
                endBusy();
        });
}

// ---------------------------------------------------------------------------
// Flip and Invert B/W.

void Form1::btnFlip_Click()
{
    withMemory([this] {
        const QImage before = picBackBuffer->picture();
        FlipPicture(*picSide, *picBackBuffer);
        picSide->setAutoRedraw(false);
        // The display would otherwise keep the picture from before the flip
        // beside the new working copy.
        showWorkingCopy();
        pictureChanged();
        recordPictureChange(before, pictureIdentity(), kStepFlip);
    });
}

void Form1::btnInvert_Click()
{
    if (isBusy())
        return;
    const Result<double> tolerance = EvalNumber(m_document.toleranceText(), Field::Tolerance, decimalSeparator());
    if (!tolerance) {
        showError(tolerance.error());
        return;
    }
    runPicturePass(
        [tolerance = *tolerance](const QImage& picture) {
            return PicturePass::Made{InvertedPicture(picture, tolerance), 0};
        },
        kStepInvert);
}

} // namespace centrafix
