// The weight and balance in the window: items added, typed and placed by a
// click, a refused cell that changes nothing, the result and its mark
// following the list at once without making the results out of date, and
// the advice's choice.

#include "form1_fixture.h"

#include "engine/mass_list_text.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace centrafix;
using test::Form1Test;

namespace {

class WeightBalanceWindow : public Form1Test {
protected:
    QTableWidget* items() { return get<QTableWidget>("massItems"); }
    QString results() { return get<QPlainTextEdit>("txtBalance")->toPlainText(); }
    QComboBox* advice() { return get<QComboBox>("cmbAdvice"); }
    void add(const QString& name, const QString& mass, const QString& x)
    {
        get<QPushButton>("btnAddMass")->click();
        const int row = items()->rowCount() - 1;
        items()->item(row, 0)->setText(name);
        items()->item(row, 1)->setText(mass);
        items()->item(row, 2)->setText(x);
    }
    void chooseAdvice(int index)
    {
        advice()->setCurrentIndex(index);
        emit advice()->activated(index);
    }
    QPoint inside(QPointF p) const
    {
        const double z = form->findChild<PictureView*>("picSide")->zoom();
        return QPoint(static_cast<int>(p.x() * z), static_cast<int>(p.y() * z));
    }
    void leftClick(QPointF pixel)
    {
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, inside(pixel));
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, inside(pixel));
    }
};

} // namespace

TEST_F(WeightBalanceWindow, TheListIsWeighedAtOnceAndARefusedCellKeepsItsValue)
{
    open();
    analyze();
    ASSERT_FALSE(form->resultsOutOfDate());
    EXPECT_FALSE(results().contains("Gewicht und Schwerpunkt")) << "no list, no weighing";
    const QImage unweighed = shown();

    // 300 at 20 and 700 at 120: C.G. (6000 + 84000) / 1000 = 90, far ahead
    // of the example's range (about 151 to 160): nose-heavy.
    add("Motor", "300", "20");
    add("Akku", "700", "2*60");
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_TRUE(results().contains("Gewicht und Schwerpunkt: Gesamtmasse 1000.00\nSchwerpunkt aus den Massen x = 90.00"))
        << results().toStdString();
    EXPECT_TRUE(results().contains("außerhalb: zu weit vorn (kopflastig)"));
    EXPECT_TRUE(results().contains("Abhilfe: Ballast ")) << "ballast by default";
    EXPECT_FALSE(form->resultsOutOfDate()) << "the list needs no new run";
    EXPECT_NE(shown(), unweighed) << "the weighed C.G. is marked";

    // A negative mass is refused naming the item; the cell shows 700 again.
    items()->item(1, 1)->setText("-7");
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0].toStdString(),
              ErrorText(ReadMassCell("-7", MassField::Mass, "Akku", ".").error(), kGerman));
    EXPECT_EQ(items()->item(1, 1)->text(), "700");
    items()->item(0, 2)->setText("abc");
    ASSERT_EQ(form->messages.size(), 2);
    EXPECT_EQ(items()->item(0, 2)->text(), "20");
    EXPECT_TRUE(results().contains("x = 90.00"));

    // Move the battery instead: by (target - 90) * 1000 / 700.
    ASSERT_EQ(advice()->count(), 3);
    chooseAdvice(2);
    EXPECT_TRUE(results().contains("Abhilfe: \"Akku\" um ")) << results().toStdString();
    EXPECT_FALSE(get<QLineEdit>("txtBallastX")->isEnabled());

    // The motor removed: the chosen battery is still the one to move.
    items()->setCurrentCell(0, 0);
    get<QPushButton>("btnRemoveMass")->click();
    ASSERT_EQ(items()->rowCount(), 1);
    EXPECT_EQ(advice()->currentIndex(), 1);
    EXPECT_TRUE(results().contains("Gesamtmasse 700.00"));

    // In English at once, with the list kept.
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    EXPECT_TRUE(results().contains("Weight and balance: total mass 700.00")) << results().toStdString();
    EXPECT_TRUE(results().contains("Fix: move \"Akku\" by "));
}

TEST_F(WeightBalanceWindow, AnItemsXIsPlacedByAClickAndEscEndsThePlacing)
{
    open();
    analyze();
    add("Akku", "200", "0");
    items()->setCurrentCell(0, 0);
    get<QPushButton>("btnPlaceMass")->click();
    EXPECT_TRUE(status().contains("Akku")) << status().toStdString();
    // Scale 1, origin at the corner: x is the click's column.
    leftClick({100.5, 40.5});
    EXPECT_NEAR(items()->item(0, 2)->text().toDouble(), 100.5, 0.5);
    EXPECT_TRUE(results().contains("Gesamtmasse 200.00"));
    const QString placed = items()->item(0, 2)->text();

    // Done after one click; a second click places nothing.
    leftClick({10.5, 40.5});
    EXPECT_EQ(items()->item(0, 2)->text(), placed);
    // Esc ends the placing before any click.
    get<QPushButton>("btnPlaceMass")->click();
    pressEsc();
    leftClick({10.5, 40.5});
    EXPECT_EQ(items()->item(0, 2)->text(), placed);
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
}

TEST_F(WeightBalanceWindow, BallastAtATypedXAndARefusedOne)
{
    open();
    analyze();
    add("Motor", "1000", "90");
    QLineEdit* ballast = get<QLineEdit>("txtBallastX");
    ballast->setText("400");
    emit ballast->editingFinished();
    EXPECT_TRUE(results().contains("Abhilfe: Ballast ")) << results().toStdString();
    EXPECT_TRUE(results().contains(" bei x = 400.00")) << results().toStdString();
    ballast->setText("10");
    emit ballast->editingFinished();
    EXPECT_TRUE(results().contains("Ballast bei x = 10.00 hilft nicht")) << results().toStdString();
    ballast->setText("x");
    emit ballast->editingFinished();
    EXPECT_EQ(form->messages.size(), 1);
    EXPECT_EQ(ballast->text(), "10");
}

// The list belongs to the project: typing an item marks unsaved changes,
// and a project saved with it brings it back into the table, with the
// advice's choice, in a new session.
TEST_F(WeightBalanceWindow, TheListIsSavedWithTheProjectAndComesBack)
{
    open();
    const QString project = dir.filePath("plane.cfx");
    form->fileToSave = project;
    ASSERT_TRUE(form->saveProject());
    EXPECT_FALSE(form->isWindowModified());
    add("Motor", "300", "20");
    add("Akku", "700", "120");
    EXPECT_TRUE(form->isWindowModified()) << "the list is part of the project";
    chooseAdvice(2); // move the battery
    ASSERT_TRUE(form->saveProject());
    EXPECT_FALSE(form->isWindowModified());
    form->close();
    form.reset();

    open();
    EXPECT_EQ(items()->rowCount(), 0);
    form->openProject(project);
    ASSERT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    ASSERT_EQ(items()->rowCount(), 2);
    EXPECT_EQ(items()->item(1, 0)->text(), "Akku");
    EXPECT_EQ(items()->item(1, 1)->text(), "700");
    EXPECT_EQ(items()->item(1, 2)->text(), "120");
    EXPECT_EQ(advice()->currentIndex(), 2);
    EXPECT_FALSE(form->isWindowModified());
}
