// The photo of a printed sheet: straightened by the rectangle drawn on it,
// a colour mapped, the colours cleaned up.

#include "shots.h"
#include "stage.h"

#include "shell/picture_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>

#include <array>

namespace centrafix::guide {

namespace {

// The corners of the 250 x 150 mm rectangle in glider-photo.jpg, clockwise
// from the top left (the examples' README says how the photo was made).
constexpr std::array<QPointF, 4> kCorners = {QPointF(317, 234), QPointF(1291, 193), QPointF(1354, 763),
                                             QPointF(248, 738)};

void Straighten(Stage& stage)
{
    stage.step("straighten");
    stage.window().fileToOpen = stage.example(QStringLiteral("glider-photo.jpg"));
    stage.trigger("actOpen");
    stage.waitForWork();
    const QSize before = stage.find<PictureView>("picSide")->pictureSize();
    if (before != QSize(1600, 1000))
        stage.fail(QStringLiteral("the photo opened as %1 x %2").arg(before.width()).arg(before.height()));
    stage.trigger("actStraighten");
    for (int i = 0; i < 3; ++i)
        stage.clickPicture(kCorners[static_cast<std::size_t>(i)]);
    stage.withDialog(
        "StraightenDialog", [&] { stage.clickPicture(kCorners[3]); },
        [&](QDialog& dialog) {
            stage.findIn<QLineEdit>(dialog, "txtWidth")->setText(QStringLiteral("250"));
            stage.findIn<QLineEdit>(dialog, "txtHeight")->setText(QStringLiteral("150"));
            stage.moveAside(dialog);
            stage.save("straighten", stage.grabWithPopup(&dialog));
            dialog.accept();
        });
    stage.waitForWork();
    if (stage.find<PictureView>("picSide")->pictureSize() == before)
        stage.fail(QStringLiteral("straightening left the picture as it was"));
}

// A click on the table's brown in the corner, mapped to white.
void MapColour(Stage& stage)
{
    stage.step("map-colour");
    stage.trigger("actMapColour");
    stage.withDialog(
        "MapColourDialog", [&] { stage.clickPicture(QPointF(4, 4)); },
        [&](QDialog& dialog) {
            stage.moveAside(dialog);
            stage.save("map-colour", stage.grabWithPopup(&dialog));
            dialog.accept();
        });
    stage.waitForWork();
    stage.pressEsc();
}

// At 1:1 around the wing's root, where the JPEG's fringes show.
void CleanUp(Stage& stage)
{
    stage.step("clean-up");
    stage.trigger("actActualSize");
    auto* scroll = stage.find<QScrollArea>("picSideScroll");
    const QSize picture = stage.find<PictureView>("picSide")->pictureSize();
    scroll->ensureVisible(picture.width() * 43 / 100, picture.height() * 45 / 100, scroll->viewport()->width() / 2,
                          scroll->viewport()->height() / 2);
    stage.settle();
    stage.withDialog(
        "CleanUpDialog", [&] { stage.trigger("actCleanUp"); },
        [&](QDialog& dialog) {
            stage.moveDown(dialog);
            stage.save("clean-up", stage.grabWithPopup(&dialog));
            dialog.accept();
        });
    stage.waitForWork();
}

} // namespace

void ShootPhoto(Stage& stage)
{
    Straighten(stage);
    MapColour(stage);
    CleanUp(stage);
}

} // namespace centrafix::guide
