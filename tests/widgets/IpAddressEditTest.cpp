#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "widgets/IpAddressEdit.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {
namespace {

// Types into whichever field has the keyboard focus, as a person at the keyboard would.
void TypeAtFocus(const QString& text) {
    for (const QChar c : text) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
}

TEST(IpAddressEditTest, TakesFourNumbersUpTo255AndMovesOnAtEachDot) {
    struct Case {
        QString typed;
        IpAddressEdit::Address value;
        QStringList parts;
    };
    const std::vector<Case> cases{
        {"10.1.2.3", {10, 1, 2, 3}, {"10", "1", "2", "3"}},
        {"192.168.100.254", {192, 168, 100, 254}, {"192", "168", "100", "254"}},
        {"256.1a.-3.77", {25, 1, 3, 77}, {"25", "1", "3", "77"}},  // 6, a and - refused
        {"7..9", {7, 0, 9, 0}, {"7", "", "9", ""}},                // an empty part counts as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        IpAddressEdit edit;
        edit.show();
        QApplication::setActiveWindow(&edit);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &edit.Part(0));
        TypeAtFocus(c.typed);
        EXPECT_EQ(edit.Value(), c.value);
        for (int i = 0; i < IpAddressEdit::kPartCount; ++i) {
            EXPECT_EQ(edit.Part(i).text(), c.parts[i]) << i;
        }
    }
}

TEST(IpAddressEditTest, ShowsTheAddressItIsGiven) {
    IpAddressEdit edit;
    edit.SetValue({255, 255, 0, 0});
    EXPECT_EQ(edit.Value(), (IpAddressEdit::Address{255, 255, 0, 0}));
    EXPECT_EQ(edit.Part(2).text(), "0");
}

}  // namespace
}  // namespace zerandi::test
