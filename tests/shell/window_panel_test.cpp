// The window's panel as a new user meets it: every control in view at the
// sizes screens have, the inputs a run reads all visible and kept, weights
// in a column of their own, marks readable over any picture, and a settings
// file that survives the user's own editing.

#include "form1_fixture.h"

#include "picture/mark_sprites.h"
#include "picture/result_plot.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>

using namespace centrafix;
using test::Form1Test;

namespace {

class WindowPanel : public Form1Test {
protected:
    void german() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void english() { get<QComboBox>("cbLanguage")->setCurrentIndex(1); }

    // A field typed into and left with Enter, as a user does.
    void enter(const char* name, const QString& text)
    {
        QLineEdit* f = field(name);
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }

    // Edits the name of colour row r in place.
    void editName(int r, const QString& text)
    {
        list()->setCurrentItem(entry(r));
        list()->editItem(entry(r));
        auto* editor = qobject_cast<QLineEdit*>(list()->indexWidget(list()->model()->index(r, 0)));
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits the edit from its queue
    }

    // Types into the weight column of colour row r; the editor must be a
    // number editor.
    void editWeight(int r, const QString& text)
    {
        QTableWidgetItem* weight = list()->item(r, 1);
        list()->setCurrentItem(weight);
        list()->editItem(weight);
        auto* spin = qobject_cast<QDoubleSpinBox*>(list()->indexWidget(list()->model()->index(r, 1)));
        ASSERT_NE(spin, nullptr);
        auto* line = spin->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(spin, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    void paste(const QImage& picture)
    {
        QGuiApplication::clipboard()->setImage(picture);
        click("btnPaste");
    }

    QRect onScreen(QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }
};

QImage Filled(int w, int h, QRgb colour)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

void Paint(QImage& picture, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            picture.setPixel(x, y, colour);
}

constexpr QRgb kLabelOrange = qRgb(255, 192, 64);

int CountOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST_F(WindowPanel, AWindowLeftOnALargerScreenOpensWhollyOnThisOne)
{
    open();
    const QRect available = form->screen()->availableGeometry();
    for (const QRect left :
         {QRect(200, 150, 1280, 900), QRect(available.right() - 100, available.bottom() - 80, 640, 500)}) {
        SCOPED_TRACE(left.x());
        form->setGeometry(left);
        form->close();
        open();
        EXPECT_TRUE(available.contains(form->frameGeometry())) << "frame, menus and all";
        for (const char* name : {"StatusBar1", "theListView", "txtReport", "txtMach", "cbLanguage", "picSideScroll"})
            EXPECT_TRUE(available.contains(onScreen(get<QWidget>(name)))) << name;
    }
}

// At the size a 1024 x 700 screen leaves a window, and on a large one.
TEST_F(WindowPanel, AtEverySizeAllSevenColoursTheWholeGridAndTheProgressWithTheZoomShow)
{
    open();
    for (const QSize size : {QSize(1024 - 16, 700 - 48), QSize(1920, 1080), form->minimumSizeHint()})
        for (const int language : {0, 1}) {
            SCOPED_TRACE(
                QString("%1 x %2, language %3").arg(size.width()).arg(size.height()).arg(language).toStdString());
            form->resize(size);
            get<QComboBox>("cbLanguage")->setCurrentIndex(language);
            tickAllColours();
            const QRect rows = list()->viewport()->rect();
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 2; ++c)
                    EXPECT_TRUE(rows.contains(list()->visualItemRect(list()->item(r, c)))) << r << "," << c;
            const QAbstractItemView* colours = list();
            for (int c = 0; c < 2; ++c)
                EXPECT_GE(list()->columnWidth(c),
                          std::max(colours->sizeHintForColumn(c), list()->horizontalHeader()->sectionSizeHint(c)))
                    << "names and weights whole, column " << c;

            analyzeWithHook([] { return true; },
                            [&] {
                                auto* progress = get<QProgressBar>("theProgressBar");
                                auto* zoom = get<QLabel>("StatusBar1Panel2");
                                EXPECT_TRUE(progress->isVisible());
                                EXPECT_TRUE(zoom->isVisible());
                                EXPECT_FALSE(onScreen(progress).intersects(onScreen(zoom)))
                                    << "the progress bar beside the zoom";
                                EXPECT_GE(zoom->width(), zoom->sizeHint().width()) << zoom->text().toStdString();
                                EXPECT_TRUE(onScreen(form->statusBar()).contains(onScreen(progress)));
                                EXPECT_TRUE(onScreen(form->statusBar()).contains(onScreen(zoom)));
                            });
            ASSERT_EQ(grid()->rowCount(), 5);
            if (size.width() >= 1000) {
                EXPECT_EQ(grid()->horizontalScrollBar()->maximum(), 0) << "every column of the grid in view";
                for (int c = 0; c < grid()->columnCount(); ++c)
                    EXPECT_GE(grid()->columnWidth(c), grid()->horizontalHeader()->sectionSizeHint(c)) << c;
            }
        }
}

TEST_F(WindowPanel, ThePanelsComeBackAsTheUserLeftThemAndWhatIsNoSizeIsIgnored)
{
    const auto sizes = [&] {
        QList<int> all;
        for (const char* name : {"splitPicture", "splitMain", "splitResults"})
            all << get<QSplitter>(name)->sizes();
        return all;
    };
    // A window of the store's own, as new, for what the panels start with.
    open(dir.filePath("fresh.ini"));
    const QList<int> fresh = sizes();
    const QSize size = form->size();
    form->close();

    open();
    form->resize(size);
    ASSERT_EQ(sizes(), fresh);
    get<QSplitter>("splitPicture")->setSizes({fresh[0] - 60, fresh[1] + 60});
    get<QSplitter>("splitMain")->setSizes({fresh[2] - 40, fresh[3] + 40});
    get<QSplitter>("splitResults")->setSizes({fresh[4] - 50, fresh[5] + 50});
    const QList<int> dragged = sizes();
    ASSERT_NE(dragged, fresh);
    form->close();
    EXPECT_TRUE(storeBytes().contains(QByteArray("\nSidePanelWidth=") + QByteArray::number(fresh[1] + 60) + '\n'))
        << storeBytes().toStdString();
    open();
    EXPECT_EQ(sizes(), dragged) << "a second window on the same store";

    // Edited into what no panel can be: the window's own sizes.
    form->close();
    for (const auto& [key, value] :
         {std::pair{"SidePanelWidth", "breit"}, {"ResultsPanelHeight", "-40"}, {"ReportWidth", "99999999"}})
        store(key, value);
    open();
    EXPECT_EQ(sizes(), fresh);
    EXPECT_NE(status(), "Einstellungen unlesbar: Standardwerte verwendet.") << "plain text, only no size";

    // A side panel kept from a wider screen leaves the picture its room.
    form->close();
    store("SidePanelWidth", "3000");
    open();
    EXPECT_GE(scroll()->width(), scroll()->minimumWidth());
    QWidget* side = get<QWidget>("sidePanel");
    EXPECT_TRUE(
        form->centralWidget()->rect().contains(QRect(side->mapTo(form->centralWidget(), QPoint()), side->size())));
}

TEST_F(WindowPanel, TheUnitIsAFieldBesideTheScaleAndItAndTheToleranceAreKept)
{
    open();
    QLineEdit* unit = field("txtScaleUnit");
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(unit->isVisible());
    EXPECT_TRUE(unit->text().isEmpty());
    EXPECT_LT(std::abs(unit->y() - field("txtScale")->y()), 4) << "beside the scale";
    QTest::keyClicks(unit, "cm");
    // A scale typed by hand keeps the unit the user sees beside it.
    field("txtScale")->setText("0.5");
    EXPECT_EQ(unit->text(), "cm");
    analyze();
    EXPECT_TRUE(report().section('\n', 0, 0).endsWith("cm")) << report().toStdString();
    field("txtTolerance")->setText("25");
    form->close();
    EXPECT_TRUE(storeBytes().contains("\nUnit=cm\n")) << storeBytes().toStdString();
    EXPECT_TRUE(storeBytes().contains("\nTolerance=25\n"));

    open();
    EXPECT_EQ(field("txtScaleUnit")->text(), "cm");
    EXPECT_EQ(field("txtTolerance")->text(), "25");
    // Cleared, it stays cleared.
    field("txtScaleUnit")->selectAll();
    QTest::keyClick(field("txtScaleUnit"), Qt::Key_Backspace);
    analyze();
    EXPECT_FALSE(report().contains("cm"));
    form->close();
    open();
    EXPECT_TRUE(field("txtScaleUnit")->text().isEmpty());
}

TEST_F(WindowPanel, TheOriginShowsInTwoFieldsThatTakeATypedPosition)
{
    german();
    open();
    field("txtScale")->setText("0,5");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {20, 150});
    EXPECT_EQ(field("txtOriginX")->text(), "10");
    EXPECT_EQ(field("txtOriginY")->text(), "75");

