// The plan tools as a user meets them: a line drawing cropped by a drag and
// filled by clicks, a leak refused, undo back to the drawing bit for bit,
// and the batch command given the same steps measuring exactly what the
// window measured.

#include "form1_fixture.h"

#include "cli/batch_options.h"
#include "cli/picture_run.h"
#include "engine/results_grid.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

using namespace centrafix;
using test::Form1Test;

namespace {

// A plan as it comes: a wing and a tailplane outlined in black, a dimension
// line and a title beside them, anti-aliased as a scan or a PDF gives it.
QImage LineDrawing()
{
    QImage image(500, 360, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3));
    p.drawPolygon(QPolygonF({{60, 60}, {300, 90}, {300, 150}, {60, 180}}));
    p.drawRect(QRectF(360, 80, 80, 70));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(60, 220, 300, 220);
    p.drawLine(60, 212, 60, 228);
    p.drawLine(300, 212, 300, 228);
    p.drawText(QPointF(150, 250), QStringLiteral("240 mm"));
    p.drawText(QPointF(60, 300), QStringLiteral("Tragfläche und Höhenleitwerk 1:10"));
    return image;
}

class PlanTools : public Form1Test {
protected:
    void trigger(const char* name)
    {
        QAction* a = form->findChild<QAction*>(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    QPoint inside(QPoint p) const
    {
        const double z = form->findChild<PictureView*>("picSide")->zoom();
        return QPoint(static_cast<int>(p.x() * z + z * 0.5), static_cast<int>(p.y() * z + z * 0.5));
    }
    void click(QPoint pixel)
    {
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, inside(pixel));
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, inside(pixel));
        waitForWork();
    }
    void drag(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, inside(from));
        mouse(QEvent::MouseMove, Qt::LeftButton, inside(to));
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, inside(to));
        waitForWork();
    }
    void chooseColour(int i) { list()->setCurrentCell(i - 1, 0); }
    QImage picture() { return workingCopy().picture(); }
};

} // namespace

TEST_F(PlanTools, ACroppedAndFilledDrawingMeasuresAsTheBatchCommandWithTheSameSteps)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    const QString path = dir.filePath("plan.png");
    ASSERT_TRUE(LineDrawing().save(path));
    form->openPictureFile(path);
    trigger("actActualSize"); // the clicks land on whole pixels
    const QImage drawing = picture();

    trigger("actCrop");
    drag({20, 20}, {479, 319});
    ASSERT_EQ(picture().size(), QSize(460, 300));
    const QImage cropped = picture();

    trigger("actFill");
    chooseColour(2);
    click({130, 100}); // inside the wing
    chooseColour(4);
    click({380, 100}); // inside the tailplane
    EXPECT_EQ(picture().pixel(130, 100), qRgb(255, 0, 0));
    EXPECT_EQ(picture().pixel(380, 100), qRgb(0, 0, 255));
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();

    // Outside every outline the fill reaches the border: refused, named,
    // nothing changed, and the tool stays for the next click.
    const QImage filled = picture();
    click({5, 5});
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].contains("(5, 5)")) << form->messages[0].toStdString();
    EXPECT_EQ(picture(), filled);
    pressEsc();

    tickAllColours();
    analyze();
    const QString window = copyTable();

    BatchOptions options;
    ASSERT_FALSE(ParseBatchOptions({"centrafix-cli", path, "--language", "en", "--crop", "20,20,460,300", "--fill",
                                    "130,100=red", "--fill", "380,100=blue"},
                                   options));
    const Result<std::shared_ptr<PictureRun>> batch = RunPicture(options, path, ".", false);
    ASSERT_TRUE(batch.ok()) << ErrorText(batch.error(), kEnglish);
    EXPECT_EQ(window, TableText((*batch)->result, kEnglish));

    // Undo goes back through both fills and the crop to the drawing.
    trigger("actUndo");
    trigger("actUndo");
    EXPECT_EQ(picture(), cropped);
    trigger("actUndo");
    EXPECT_EQ(picture(), drawing);
}

