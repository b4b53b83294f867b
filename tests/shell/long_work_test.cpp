// Long work off the user-interface thread: the analysis and the picture
// passes run on a worker while the window keeps taking events, Esc and a close
// take effect at the run's next object boundary, and a pass replaces the
// working copy only once it is done. Nothing here waits for time to pass: the
// worker is held at a known report until the window has done its part.

#include "form1_fixture.h"

#include "address_space_limit.h"

#include "picture/picture_ops.h"

#include <QSemaphore>

using namespace centrafix;
using test::Form1Test;

namespace {

// A run stopped, as Esc stops it, after `objects` object boundaries; never
// when negative.
class StoppingObserver : public AnalysisObserver {
public:
    explicit StoppingObserver(int objects) : m_left(objects) {}
    void yieldToEvents() override
    {
        if (m_left > 0)
            --m_left;
    }
    bool abortRequested() override { return m_left == 0; }

private:
    int m_left;
};

class LongWork : public Form1Test {
protected:
    AnalysisSession* session() { return form->findChild<AnalysisSession*>(); }

    // What the engine alone leaves in the colour table for the window's
    // inputs, starting from `objects`.
    ColorObjectTable engineObjects(ColorObjectTable objects, int stopAfter = -1)
    {
        AnalysisInputs in;
        in.toleranceText = field("txtTolerance")->text().toStdString();
        in.scaleText = field("txtScale")->text().toStdString();
        in.ticked.fill(true);
        in.ticked[0] = false;
        in.languageIndex = form->languageIndex();
        const Result<RunSetup> setup = PrepareRun(in);
        EXPECT_TRUE(setup.ok());
        StoppingObserver observer(stopAfter);
        const QImage picture = workingCopy().picture();
        RunAnalysis(RasterViewOf(picture), objects, *setup, in, observer);
        return objects;
    }

    static void expectSameMeasures(const ColorObjectTable& shown, const ColorObjectTable& expected)
    {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(shown[i].Found, expected[i].Found);
            EXPECT_EQ(shown[i].Area, expected[i].Area);
            EXPECT_EQ(shown[i].Outline, expected[i].Outline);
            EXPECT_EQ(shown[i].RefLength, expected[i].RefLength);
            EXPECT_EQ(shown[i].AreaPercent, expected[i].AreaPercent);
        }
    }

    void paste(const QImage& picture)
    {
        QGuiApplication::clipboard()->setImage(picture);
        click("btnPaste");
        ASSERT_EQ(workingCopy().picture().size(), picture.size());
    }
};

// Seven bars, one of each colour, on white.
QImage SevenColours(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRgb colours[] = {qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),  qRgb(0, 0, 255),
                            qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)};
    const int bar = w / 8;
    for (int i = 0; i < 7; ++i)
        for (int y = h / 8; y < h - h / 8; ++y)
            for (int x = bar / 2 + bar * i; x < bar * (i + 1); ++x)
                picture.setPixel(x, y, colours[i]);
    return picture;
}

} // namespace

TEST_F(LongWork, EscAtTheFirstObjectBoundaryKeepsThatObjectAndLeavesTheOthersAsTheLastRunDid)
{
    open();
    tickAllColours();
    analyze();
    const ColorObjectTable before = form->colorObjects();
    expectSameMeasures(before, engineObjects(MakeColorObjects(kGerman)));

    // Another scale: the first object's measures change, the others' would.
    field("txtScale")->setText("0.5");
    bool pressed = false;
    // The run waits in its first object's progress report until the window has
    // taken the key: the request meets the run at the next object's head.
    const QMetaObject::Connection first = QObject::connect(
        session(), &AnalysisSession::progressChanged, form.get(),
        [&](qint64 value) {
            if (value > 0 && !pressed) {
                pressed = true;
                pressEsc();
            }
        },
        Qt::BlockingQueuedConnection);
    analyze();
    QObject::disconnect(first);
    ASSERT_TRUE(pressed);

    EXPECT_EQ(status(), "Abgebrochen.");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_TRUE(report().isEmpty());
    ColorObjectTable expected = before;
    expected[1] = engineObjects(before, 1)[1];
    EXPECT_NE(expected[1].Area, before[1].Area) << "the first object was measured again";
    expectSameMeasures(form->colorObjects(), expected);
    expectIdle();
}

