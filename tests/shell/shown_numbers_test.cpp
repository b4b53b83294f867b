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