TEST_F(PlanTools, TheFillSettingsAreKeptAndAStoredValueOutOfRangeKeepsItsDefault)
{
    store("FillGap", "99");
    store("MapTolerance", "abc");
    open();
    int gap = -1;
    ASSERT_TRUE(answeringDialog([&] { trigger("actFillSettings"); },
                                [&](QDialog& d) {
                                    gap = d.findChild<QSpinBox*>("spinGap")->value();
                                    d.findChild<QSpinBox*>("spinThreshold")->setValue(300);
                                    d.findChild<QSpinBox*>("spinGap")->setValue(4);
                                    d.accept();
                                }));
    EXPECT_EQ(gap, 2) << "a stored 99 is no gap the fill takes";
    form->close();
    const QSettings stored(storePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Centrafix/LineThreshold").toString(), "300");
    EXPECT_EQ(stored.value("Centrafix/FillGap").toString(), "4");
    EXPECT_EQ(stored.value("Centrafix/MapTolerance").toString(), "60") << "written back, as the file had the key";

    open();
    int threshold = -1;
    ASSERT_TRUE(answeringDialog([&] { trigger("actFillSettings"); },
                                [&](QDialog& d) {
                                    threshold = d.findChild<QSpinBox*>("spinThreshold")->value();
                                    d.reject();
                                }));
    EXPECT_EQ(threshold, 300);
}

// Four clicked corners of a skewed frame and the rectangle's size: the
// picture is straightened,
// the scale set from the size, and the step undone like any other. Without a
// colour chosen in the list, a fill paints red.
TEST_F(PlanTools, StraightenByFourClicksSetsTheScaleAndAFillWithoutAChosenColourIsRed)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    QImage frame(400, 300, QImage::Format_RGB32);
    frame.fill(Qt::white);
    {
        QPainter p(&frame);
        p.setPen(QPen(Qt::black, 3));
        p.drawPolygon(QPolygon({QPoint(50, 40), QPoint(350, 50), QPoint(340, 240), QPoint(60, 230)}));
    }
    const QString path = dir.filePath("frame.png");
    ASSERT_TRUE(frame.save(path));
    form->openPictureFile(path);
    trigger("actActualSize");

    trigger("actStraighten");
    click({50, 40});
    click({350, 50});
    click({340, 240});
    ASSERT_TRUE(answeringDialog(
        [&] {
            click({60, 230});
        },
        [](QDialog& d) {
            d.findChild<QLineEdit*>("txtWidth")->setText("150");
            d.findChild<QLineEdit*>("txtHeight")->setText("100");
            d.accept();
        }));
    waitForWork();
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_NE(picture(), frame);
    EXPECT_NEAR(field("txtScale")->text().toDouble(), 0.5, 0.01) << "150 units over about 300 pixels";
    trigger("actUndo");
    EXPECT_EQ(picture(), frame);

    list()->setCurrentCell(-1, -1);
    trigger("actFill");
    click({200, 140});
    EXPECT_EQ(picture().pixel(200, 140), qRgb(255, 0, 0));
}

// A tinted drawing: the colour clicked and every pixel near it become the
// colour chosen in the dialog; the dialog offers white and the seven colours.
// A crop whose button came up without going down on the picture does nothing.
TEST_F(PlanTools, MapAColourByAClickAndACropNeedsItsPress)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    QImage tinted(200, 100, QImage::Format_RGB32);
    tinted.fill(qRgb(250, 248, 240));
    QPainter(&tinted).fillRect(QRect(20, 20, 60, 40), QColor(200, 40, 35));
    const QString path = dir.filePath("tinted.png");
    ASSERT_TRUE(tinted.save(path));
    form->openPictureFile(path);
    trigger("actActualSize");

    trigger("actMapColour");
    QStringList offered;
    ASSERT_TRUE(answeringDialog(
        [&] {
            click({30, 30});
        },
        [&](QDialog& d) {
            auto* target = d.findChild<QComboBox*>("cbTarget");
            for (int i = 0; i < target->count(); ++i)
                offered << target->itemText(i);
            target->setCurrentIndex(2); // red
            d.accept();
        }));
    waitForWork();
    EXPECT_EQ(offered, (QStringList{"White", "black", "red", "green", "blue", "yellow", "cyan", "magenta"}));
    EXPECT_EQ(picture().pixel(50, 40), qRgb(255, 0, 0));
    EXPECT_EQ(picture().pixel(5, 5), qRgb(250, 248, 240)) << "the paper is far from the clicked colour";
    pressEsc();

    const QImage mapped = picture();
    trigger("actCrop");
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, inside({150, 80}));
    waitForWork();
    EXPECT_EQ(picture(), mapped);
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
}

// Two clicks on a tilted line level the picture; a tolerance the mapping
// cannot take keeps its dialog open, saying why, and Cancel changes nothing.
TEST_F(PlanTools, LevelByTwoClicksAndARefusedToleranceChangesNothing)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    QImage tilted(300, 200, QImage::Format_RGB32);
    tilted.fill(Qt::white);
    {
        QPainter p(&tilted);
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(40, 80, 260, 120);
    }
    const QString path = dir.filePath("tilted.png");
    ASSERT_TRUE(tilted.save(path));
    form->openPictureFile(path);
    trigger("actActualSize");

    trigger("actLevel");
    click({40, 80});
    EXPECT_EQ(picture(), tilted) << "one point is no line yet";
    click({260, 120});
    EXPECT_NE(picture().size(), tilted.size()) << "the turned picture is larger";
    trigger("actUndo");
    EXPECT_EQ(picture(), tilted);

    trigger("actMapColour");
    QString problem;
    ASSERT_TRUE(answeringDialog(
        [&] {
            click({150, 100});
        },
        [&](QDialog& d) {
            d.findChild<QLineEdit*>("txtTolerance")->setText("0");
            d.accept();
            problem = d.findChild<QLabel*>("lblProblem")->text();
            d.reject();
        }));
    waitForWork();
    EXPECT_TRUE(problem.contains("\"0\"")) << problem.toStdString();
    EXPECT_EQ(picture(), tilted);
}
