// The Picture menu's plan tools: a plan as it comes (a line drawing, a
// photo) made into a painted picture by clicks on it. Fill and Map stay for
// the next click until Esc; the others take their points and are done. Each
// change goes through a picture pass and can be undone.

#include "form1.h"

#include "picture_view.h"
#include "plan_dialogs.h"
#include "plan_tool_texts.h"

#include "engine/number_text.h"
#include "engine/string_table.h"
#include "picture/edits/colour_map.h"
#include "picture/edits/plan_geometry.h"
#include "picture/picture_area.h"

#include <QLineEdit>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

PicturePass::Made Refused(const Error& error)
{
    PicturePass::Made made;
    made.refusal = error;
    return made;
}

PicturePass::Made Replaced(Result<QImage> picture)
{
    if (!picture)
        return Refused(picture.error());
    return PicturePass::Made{std::move(*picture), 0, std::nullopt, std::nullopt};
}

} // namespace

void Form1::startPlanTool(PlanTool tool)
{
    if (isBusy())
        return;
    if (m_activity == Activity::ScaleLine)
        leaveScaleLine();
    m_planTool = tool;
    m_toolPoints.clear();
    m_activity = Activity::PlanTool;
    picSideView->setCursor(Qt::CrossCursor);
    showPlanToolHint();
}

void Form1::leavePlanTool()
{
    m_planTool.reset();
    m_toolPoints.clear();
    if (m_activity == Activity::PlanTool)
        m_activity = Activity::Idle;
    picSideView->unsetCursor();
}

int Form1::fillColour() const
{
    const int row = theListView->currentRow();
    return row >= 0 && row < kObjectCount ? row + 1 : 2;
}

void Form1::showPlanToolHint()
{
    if (!m_planTool)
        return;
    const std::string next = std::to_string(m_toolPoints.size() + 1);
    switch (*m_planTool) {
    case PlanTool::Fill:
        setStatus(Tr(kFillHint, LanguageIndex, {Tr(ColorNameMessage(fillColour()), LanguageIndex)}));
        break;
    case PlanTool::Map: setStatus(text(kMapHint)); break;
    case PlanTool::Straighten: setStatus(Tr(kStraightenHint, LanguageIndex, {next})); break;
    case PlanTool::Level: setStatus(Tr(kLevelHint, LanguageIndex, {next})); break;
    case PlanTool::Mirror: setStatus(text(kMirrorHint)); break;
    case PlanTool::Crop: setStatus(text(kCropHint)); break;
    case PlanTool::PlaceMass: {
        const aero::MassList& items = m_document.massItems();
        const std::string name =
            m_placeRow >= 0 && m_placeRow < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(m_placeRow)].name : "";
        setStatus(Tr(kPlaceMassHint, LanguageIndex, {name}));
        break;
    }
    }
}

void Form1::planToolClick(float X, float Y)
{
    if (!m_planTool || isBusy())
        return;
    const QPoint pixel(static_cast<int>(std::floor(X)), static_cast<int>(std::floor(Y)));
    switch (*m_planTool) {
    case PlanTool::Fill: fillAt(pixel); return;
    case PlanTool::Map: mapAt(pixel); return;
    case PlanTool::Mirror: {
        const int row = pixel.y();
        leavePlanTool();
        runPicturePass([row](const QImage& picture) { return Replaced(MirrorAboutRow(picture, row)); }, kStepMirror,
                       [this](std::int64_t) {
                           setStatus(Tr(kPictureChangedBy, LanguageIndex, {Tr(kStepMirror, LanguageIndex)}));
                       });
        return;
    }
    case PlanTool::Crop: m_toolPoints = {QPointF(pixel)}; return;
    case PlanTool::PlaceMass: placeMassAt(X); return;
    case PlanTool::Straighten:
    case PlanTool::Level: break;
    }
    m_toolPoints.emplace_back(X, Y);
    if (*m_planTool == PlanTool::Level && m_toolPoints.size() == 2) {
        const QPointF from = m_toolPoints[0], to = m_toolPoints[1];
        leavePlanTool();
        runPicturePass(
            [from, to](const QImage& picture) { return Replaced(LevelPicture(picture, from, to)); }, kStepLevel,
            [this](std::int64_t) { setStatus(Tr(kPictureChangedBy, LanguageIndex, {Tr(kStepLevel, LanguageIndex)})); });
        return;
    }
    if (*m_planTool == PlanTool::Straighten && m_toolPoints.size() == 4) {
        const std::vector<QPointF> corners = m_toolPoints;
        leavePlanTool();
        straightenAt(corners);
        return;
    }
    showPlanToolHint();
}

