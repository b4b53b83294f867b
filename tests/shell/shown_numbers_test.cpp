// The numbers the window shows after a run, and the names its messages give
// its fields: lengths at small scales, the words of a refusal, a picture whose
// colours match almost nothing.

#include "form1_fixture.h"

#include <QRegularExpression>

using namespace centrafix;
using test::Form1Test;

namespace {

class ShownNumbers : public Form1Test {
protected:
    void language(int index) { get<QComboBox>("cbLanguage")->setCurrentIndex(index); }

    static int SignificantDigits(const QString& text)
    {
        const QString digits = QString(text).remove(QRegularExpression(QStringLiteral("[^0-9]")));
        const qsizetype first = digits.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
        return first < 0 ? 0 : static_cast<int>(digits.size() - first);
    }
};

} // namespace

TEST_F(ShownNumbers, SmallUnitsKeepFourSignificantDigitsInTheGridTheCopyAndTheReport)
{
    open();
    language(1);
    field("txtScale")->setText("0.001");
    tickAllColours();
    analyze();
    ASSERT_EQ(grid()->rowCount(), 5);
    const QStringList copied = copyTable().split("\r\n");
    ASSERT_EQ(copied.size(), 6);
    for (int r = 0; r < grid()->rowCount(); ++r) {
        const QStringList cells = copied[r + 1].split('\t');
        for (int c = 1; c < grid()->columnCount(); ++c) {
            const QString shown = grid()->item(r, c)->text();
            EXPECT_EQ(shown, cells.value(c)) << "Copy Table copies what the grid shows";
            const bool length = c <= 4 || c == 6 || c == 7;
            if (length && !shown.isEmpty() && shown.toDouble() != 0.0) {
                EXPECT_GE(SignificantDigits(shown), 4) << r << "," << c << ": " << shown.toStdString();
            }
        }
    }
    EXPECT_EQ(grid()->item(0, 4)->text(), "0.01378") << "the black area, 13777 square millimetres";
    EXPECT_EQ(grid()->item(4, 5)->text(), "100.0") << "the share keeps its pattern";
    EXPECT_EQ(grid()->item(0, 8)->text(), "1.00") << "and so does the weight";
    EXPECT_TRUE(report().startsWith("Pixels: 330 x 314 -> scaled: 0.3300 x 0.3140\n")) << report().toStdString();
}

// Whatever the language, an error names a field as its caption does.
TEST_F(ShownNumbers, ErrorsNameTheFieldsAsTheirCaptionsDo)
{
    open();
    for (const int index : {0, 1}) {
        language(index);
        SCOPED_TRACE(index);
        for (const auto& [edit, label] : {std::pair{"txtMach", "Label4"}, std::pair{"txtAltitude", "Label3"}}) {
            const QString before = field(edit)->text();
            field(edit)->setText("abc");
            tickAllColours();
            analyze();
            const QString caption = get<QLabel>(label)->text();
            ASSERT_TRUE(caption.endsWith(':'));
            EXPECT_TRUE(report().contains(caption.chopped(1) + " \"abc\"")) << report().toStdString();
            field(edit)->setText(before);
        }
    }
}

// A drawing whose colours mostly miss the tolerance: the numbers are shown,
// and the status bar and the report say how little matched and what helps.
// A picture without any of the colours says that, not a total of 0.
TEST_F(ShownNumbers, APictureThatMatchesLittleOrNothingSaysSo)
{
    QImage noisy(60, 40, QImage::Format_RGB32);
    noisy.fill(Qt::white);
    for (int y = 5; y < 35; ++y)
        for (int x = 5; x < 55; ++x)
            noisy.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(0, 0, 0) : qRgb(30 + x % 7, 20, 25));
    open();
    language(1);
    QGuiApplication::clipboard()->setImage(noisy);
    click("btnPaste");
    tickAllColours();
    analyze();
    const AnalysisResult engine = engineRun();
    EXPECT_EQ(engine.matches.matched, 500);
    EXPECT_EQ(engine.matches.stray, 1000);
    EXPECT_EQ(status(),
              "Warning: only 500 pixels match a ticked color, 1000 clearly colored pixels match none. "
              "Try Picture > Clean up colors or a higher tolerance.");
    EXPECT_TRUE(
        report().endsWith("\nWarning: only 500 pixels match a ticked color,\n"
                          "1000 clearly colored pixels match none.\n"
                          "Try Picture > Clean up colors or a higher tolerance.\n"))
        << report().toStdString();
    ASSERT_EQ(grid()->rowCount(), 2) << "black and the total, shown all the same";

    language(0);
    EXPECT_TRUE(report().contains("\nWarnung: nur 500 Pixel passen zu den Farben,\n")) << report().toStdString();

    QImage white(30, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    QGuiApplication::clipboard()->setImage(white);
    click("btnPaste");
    tickAllColours();
    analyze();
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->item(0, 1)->text(), "Keine Farbe gefunden.");
    EXPECT_EQ(status(), "Keine Farbe gefunden.");
    EXPECT_TRUE(report().endsWith("\nKeine Farbe gefunden.\n")) << report().toStdString();
    EXPECT_FALSE(copyTable().contains("100,0")) << "no share of nothing";
}
