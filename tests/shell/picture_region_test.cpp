// The picture as users of picture-measuring tools expect to see it: in a
// region that takes all the room the panels leave, zoomed without changing what is
// measured, the pointer always on the picture pixel under it, the marks
// readable over it.

#include "form1_fixture.h"

#include "picture/result_plot.h"
#include "shell/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QScrollBar>

using namespace centrafix;
using test::Form1Test;

namespace {

class PictureRegion : public Form1Test {
protected:
    // Where picture pixel p shows in the view at the current zoom: inside it.
    QPoint viewPointOf(QPoint p)
    {
        const double z = view()->zoom();
        return QPoint(static_cast<int>(p.x() * z + z / 2), static_cast<int>(p.y() * z + z / 2));
    }

    void paste(const QImage& picture)
    {
        QGuiApplication::clipboard()->setImage(picture);
        click("btnPaste");
    }

    QRect clientRect() { return form->centralWidget()->rect(); }
};

QImage Plain(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

} // namespace

TEST_F(PictureRegion, ThePictureSizesItsViewAndTheRegionGrowsAndShrinksWithTheWindow)
{
    open();
    EXPECT_EQ(view()->size(), QSize(330, 314)) << "the example at 1:1";
    form->resize(1400, 900);
    const QRect region(scroll()->mapTo(form->centralWidget(), QPoint(0, 0)), scroll()->size());
    const auto placed = [&](const char* name) {
        QWidget* w = get<QWidget>(name);
        return QRect(w->mapTo(form->centralWidget(), QPoint(0, 0)), w->size());
    };
    const QRect side = placed("sidePanel"), results = placed("splitResults");
    EXPECT_EQ(region.topLeft(), QPoint(TwipsToPixels(120, form->logicalDpiX()), TwipsToPixels(60, form->logicalDpiY())))
        << "at the top left, inside the margins";
    EXPECT_LT(region.right(), side.left()) << "up to the side panel";
    EXPECT_LT(side.left() - region.right(), 10);
    EXPECT_EQ(clientRect().right() - side.right(), region.left()) << "which has the right margin";
    EXPECT_LT(region.bottom(), results.top()) << "down to the grid and the report";
    EXPECT_LT(results.top() - region.bottom(), 10);
    EXPECT_EQ(results.width(), clientRect().width() - 2 * region.left()) << "which take the window's width";
    EXPECT_LT(clientRect().bottom() - results.bottom(), 8) << "down to the status bar";
    form->resize(1200, 800);
    EXPECT_EQ(scroll()->size(), region.size() - QSize(200, 100)) << "the panels keep their sizes";
    EXPECT_EQ(placed("sidePanel").size(), side.size() - QSize(0, 100));
    EXPECT_EQ(placed("splitResults").height(), results.height());

    // A picture larger than the region is fitted, and stays fitted as the
    // window grows; a small one is shown at 1:1.
    paste(Plain(3000, 2000));
    EXPECT_TRUE(scroll()->mode().fit);
    EXPECT_LT(view()->zoom(), 1.0);
    EXPECT_TRUE(scroll()->viewport()->rect().contains(view()->geometry())) << "the whole picture in view";
    const double fitted = view()->zoom();
    form->resize(1400, 1000);
    EXPECT_GT(view()->zoom(), fitted);
    EXPECT_EQ(workingCopy().picture().size(), QSize(3000, 2000)) << "zooming never resamples the picture";
    paste(Plain(30, 20));
    EXPECT_FALSE(scroll()->mode().fit);
    EXPECT_EQ(view()->size(), QSize(30, 20));

    // Never smaller than what keeps every control whole.
    form->resize(200, 150);
    EXPECT_GE(form->centralWidget()->width(), form->centralWidget()->minimumWidth());
    EXPECT_GT(scroll()->height(), 100);
}

TEST_F(PictureRegion, PointerReadOutsAndTheOriginAddressThePixelUnderThePointerAtEveryZoom)
{
    open();
    field("txtScale")->setText("0.5");
    const QImage picture = workingCopy().picture();
    for (const double zoom : {0.25, 1.0, 3.0}) {
        SCOPED_TRACE(zoom);
        scroll()->setMode({false, zoom});
        scroll()->horizontalScrollBar()->setValue(0);
        scroll()->verticalScrollBar()->setValue(0);
        mouse(QEvent::MouseButtonPress, Qt::RightButton, viewPointOf({100, 40}));
        EXPECT_EQ(form->originColumn(), 100);
        EXPECT_EQ(form->originRow(), 40);
        EXPECT_EQ(shown().pixel(viewPointOf({100, 40})) & 0xFFFFFF, 0u) << "the origin's black disc on its pixel";
        // Pixels a 1:4 view can tell apart: every fourth.
        mouse(QEvent::MouseMove, Qt::NoButton, viewPointOf({120, 52}));
        EXPECT_EQ(status(), "x = 10.00, y = 6.00.");
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, viewPointOf({160, 152}));
        const QRgb c = picture.pixel(160, 152);
        EXPECT_EQ(status(), QString("(30.00/56.00), RGB(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
    }
    EXPECT_EQ(workingCopy().picture(), picture);
}

TEST_F(PictureRegion, ZoomKeepsThePointUnderTheWheelAndTheMarksKeepTheirSize)
{
    open();
    paste(Plain(2000, 2000));
    scroll()->actualSize();
    const QPointF at(100, 80);
    const QPointF before = view()->pictureAt(view()->mapFrom(scroll()->viewport(), at.toPoint()));
    QWheelEvent wheel(at, scroll()->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(scroll()->viewport(), &wheel);
    EXPECT_EQ(view()->zoom(), 1.5);
    const QPointF after = view()->pictureAt(view()->mapFrom(scroll()->viewport(), at.toPoint()));
    EXPECT_LE((after - before).manhattanLength(), 1.0);

    // The total's A.C. marker is 17 pixels across on screen however small
    // the picture shows.
    QImage planform = Plain(2000, 2000);
    planform.fill(Qt::white);
    for (int y = 900; y < 1100; ++y)
        for (int x = 200; x < 1800; ++x)
            planform.setPixel(x, y, qRgb(255, 0, 0));
    paste(planform);
    scroll()->setMode({false, 0.125});
    analyze();
    int black = 0; // around the band's middle row, far below the origin mark
    const QImage screen = shown();
    for (int y = 100; y < 150; ++y)
        for (int x = 0; x < screen.width(); ++x)
            black += (screen.pixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_GT(black, 60) << "the marker's ring and quarters, not a dot";
}

TEST_F(PictureRegion, TheCheckBoxesShowAndHideTheMarksAtOnce)
{
    open();
    analyze();
    const QImage total = shown();
    get<QCheckBox>("chkAreaAC")->setChecked(true);
    const QImage withAC = shown();
    EXPECT_NE(withAC, total) << "every colour's A.C. appears without a new run";
    get<QCheckBox>("chkAreaCG")->setChecked(true);
    EXPECT_NE(shown(), withAC);
    get<QCheckBox>("chkAreaAC")->setChecked(false);
    get<QCheckBox>("chkAreaCG")->setChecked(false);
    EXPECT_EQ(shown(), total);

    // The bitmap copy draws the marks the boxes choose into the picture's own
    // pixels as the plot draws them (the screen sets its labels apart), and
    // the quarter-chord marks inverted over them.
    get<QCheckBox>("chkAreaCG")->setChecked(true);
    click("btnCopyBitmap");
    const QImage withBalance = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    // The balance's marks have a switch of their own.
    form->findChild<QAction*>("actShowBalance")->setChecked(false);
    click("btnCopyBitmap");
    const QImage copy = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(withBalance, copy) << "the MAC bars, the neutral point and the C.G. band";
    PictureArea plotted;
    plotted.setPicture(workingCopy().picture());
    PlotResults(plotted, form->colorObjects(), engineRun().values, form->originX(), form->originY(),
                PlotChoice{false, true}, kGerman);
    const QImage screen = plotted.image();
    ASSERT_EQ(copy.size(), screen.size());
    int inverted = 0;
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 0; x < copy.width(); ++x) {
            const QRgb a = copy.pixel(x, y) & 0xFFFFFF, b = screen.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(a == b || a == (b ^ 0xFFFFFF)) << x << "," << y;
            inverted += a != b;
        }
    EXPECT_GT(inverted, 100) << "the quarter-chord lines";
    click("btnCopyBitmap");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), copy)
        << "the same picture every time";
}