    // Typed in scaled units, in either convention: the pixel follows.
    enter("txtOriginX", "5,5");
    EXPECT_EQ(form->originX(), 5.5);
    EXPECT_EQ(form->originColumn(), 11.0);
    EXPECT_EQ(form->originRow(), 150.0);
    EXPECT_EQ(shown().pixel(7, 150) & 0xFFFFFF, 0xFFFF00u) << "the mark's yellow rim round the new pixel";
    // A new scale keeps the pixel, as it always did, and the fields say so.
    field("txtScale")->setText("0.25");
    EXPECT_EQ(field("txtOriginX")->text(), "2,75");
    EXPECT_EQ(field("txtOriginY")->text(), "37,5");

    // What is no number is refused with the field's message and changes nothing.
    enter("txtOriginY", "abc");
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].startsWith("Ursprung \"abc\" ")) << form->messages[0].toStdString();
    EXPECT_EQ(field("txtOriginY")->text(), "37,5");
    EXPECT_EQ(form->originRow(), 150.0);

    // Typed and not yet entered, it is the origin the run measures from.
    field("txtOriginY")->setText("10");
    analyze();
    EXPECT_EQ(form->originY(), 10.0);
    EXPECT_EQ(form->originRow(), 40.0);
    EXPECT_EQ(copyTable(), TableText(engineRun(), kGerman));
}

