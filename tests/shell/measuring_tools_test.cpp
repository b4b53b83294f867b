// The Picture menu's measuring tools as a user meets them: a scale set by
// drawing a line over a known length at any zoom, and a scan or JPEG cleaned
// up before it is measured.

#include "form1_fixture.h"

#include "engine/eval_number.h"
#include "engine/results_grid.h"
#include "picture/picture_ops.h"

#include <QAction>
#include <QBuffer>
#include <QDialog>
#include <QInputDialog>

using namespace centrafix;
using test::Form1Test;

namespace {

class MeasuringTools : public Form1Test {
protected:
    void trigger(const char* action)
    {
        QAction* a = form->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }

    static void answerLength(QDialog& dialog, const QString& length, const QString& unit)
    {
        dialog.findChild<QLineEdit*>("txtLength")->setText(length);
        dialog.findChild<QLineEdit*>("txtUnit")->setText(unit);
        dialog.accept();
    }

    // The view's point inside picture pixel `p` at the view's zoom, off the
    // pixel's centre: the line still snaps to it.
    QPoint inside(QPoint p) const
    {
        const double z = form->findChild<PictureView*>("picSide")->zoom();
        return QPoint(static_cast<int>(p.x() * z + z * 0.8), static_cast<int>(p.y() * z + z * 0.2));
    }

    void press(QPoint pixel) { mouse(QEvent::MouseButtonPress, Qt::LeftButton, inside(pixel)); }
    void moveTo(QPoint pixel) { mouse(QEvent::MouseMove, Qt::LeftButton, inside(pixel)); }
    void release(QPoint pixel) { mouse(QEvent::MouseButtonRelease, Qt::LeftButton, inside(pixel)); }

    // Draws a line from pixel a to pixel b and answers the dialog.
    bool drawLine(QPoint a, QPoint b, const QString& length, const QString& unit = {})
    {
        trigger("actScaleLine");
        press(a);
        moveTo(b);
        return answeringDialog([&] { release(b); }, [&](QDialog& d) { answerLength(d, length, unit); });
    }

    double scale() { return *EvalNumber(field("txtScale")->text().toStdString(), Field::ScaleFactor, ","); }

    // The example, four times as large and saved as a JPEG: what a scan or a
    // compressed copy of a drawing looks like.
    QString jpegExample()
    {
        const QImage example = ExamplePicture();
        const QImage big = example.scaled(example.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString path = dir.filePath("example.jpg");
        EXPECT_TRUE(big.save(path, "JPEG", 75));
        return path;
    }
};

} // namespace

TEST_F(MeasuringTools, AScaleLineSetsTheScaleAtAnyZoomAndTheOriginFollows)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    open();
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {100, 157});
    for (const double zoom : {1.0, 3.0}) {
        SCOPED_TRACE(zoom);
        scroll()->setMode({false, zoom});
        trigger("actScaleLine");
        press({10, 20});
        moveTo({40, 60});
        // Shown while dragging: the line between the two centres, and its length.
        EXPECT_EQ(view()->scaleLine(), QLine(10, 20, 40, 60));
        EXPECT_TRUE(status().startsWith("50,00")) << status().toStdString();
        ASSERT_TRUE(answeringDialog([&] { release({40, 60}); }, [&](QDialog& d) { answerLength(d, "1/3", "m"); }));
        // Length over pixels, in the user's convention, with the digits to
        // give back the same factor.
        EXPECT_EQ(field("txtScale")->text(), "0,00666666666666667");
        EXPECT_NEAR(scale(), 1.0 / 150, 1e-15 / 150);
        EXPECT_NEAR(form->originX(), 100.0 / 150, 1e-13);
        EXPECT_FALSE(form->drawingScaleLine());
        EXPECT_FALSE(view()->scaleLine().has_value());
        field("txtScale")->setText("1");
    }
    // A diagonal at 300 %, beyond the picture's edge: kept on its last pixel.
    ASSERT_TRUE(drawLine({0, 0}, {400, 4}, "2*164,5", "mm"));
    EXPECT_NEAR(scale(), 329.0 / std::hypot(329.0, 4.0), 1e-14);
    EXPECT_EQ(field("txtScaleUnit")->text(), "mm") << "the unit shows beside the scale";

    // The unit names the report's size line, never a column of the grid, and
    // stays for the next session.
    tickAllColours();
    analyze();
    EXPECT_TRUE(report().contains("mm")) << report().toStdString();
    EXPECT_FALSE(copyTable().section("\r\n", 0, 0).contains("mm"));
    form->close();
    EXPECT_TRUE(storeBytes().contains("Unit=mm")) << storeBytes().toStdString();
}

