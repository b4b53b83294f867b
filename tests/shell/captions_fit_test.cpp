// Every caption, the grid and the report fit their boxes, in both languages,
// at the window's first size and at its smallest. ctest runs this program at
// 100 %, 125 % and 150 % (QT_SCALE_FACTOR), where fonts round differently.

#include "form1_fixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStatusBar>

using namespace centrafix;
using test::Form1Test;

namespace {

class CaptionsFit : public Form1Test {
protected:
    // Every caption that is cut, and every pair of controls that overlap.
    QStringList problems()
    {
        QStringList found;
        for (QWidget* w : form->centralWidget()->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->window() != form.get())
                continue;
            int needed = 0;
            if (auto* label = qobject_cast<QLabel*>(w))
                needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() -
                         label->contentsRect().width() + label->width();
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                needed = button->sizeHint().width();
            else
                continue;
            if (needed > w->width())
                found << QStringLiteral("%1 \"%2\" needs %3, has %4")
                             .arg(w->objectName(), w->property("text").toString())
                             .arg(needed)
                             .arg(w->width());
        }
        // In the window and in every panel, each control inside its panel and
        // clear of the others.
        QList<QWidget*> panels{form->centralWidget()};
        for (const char* name : {"splitMain", "splitPicture", "splitResults", "sidePanel", "picBox", "reportPanel"})
            panels << get<QWidget>(name);
        for (QWidget* panel : panels) {
            const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* w : controls) {
                if (!w->isVisible())
                    continue;
                if (!panel->rect().contains(w->geometry()))
                    found << w->objectName() + " reaches outside " + panel->objectName();
                for (QWidget* other : controls)
                    if (w < other && other->isVisible() && w->geometry().intersects(other->geometry()))
                        found << w->objectName() + " overlaps " + other->objectName();
            }
        }
        return found;
    }

    // A picture with all seven colours: the grid's tallest table.
    void pasteAllColours()
    {
        QImage picture(350, 70, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QRgb colours[] = {qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),  qRgb(0, 0, 255),
                                qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)};
        for (int i = 0; i < 7; ++i)
            for (int y = 10; y < 60; ++y)
                for (int x = 10 + 48 * i; x < 50 + 48 * i; ++x)
                    picture.setPixel(x, y, colours[i]);
        QGuiApplication::clipboard()->setImage(picture);
        click("btnPaste");
    }
};

} // namespace

TEST_F(CaptionsFit, EveryCaptionTheGridAndTheReportFitInBothLanguages)
{
    const double scale =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    open();
    EXPECT_DOUBLE_EQ(form->devicePixelRatioF(), scale) << "the scale this run is for";
    pasteAllColours();
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language == 0 ? "German" : "English");
        get<QComboBox>("cbLanguage")->setCurrentIndex(language);
        tickAllColours();
        analyze();
        ASSERT_EQ(grid()->rowCount(), 8) << "seven colours and the total";
        for (const QSize size : {form->size(), QSize(1, 1)}) {
            form->resize(size);
            SCOPED_TRACE(form->size().width());
            EXPECT_EQ(problems(), QStringList());
            EXPECT_EQ(grid()->verticalScrollBar()->maximum(), 0) << "every row up to the total in view";
            EXPECT_EQ(get<QPlainTextEdit>("txtReport")->horizontalScrollBar()->maximum(), 0) << "report lines whole";
            for (int c = 0; c < grid()->columnCount(); ++c)
                EXPECT_GE(grid()->columnWidth(c), grid()->horizontalHeader()->sectionSizeHint(c)) << c;
        }
        form->resize(form->minimumSizeHint());
    }
}

TEST_F(CaptionsFit, TheNameColumnStaysWhenTheGridScrollsSideways)
{
    open();
    form->resize(QSize(1, 1)); // the narrowest window: the grid cannot show every column
    analyze();
    QScrollBar* sideways = grid()->horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0);
    sideways->setValue(sideways->maximum());
    auto* frozen = grid()->findChild<QTableView*>("grdResultsFrozen");
    ASSERT_NE(frozen, nullptr);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->x(), grid()->frameWidth());
    EXPECT_EQ(frozen->width(), grid()->columnWidth(0));
    const QPoint firstRow(4, frozen->horizontalHeader()->height() + grid()->rowHeight(0) / 2);
    EXPECT_EQ(frozen->indexAt(frozen->viewport()->mapFrom(frozen, firstRow)).data().toString(), "schwarz");
}