TEST_F(WindowPanel, TheWeightHasItsOwnColumnAndANameTypedOverSaysHowToSetOne)
{
    german();
    open();
    // "rot W=1" edited to "0.5": the entry stays red's, and the status bar
    // says where a weight goes.
    editName(1, "0.5");
    EXPECT_EQ(entryTexts()[1], "rot W=1");
    EXPECT_EQ(form->colorObjects()[2].Weight, 1.0);
    EXPECT_TRUE(status().contains("Wirkung") && status().contains("W=0,5")) << status().toStdString();

    editWeight(1, "0,5");
    EXPECT_EQ(form->colorObjects()[2].Weight, 0.5);
    EXPECT_EQ(entryTexts()[1], "rot W=0,5");
    editWeight(0, "3/4");
    EXPECT_EQ(form->colorObjects()[1].Weight, 0.75);
    EXPECT_EQ(entryTexts()[0], "schwarz W=0,75");
    editWeight(3, "abc");
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].startsWith("Wirkung \"abc\" ")) << form->messages[0].toStdString();
    EXPECT_EQ(form->colorObjects()[4].Weight, 1.0);
    EXPECT_EQ(entryTexts()[3], "blau W=1");

    // The run weighs with what the column shows.
    analyze();
    EXPECT_EQ(copyTable(), TableText(engineRun({0, 0.75, 0.5, 1, 1, 1, 1, 1}), kGerman));

    // In English, the same.
    english();
    editName(4, "heavy");
    EXPECT_EQ(entryTexts()[4], "yellow W=1");
    EXPECT_TRUE(status().contains("Efficiency") && status().contains("W=0.5")) << status().toStdString();
    editName(4, "yellow W=2");
    EXPECT_EQ(form->colorObjects()[5].Weight, 2.0);
    EXPECT_EQ(entryTexts()[4], "yellow W=2");
}