TEST_F(LongWork, TheWindowTakesEventsWhileARunGoes)
{
    open();
    paste(SevenColours(2400, 1800));
    tickAllColours();
    // The run waits in its first object's progress report, on its own thread,
    // until a zero timer has fired on the window's: that can only happen
    // while the window's event loop runs beside the run.
    QSemaphore timerFired;
    bool released = false;
    const QMetaObject::Connection held = QObject::connect(
        session(), &AnalysisSession::progressChanged, session(),
        [&](qint64 value) {
            if (value > 0 && !released)
                released = timerFired.tryAcquire(1, 60'000);
        },
        Qt::DirectConnection);
    bool busyMeanwhile = false;
    QTimer::singleShot(0, form.get(), [&] {
        busyMeanwhile = form->isRunning() && !get<QPushButton>("btnAnalyze")->isEnabled() &&
                        get<QProgressBar>("theProgressBar")->isVisible();
        form->grab(); // the window paints
        timerFired.release();
    });
    analyze();
    QObject::disconnect(held);
    EXPECT_TRUE(released) << "the timer could not fire while the run went";
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_EQ(grid()->rowCount(), 8);
    EXPECT_EQ(copyTable(), TableText(engineRun(), kGerman));
    expectIdle();
}

TEST_F(LongWork, EveryPassIsTintedOnTheDisplayAndTheTintGoesWithTheRun)
{
    open();
    tickAllColours();
    int painted = 0;
    int withPixels = 0;
    int shownAsPainted = 0;
    // Connected after the window's own handler, so it sees the display just
    // as that pass left it: every pixel of the pass's mask in its colour.
    QObject::connect(
        session(), &AnalysisSession::passPainted, form.get(), [&](const PassFeedback& feedback, const PassMask& mask) {
            ++painted;
            const QImage& screen = display().screen();
            const auto width = static_cast<std::size_t>(screen.width());
            if (!mask || mask->size() != width * static_cast<std::size_t>(screen.height()))
                return;
            bool any = false, same = true;
            for (std::size_t k = 0; k < mask->size(); ++k) {
                const std::uint8_t m = (*mask)[k];
                if (m == 0)
                    continue;
                any = true;
                const QRgb want = ToRasterWord(m == 1 ? feedback.tint : feedback.color);
                same = same && screen.pixel(static_cast<int>(k % width), static_cast<int>(k / width)) == want;
            }
            withPixels += any;
            shownAsPainted += same;
        });
    analyze();
    // The example has four colours: seven scan passes, four of each edge search.
    EXPECT_EQ(painted, 7 + 4 + 4);
    EXPECT_EQ(withPixels, 4 + 4 + 4);
    EXPECT_EQ(shownAsPainted, painted);
    const QImage& screen = display().screen();
    int tinted = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            tinted += screen.pixel(x, y) != workingCopy().picture().pixel(x, y);
    EXPECT_LT(tinted, screen.width() * screen.height() / 100) << "only the plot's marks stay";
}

TEST_F(LongWork, ACloseDuringARunWaitsForTheNextObjectBoundaryAndSavesTheSettings)
{
    open();
    field("txtMach")->setText("0.7");
    bool closed = false;
    const QMetaObject::Connection first = QObject::connect(
        session(), &AnalysisSession::progressChanged, form.get(),
        [&](qint64 value) {
            if (value > 0 && !closed) {
                closed = true;
                form->close();
                EXPECT_TRUE(form->isVisible()) << "the close waits for the run";
            }
        },
        Qt::BlockingQueuedConnection);
    analyze();
    QObject::disconnect(first);
    ASSERT_TRUE(closed);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isRunning());
    EXPECT_TRUE(form->colorObjects()[1].Found);
    EXPECT_FALSE(form->colorObjects()[2].Found) << "the run stopped at the second object";
    EXPECT_EQ(QSettings(storePath(), QSettings::IniFormat).value("Centrafix/Mach").toString(), "0.7");
}

TEST_F(LongWork, AWindowDestroyedWhileItsRunGoesStopsTheRunFirst)
{
    open();
    paste(SevenColours(2400, 1800));
    tickAllColours();
    get<QPushButton>("btnAnalyze")->click();
    ASSERT_TRUE(form->isRunning());
    form.reset();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(LongWork, APicturePassReplacesTheWorkingCopyOnlyWhenItIsDone)
{
    open();
    const QImage before = workingCopy().picture();
    get<QPushButton>("btnInvert")->click();
    ASSERT_TRUE(form->isBusy());
    EXPECT_EQ(workingCopy().picture().cacheKey(), before.cacheKey()) << "the old one, until the pass is done";
    for (const char* name : {"btnAnalyze", "btnOpen", "btnPaste", "btnFlip", "btnInvert", "btnCopyBitmap"})
        EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name;
    form->btnInvert_Click(); // a second pass on top is refused while busy
    waitForWork();
    EXPECT_EQ(workingCopy().picture(), InvertedPicture(before, 10));
    EXPECT_EQ(display().screen(), workingCopy().picture());
    EXPECT_TRUE(form->messages.isEmpty());
}

TEST_F(LongWork, APassThatRunsOutOfMemoryChangesNothing)
{
    if (!test::AddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    open();
    QImage big(6000, 6000, QImage::Format_RGB32); // 144 MB; the pass's picture needs as much again
    big.fill(Qt::red);
    paste(big);
    const qint64 before = workingCopy().picture().cacheKey();
    {
        const test::AddressSpaceLimit limit(32u << 20);
        click("btnInvert");
    }
    {
        const test::AddressSpaceLimit limit(32u << 20);
        ASSERT_TRUE(cleanUp("100"));
    }
    EXPECT_EQ(form->messages, QStringList(2, "Nicht genug Speicher für dieses Bild."));
    EXPECT_EQ(workingCopy().picture().cacheKey(), before);
    EXPECT_EQ(display().screen().cacheKey(), before);
    expectIdle();
}
