#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <vector>

#include "shell/TabStopList.h"

namespace zerandi::test {
namespace {

TEST(TabStopListTest, EachTabGoesToTheNextStopRightOfTheText) {
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 10));
    const TabStops stops({4, 28});
    const int stop4 = DialogUnitsToPixels(metrics, 4);
    const int stop28 = DialogUnitsToPixels(metrics, 28);
    EXPECT_EQ(stops.PieceOffsets(metrics, {"", "12", "RS232 DTE"}),
              (std::vector<int>{0, stop4, stop28}));
    // Text running past a stop pushes the next piece to the following stop, and past the
    // last one tabs go on at the default width.
    const QString wide = QStringLiteral("a port name wider than the stop");
    const std::vector<int> offsets = stops.PieceOffsets(metrics, {"", wide, "x"});
    EXPECT_GT(offsets[2], stop4 + metrics.horizontalAdvance(wide));
    EXPECT_EQ((offsets[2] - stop28) % DialogUnitsToPixels(metrics, 32), 0);
}

TEST(TabStopListTest, ANumberColumnHoldsFourDigitsInAnyFont) {
    for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"}) {
        const QFontMetrics metrics(QFont(QString::fromLatin1(family), 10));
        const TabStops numbers({10, 20}, TabStopUnit::NumberColumn);
        const int column = numbers.StopPixels(metrics, 1) - numbers.StopPixels(metrics, 0);
        EXPECT_GE(column + 1, metrics.horizontalAdvance(QStringLiteral("0000"))) << family;
        EXPECT_GE(numbers.StopPixels(metrics, 0), DialogUnitsToPixels(metrics, 10)) << family;
    }
}

TEST(TabStopListTest, PaddingSpacesAreAsWideAsADigitAndWordSpacesStay) {
    const QString figure(QChar(0x2007));
    struct Case {
        QString text;
        QString drawn;
    };
    const std::vector<Case> cases{
        {QStringLiteral("  12\t-->\t 345"), figure + figure + "12\t-->\t" + figure + "345"},
        {QStringLiteral("Output       Monitor"), "Output" + figure.repeated(7) + "Monitor"},
        {QStringLiteral("\t3\tRS232 DTE"), QStringLiteral("\t3\tRS232 DTE")},
        {QStringLiteral("Input\t\t  Output"), "Input\t\t" + figure + figure + "Output"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithDigitWidePadding(c.text), c.drawn) << c.text.toStdString();
    }
}

TEST(TabStopListTest, TheHeadingReadsAsItsTitles) {
    TabStopHeading heading(TabStops({4, 28}), nullptr);
    heading.SetText(QStringLiteral("\tPort\tType"));
    EXPECT_EQ(heading.Text(), QStringLiteral("\tPort\tType"));
    EXPECT_EQ(heading.accessibleName(), QStringLiteral("Port Type"));
    const int bare = heading.sizeHint().height();
    heading.ShowAsField();
    EXPECT_GT(heading.sizeHint().height(), bare);
}

}  // namespace
}  // namespace zerandi::test