// The line dialog invites a unit; a length the drag estimate knows is turned
// into metres for it, so 300 pixels over 3000 mm measure as 3 m do.
TEST_F(MeasuringTools, TheUnitOfTheScaleLineGivesTheDragEstimateItsMetres)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    ASSERT_TRUE(drawLine({10, 20}, {310, 20}, "3000", "mm"));
    EXPECT_DOUBLE_EQ(scale(), 10.0);
    tickAllColours();
    analyze();
    // The example at 0.01 m per pixel (the batch command's golden figures).
    EXPECT_TRUE(report().contains("\nCD_lam = 0.000833\nCD_turb = 0.005809\n")) << report().toStdString();
}

TEST_F(MeasuringTools, EscAClickACancelOrABadLengthChangeNothing)
{
    open();
    const QString before = field("txtScale")->text();
    trigger("actScaleLine");
    press({10, 10});
    moveTo({50, 10});
    pressEsc();
    EXPECT_FALSE(form->drawingScaleLine());
    EXPECT_FALSE(view()->scaleLine().has_value());
    EXPECT_FALSE(form->abortRequested()) << "Esc ended the line, not a run";

    // A click is a line of no length: no question, no scale.
    trigger("actScaleLine");
    press({10, 10});
    EXPECT_FALSE(answeringDialog([&] { release({10, 10}); }, [](QDialog& d) { d.reject(); }));
    EXPECT_FALSE(form->drawingScaleLine());

    trigger("actScaleLine");
    press({10, 10});
    moveTo({50, 10});
    QString problem;
    EXPECT_TRUE(answeringDialog(
        [&] {
            release({50, 10});
        },
        [&](QDialog& d) {
            for (const char* bad : {"", "abc", "0", "-2"}) {
                answerLength(d, bad, "in");
                EXPECT_TRUE(d.isVisible()) << bad;
                problem = d.findChild<QLabel*>("lblProblem")->text();
                EXPECT_TRUE(problem.contains(bad)) << problem.toStdString();
            }
            d.reject();
        }));
    EXPECT_EQ(field("txtScale")->text(), before);
    EXPECT_EQ(form->originX(), 0.0);
    // Without the line's mode a left click reads the pixel out, and its
    // release asks nothing.
    press({10, 10});
    const QString readout = status();
    EXPECT_FALSE(answeringDialog([&] { release({50, 10}); }, [](QDialog& d) { d.reject(); }));
    EXPECT_EQ(status(), readout);
    EXPECT_FALSE(view()->scaleLine().has_value());
    form->close();
    EXPECT_FALSE(storeBytes().contains("Unit=")) << "no unit was given";
}

TEST_F(MeasuringTools, CleanUpMakesTheWorkingCopyThatTheNextRunMeasures)
{
    open();
    form->openPictureFile(jpegExample());
    const QImage jpeg = workingCopy().picture();
    tickAllColours();
    analyze();
    const QString before = copyTable();

    // A threshold the user mistyped changes nothing.
    ASSERT_TRUE(cleanUp("0"));
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].contains("\"0\"")) << form->messages[0].toStdString();
    EXPECT_EQ(workingCopy().picture(), jpeg);

    ASSERT_TRUE(cleanUp("150"));
    std::int64_t changed = 0;
    EXPECT_EQ(workingCopy().picture(), CleanedUpPicture(jpeg, 150, &changed));
    EXPECT_GT(changed, 0);
    EXPECT_TRUE(status().contains(QString::number(changed))) << status().toStdString();
    EXPECT_EQ(display().image(), workingCopy().picture()) << "the display shows the new working copy";
    expectIdle();

    tickAllColours();
    analyze();
    const QString after = copyTable();
    EXPECT_NE(after, before);
    EXPECT_EQ(after, TableText(engineRun(), form->languageIndex()));

    // The threshold is remembered and offered again.
    form->close();
    EXPECT_TRUE(storeBytes().contains("CleanUpThreshold=150"));
    open();
    QString offered;
    ASSERT_TRUE(answeringDialog([&] { trigger("actCleanUp"); },
                                [&](QDialog& d) {
                                    offered = static_cast<QInputDialog&>(d).textValue();
                                    d.reject();
                                }));
    EXPECT_EQ(offered, "150");
}

TEST_F(MeasuringTools, NeitherToolStartsWhileARunHoldsThePicture)
{
    open();
    tickAllColours();
    bool cleanUpOff = false, lineOff = false;
    analyzeWithHook([] { return true; },
                    [&] {
                        cleanUpOff = !form->findChild<QAction*>("actCleanUp")->isEnabled();
                        lineOff = !form->findChild<QAction*>("actScaleLine")->isEnabled();
                    });
    EXPECT_TRUE(cleanUpOff);
    EXPECT_TRUE(lineOff);
}