// A crop is dragged: from where the button went down to where it came up,
// both pixels inside.
void Form1::planToolRelease(float X, float Y)
{
    if (m_planTool != PlanTool::Crop || m_toolPoints.empty() || isBusy())
        return;
    const QPoint start = m_toolPoints.front().toPoint();
    const QPoint end(static_cast<int>(std::floor(X)), static_cast<int>(std::floor(Y)));
    m_toolPoints.clear();
    if (start == end)
        return;
    const QRect rect = QRect(start, end).normalized();
    leavePlanTool();
    runPicturePass(
        [rect](const QImage& picture) { return Replaced(CropPicture(picture, rect)); }, kStepCrop,
        [this](std::int64_t) { setStatus(Tr(kPictureChangedBy, LanguageIndex, {Tr(kStepCrop, LanguageIndex)})); });
}

void Form1::fillAt(QPoint seed)
{
    const int colour = fillColour();
    const FillSettings settings = m_fillSettings;
    runPicturePass(
        [seed, colour, settings](const QImage& picture) {
            QImage filled = picture;
            const Result<std::int64_t> count = FillRegion(filled, seed, colour, settings);
            if (!count)
                return Refused(count.error());
            return PicturePass::Made{std::move(filled), *count, std::nullopt, std::nullopt};
        },
        kStepFill,
        [this, colour](std::int64_t changed) {
            setStatus(
                Tr(kFilled, LanguageIndex, {std::to_string(changed), Tr(ColorNameMessage(colour), LanguageIndex)}));
        });
}

void Form1::mapAt(QPoint pixel)
{
    const Result<QRgb> picked = PickColour(picBackBuffer->picture(), pixel);
    if (!picked) {
        showError(picked.error());
        return;
    }
    MapColourDialog dialog(m_mapTarget, m_mapTolerance, LanguageIndex, decimalSeparator(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_mapTarget = dialog.target();
    m_mapTolerance = dialog.tolerance();
    const int target = m_mapTarget;
    const double tolerance = m_mapTolerance;
    const QRgb from = *picked;
    runPicturePass(
        [from, target, tolerance](const QImage& picture) {
            QImage mapped = picture;
            const std::int64_t count = MapColour(mapped, from, target, tolerance);
            return PicturePass::Made{std::move(mapped), count, std::nullopt, std::nullopt};
        },
        kStepMap,
        [this, target](std::int64_t changed) {
            const Message& name = target == 0 ? kWhiteName : ColorNameMessage(target);
            setStatus(Tr(kMapped, LanguageIndex, {std::to_string(changed), Tr(name, LanguageIndex)}));
        });
}

void Form1::straightenAt(const std::vector<QPointF>& corners)
{
    StraightenDialog dialog(QString::fromStdString(m_document.unit()), LanguageIndex, decimalSeparator(), this);
    if (dialog.exec() != QDialog::Accepted) {
        setStatus(text(kToolEnded));
        return;
    }
    const std::array<QPointF, 4> quad{corners[0], corners[1], corners[2], corners[3]};
    const QSizeF size = dialog.size();
    runPicturePass(
        [quad, size](const QImage& picture) {
            Result<StraightenedPlan> straight = StraightenPicture(picture, quad, size);
            if (!straight)
                return Refused(straight.error());
            return PicturePass::Made{std::move(straight->picture), 0, std::nullopt, straight->unitsPerPixel};
        },
        kStepStraighten,
        [this](std::int64_t) { setStatus(Tr(kStraightened, LanguageIndex, {txtScale->text().toStdString()})); });
}

void Form1::askFillSettings()
{
    FillSettingsDialog dialog(m_fillSettings, LanguageIndex, this);
    if (dialog.exec() == QDialog::Accepted)
        m_fillSettings = dialog.settings();
}

} // namespace centrafix
