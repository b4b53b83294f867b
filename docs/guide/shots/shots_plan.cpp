// From the PDF plan to numbers: its page chosen, the scale taken from the
// dimension line, the outlines filled, the balance and the weight and
// balance after Analyze.

#include "shots.h"
#include "stage.h"

#include "engine/message.h"
#include "picture/picture_area.h"
#include "shell/picture_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>

#include <cmath>
#include <initializer_list>

namespace centrafix::guide {

namespace {

constexpr int kDpi = 150;

// Where the crop put the plan's top left pixel (none before the crop).
QPoint g_cropShift;

// A point of glider-a.png (the plan draws the glider in its pixels, scaled
// by 2 and moved by 325, 250 mm, at 1:10) on the plan drawn at kDpi, as it
// lies in the picture now.
QPointF PlanPixel(double x, double y)
{
    const double perMm = kDpi / 25.4 / 10.0;
    return QPointF((325.0 + 2.0 * x) * perMm, (250.0 + 2.0 * y) * perMm) - QPointF(g_cropShift);
}

QPoint PixelOf(QPointF at)
{
    return QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

void OpenPlan(Stage& stage)
{
    stage.step("plan-page-dialog");
    stage.window().fileToOpen = stage.example(QStringLiteral("glider-plan.pdf"));
    stage.withDialog(
        "PlanPageDialog", [&] { stage.trigger("actOpen"); },
        [&](QDialog& dialog) {
            if (stage.findIn<QSpinBox>(dialog, "spnDpi")->value() != kDpi)
                stage.fail(QStringLiteral("the resolution offered is not %1 dpi").arg(kDpi));
            stage.save("plan-page-dialog", stage.grabPopupAlone(&dialog));
            dialog.accept();
        });
    stage.waitForWork();
    const QSize size = stage.find<PictureView>("picSide")->pictureSize();
    if (size != QSize(1754, 1240))
        stage.fail(QStringLiteral("the plan's page was drawn as %1 x %2").arg(size.width()).arg(size.height()));
}

// The dimension line runs down the plan's left side, tick to tick.
void ScaleFromLine(Stage& stage)
{
    stage.step("scale-line");
    const QPointF from = PlanPixel(0, 50), to = PlanPixel(0, 650);
    stage.trigger("actScaleLine");
    stage.pictureMouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    for (int i = 1; i <= 8; ++i)
        stage.pictureMouse(QEvent::MouseMove, Qt::LeftButton, from + (to - from) * (i / 8.0));
    stage.withDialog(
        "ScaleDialog", [&] { stage.pictureMouse(QEvent::MouseButtonRelease, Qt::LeftButton, to); },
        [&](QDialog& dialog) {
            stage.findIn<QLineEdit>(dialog, "txtLength")->setText(QStringLiteral("1200"));
            stage.findIn<QLineEdit>(dialog, "txtUnit")->setText(QStringLiteral("mm"));
            stage.settle();
            stage.save("scale-line", stage.grabWithPopup(&dialog));
            dialog.accept();
        });
    // 1200 mm over about 708 pixels.
    const double scale = QLocale().toDouble(stage.find<QLineEdit>("txtScale")->text());
    if (!(scale > 1.68 && scale < 1.71))
        stage.fail(QStringLiteral("the scale became %1").arg(stage.find<QLineEdit>("txtScale")->text()));
}

// Cropped close around the aircraft, after the scale was taken from the
// dimension line, which the crop leaves out; the frame and the title block
// go with it.
void CropToAircraft(Stage& stage)
{
    stage.step("fill-outlines");
    const QPoint from = PixelOf(PlanPixel(45, 35)), to = PixelOf(PlanPixel(1115, 665));
    stage.trigger("actCrop");
    stage.pictureMouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    stage.pictureMouse(QEvent::MouseMove, Qt::LeftButton, (QPointF(from) + QPointF(to)) / 2);
    stage.pictureMouse(QEvent::MouseButtonRelease, Qt::LeftButton, to);
    stage.waitForWork();
    const QSize size = stage.find<PictureView>("picSide")->pictureSize();
    if (size != QSize(to.x() - from.x() + 1, to.y() - from.y() + 1))
        stage.fail(QStringLiteral("the crop left %1 x %2 pixels").arg(size.width()).arg(size.height()));
    g_cropShift = from;
}

void FillAt(Stage& stage, int row, std::initializer_list<QPointF> seeds)
{
    stage.find<QTableWidget>("theListView")->setCurrentCell(row, 1);
    stage.trigger("actFill");
    for (const QPointF seed : seeds) {
        stage.clickPicture(seed);
        stage.waitForWork();
    }
}

// The plan's lines stay black and black is left out of the measuring, so
// they count for nothing: the wing is painted red, the tailplane blue and
// the fuselage yellow, which is given the fuselage's role.
void FillOutlines(Stage& stage)
{
    stage.step("fill-outlines");
    // Rows of the colour list: black, red, green, blue, yellow, ...
    const std::initializer_list<QPointF> fuselage = {PlanPixel(150, 350), PlanPixel(700, 350), PlanPixel(1092, 350)};
    FillAt(stage, 1, {PlanPixel(410, 200)});
    FillAt(stage, 3, {PlanPixel(1035, 300)});
    FillAt(stage, 4, fuselage);
    stage.pressEsc();
    const auto pixel = [&](QPointF at) { return stage.find<PictureArea>("picBackBuffer")->picture().pixel(at.toPoint()); };
    for (const QPointF part : fuselage)
        if (pixel(part) != qRgb(255, 255, 0))
            stage.fail(QStringLiteral("the fuselage is not yellow at %1,%2").arg(part.x()).arg(part.y()));
    if (pixel(PlanPixel(410, 200)) != qRgb(255, 0, 0) || pixel(PlanPixel(1035, 300)) != qRgb(0, 0, 255))
        stage.fail(QStringLiteral("the wing or the tailplane is not painted"));

    auto* list = stage.find<QTableWidget>("theListView");
    list->setCurrentCell(4, 2);
    stage.trigger("actRole_fuselage");
    list->item(0, 0)->setCheckState(Qt::Unchecked);
    stage.settle();
    // The origin at the nose: a right click there.
    stage.clickPicture(PlanPixel(60, 350), Qt::RightButton);
    stage.expectNoMessage();
    stage.save("fill-outlines", stage.grabWindow());
}

void Balance(Stage& stage)
{
    stage.step("balance-panel");
    // A model's flight: at sea level, 13.6 m/s.
    stage.find<QLineEdit>("txtAltitude")->setText(QStringLiteral("0"));
    stage.find<QLineEdit>("txtMach")->setText(QLocale().toString(0.04));
    stage.trigger("actAnalyze");
    stage.waitForWork();
    // The balance's place beside the grid made larger, as by dragging the
    // dividers: at the window's first size it is a narrow strip.
    stage.resizeResults(330, 820);
    auto* tabs = stage.find<QTabWidget>("reportTabs");
    tabs->setCurrentIndex(1);
    stage.settle();
    if (stage.find<QPlainTextEdit>("txtBalance")->toPlainText().trimmed().isEmpty())
        stage.fail(QStringLiteral("the balance panel shows no results"));
    stage.save("balance-panel", stage.grabParts({stage.find<QWidget>("balancePanel")}));
}

// The masses of the examples' masses.csv, typed in as a user would.
void Masses(Stage& stage)
{
    stage.step("mass-panel");
    struct Item {
        const char* name;
        const char* mass;
        const char* x;
    };
    const bool german = stage.window().languageIndex() == kGerman;
    const Item english[] = {{"battery", "60", "150"}, {"receiver", "15", "300"}, {"servos", "30", "420"},
                            {"wing", "220", "700"},   {"fuselage", "120", "700"}, {"tailplane", "25", "1950"}};
    const Item deutsch[] = {{"Akku", "60", "150"},   {"Empfänger", "15", "300"}, {"Servos", "30", "420"},
                            {"Flügel", "220", "700"}, {"Rumpf", "120", "700"},    {"Höhenleitwerk", "25", "1950"}};
    const Item(&items)[6] = german ? deutsch : english;
    auto* table = stage.find<QTableWidget>("massItems");
    auto* add = stage.find<QAbstractButton>("btnAddMass");
    for (const Item& item : items) {
        add->click();
        stage.settle();
        const int row = table->rowCount() - 1;
        const char* cells[] = {item.name, item.mass, item.x};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* cell = table->item(row, column);
            if (cell == nullptr)
                stage.fail(QStringLiteral("the mass table has no cell %1,%2").arg(row).arg(column));
            cell->setText(QString::fromUtf8(cells[column]));
            stage.settle();
        }
    }
    stage.expectNoMessage();
    if (table->rowCount() != 6)
        stage.fail(QStringLiteral("the mass table has %1 rows").arg(table->rowCount()));
    // The table is below the roles in the balance's scrolled column.
    auto* panel = stage.find<QWidget>("massPanel");
    for (QWidget* up = panel->parentWidget(); up != nullptr; up = up->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
            scroll->ensureWidgetVisible(panel, 0, 0);
            break;
        }
    stage.settle();
    stage.save("mass-panel", stage.grabWindow());
}

} // namespace

void ShootPlan(Stage& stage)
{
    OpenPlan(stage);
    ScaleFromLine(stage);
    CropToAircraft(stage);
    FillOutlines(stage);
    Balance(stage);
    Masses(stage);
}

} // namespace centrafix::guide