// Three colours at the picture's right edge, one under the other: their
// labels ask for the same places and reach past the edge.
TEST_F(WindowPanel, OnScreenTheLabelsStayInsideThePictureAndApart)
{
    open();
    QImage picture = Filled(240, 150, qRgb(255, 255, 255));
    Paint(picture, QRect(200, 10, 40, 40), qRgb(255, 0, 0));
    Paint(picture, QRect(200, 55, 40, 40), qRgb(0, 255, 0));
    Paint(picture, QRect(200, 100, 40, 40), qRgb(0, 0, 255));
    paste(picture);
    get<QCheckBox>("chkAreaAC")->setChecked(true);
    get<QCheckBox>("chkAreaCG")->setChecked(true);
    analyze();
    ASSERT_EQ(grid()->rowCount(), 4);

    // Every label whole on screen: as many orange text pixels as the labels
    // have, none cut off or covered.
    const PlotChoice both{true, true};
    const std::vector<PlotItem> items =
        ResultMarks(form->colorObjects(), engineRun().values, form->originX(), form->originY(), kGerman);
    const std::vector<MarkSprite> sprites = MarkSprites(items);
    ASSERT_EQ(sprites.size(), items.size());
    int orange = 0;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].shape == PlotItem::Shape::Label && Shown(items[i].shows, both))
            orange += CountOf(sprites[i].image, kLabelOrange);
    ASSERT_GT(orange, 0);
    EXPECT_EQ(CountOf(shown(), kLabelOrange), orange);

    const std::vector<QRect> boxes = view()->labelBoxes();
    EXPECT_EQ(boxes.size(), 8u);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(view()->rect().contains(boxes[i])) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " over " << j;
    }
}

TEST_F(WindowPanel, OnABlackPlanformTheOriginsAxesShowWithALightRim)
{
    open();
    paste(Filled(120, 120, qRgb(0, 0, 0)));
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {20, 30});
    const QImage screen = shown();
    for (int x = 30; x < 65; ++x) {
        EXPECT_EQ(screen.pixel(x, 30) & 0xFFFFFF, 0u) << "the x axis stays black, " << x;
        EXPECT_GT(qGray(screen.pixel(x, 29)), 180) << x;
        EXPECT_GT(qGray(screen.pixel(x, 31)), 180) << x;
    }
    for (int y = 40; y < 75; ++y) {
        EXPECT_GT(qGray(screen.pixel(19, y)), 180) << y;
        EXPECT_GT(qGray(screen.pixel(21, y)), 180) << y;
    }
    // Only on screen: the bitmap copy keeps the plain mark.
    analyze();
    click("btnCopyBitmap");
    const QImage copy = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(copy.pixel(40, 29) & 0xFFFFFF, 0u);
}

TEST_F(WindowPanel, AValueEditedByHandSpoilsOnlyItsOwnLine)
{
    const QByteArray others = "Theme=\"dark\n[Other]\nkeep=1\n[Paths]\nhome=C:\\Users\\\n[Last]\nx=1\n";
    setStoreBytes("[Centrafix]\nScale=\"1/50\n" + others);
    open();
    EXPECT_EQ(field("txtScale")->text(), "1/50");
    form->close();
    EXPECT_TRUE(storeBytes().endsWith(others)) << storeBytes().toStdString();
    open();
    form->close();
    EXPECT_TRUE(storeBytes().endsWith(others)) << storeBytes().toStdString();
    EXPECT_EQ(storeBytes().count("[Centrafix]"), 1);
}
