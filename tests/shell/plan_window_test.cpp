// A PDF or SVG plan opened in the window: asked once, at the page and
// resolution chosen, refused when too big to hold, and Cancel keeps all.

#include "form1_fixture.h"
#include "plan_files.h"

#include <QListWidget>
#include <QSpinBox>

using namespace centrafix;
using test::Form1Test;

namespace {

class PlanWindow : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        plan = dir.filePath("plan.pdf");
        ASSERT_TRUE(test::WritePlanPdf(plan, {test::PlanPage{},
                                              test::PlanPage{QSizeF(297.0, 210.0), Qt::blue, QRectF(10, 60, 40, 25)},
                                              test::PlanPage{QSizeF(841.0, 1189.0)}}));
        open();
    }

    // Opens `file`, answering the plan dialog with `answer`; whether it asked.
    bool openAnswering(const QString& file, const std::function<void(QDialog&)>& answer)
    {
        form->fileToOpen = file;
        return answeringDialog([&] { click("btnOpen"); }, answer);
    }

    QString plan;
};

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QSize PagePixels(const QString& file, int page, double dpi)
{
    return PlanPagePixels(ReadPlanDocumentInfo(file)->pageSizes.at(static_cast<std::size_t>(page - 1)), dpi);
}

TEST_F(PlanWindow, ThePageAndResolutionChosenBecomeTheWorkingCopy)
{
    QStringList pageTexts;
    int thumbnails = 0;
    QString pixelsShown;
    const bool asked = openAnswering(plan, [&](QDialog& dialog) {
        auto* pages = dialog.findChild<QListWidget*>("lstPages");
        for (int i = 0; i < pages->count(); ++i) {
            pageTexts << pages->item(i)->text();
            thumbnails += pages->item(i)->icon().isNull() ? 0 : 1;
        }
        pages->setCurrentRow(1);
        dialog.findChild<QSpinBox*>("spnDpi")->setValue(100);
        pixelsShown = dialog.findChild<QLabel*>("lblPixels")->text();
        dialog.accept();
    });
    ASSERT_TRUE(asked);
    EXPECT_EQ(pageTexts, (QStringList{"Seite 1\n210 × 297 mm", "Seite 2\n297 × 210 mm", "Seite 3\n841 × 1189 mm"}));
    EXPECT_EQ(thumbnails, 3);
    const QSize expected = PagePixels(plan, 2, 100.0);
    EXPECT_TRUE(
        pixelsShown.startsWith(QStringLiteral("Ergibt %1 × %2 Pixel").arg(expected.width()).arg(expected.height())))
        << pixelsShown.toStdString();
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_EQ(workingCopy().picture(), *RenderPlanPage(plan, 2, 100.0));
    EXPECT_TRUE(form->windowTitle().contains("plan.pdf"));
}

TEST_F(PlanWindow, AcceptedAsOfferedItIsTheFirstPageAt150Dpi)
{
    ASSERT_TRUE(openAnswering(plan, [](QDialog& dialog) { dialog.accept(); }));
    EXPECT_EQ(workingCopy().picture(), *RenderPlanPage(plan, 1, 150.0));
}

TEST_F(PlanWindow, ADrawingOfOnePageIsAskedOnlyItsResolution)
{
    const QString svg = dir.filePath("plan.svg");
    ASSERT_TRUE(WriteBytes(svg, test::PlanSvg()));
    bool chooserShown = true;
    ASSERT_TRUE(openAnswering(svg, [&](QDialog& dialog) {
        chooserShown = dialog.findChild<QListWidget*>("lstPages")->isVisible();
        dialog.accept();
    }));
    EXPECT_FALSE(chooserShown);
    EXPECT_EQ(workingCopy().picture().size(), PagePixels(svg, 1, 150.0)) << "150 dpi unless changed";
}

TEST_F(PlanWindow, APageTooBigStaysInTheDialogWithAResolutionThatFits)
{
    QString problem;
    bool stayedOpen = false;
    ASSERT_TRUE(openAnswering(plan, [&](QDialog& dialog) {
        dialog.findChild<QListWidget*>("lstPages")->setCurrentRow(2);
        dialog.findChild<QSpinBox*>("spnDpi")->setValue(1000);
        dialog.accept();
        stayedOpen = dialog.isVisible();
        problem = dialog.findChild<QLabel*>("lblProblem")->text();
        dialog.reject();
    }));
    EXPECT_TRUE(stayedOpen);
    const QSize big = PagePixels(plan, 3, 1000.0);
    EXPECT_TRUE(problem.contains(QStringLiteral("%1 x %2 Pixel").arg(big.width()).arg(big.height())))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains(QRegularExpression("bei \\d+ dpi passt sie"))) << problem.toStdString();
    EXPECT_EQ(workingCopy().picture(), ExamplePicture()) << "nothing changed";
}

TEST_F(PlanWindow, CancelOrAnUnreadablePlanChangesNothing)
{
    ASSERT_TRUE(openAnswering(plan, [](QDialog& dialog) { dialog.reject(); }));
    EXPECT_EQ(workingCopy().picture(), ExamplePicture());
    EXPECT_TRUE(form->messages.isEmpty());

    const QString locked = dir.filePath("locked.pdf");
    ASSERT_TRUE(WriteBytes(locked, test::EncryptedPdf()));
    EXPECT_FALSE(openAnswering(locked, [](QDialog& dialog) { dialog.accept(); })) << "refused before asking";
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].startsWith(locked + ": ein mit Kennwort geschütztes"))
        << form->messages[0].toStdString();
    EXPECT_EQ(workingCopy().picture(), ExamplePicture());
}

} // namespace
