#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "shell/LockKeyIndicators.h"
#include "support/QtPrinters.h"

namespace zerandi {
namespace {

void WriteLed(const QDir& root, const QString& led, const QByteArray& brightness) {
    ASSERT_TRUE(root.mkpath(led));
    QFile file(root.filePath(led + "/brightness"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(brightness);
}

TEST(LockKeyIndicatorsTest, PanesFollowTheKeyboardLeds) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    WriteLed(root, "input3::capslock", "1\n");
    WriteLed(root, "input3::numlock", "0\n");
    WriteLed(root, "input9::numlock", "0\n");
    WriteLed(root, "input3::scrolllockish", "1\n");  // not the scroll lock

    LockKeyIndicators indicators(nullptr, dir.path());

    EXPECT_EQ(indicators.CapsPane().text(), QStringLiteral("CAP"));
    EXPECT_EQ(indicators.NumPane().text(), QStringLiteral("NUM"));
    EXPECT_EQ(indicators.ScrollPane().text(), QStringLiteral("SCRL"));
    EXPECT_TRUE(indicators.CapsPane().isEnabled());
    EXPECT_FALSE(indicators.NumPane().isEnabled());
    EXPECT_FALSE(indicators.ScrollPane().isEnabled());

    // A second keyboard with num lock on lights the pane after a refresh.
    WriteLed(root, "input9::numlock", "1\n");
    WriteLed(root, "input3::capslock", "0\n");
    indicators.Refresh();
    EXPECT_FALSE(indicators.CapsPane().isEnabled());
    EXPECT_TRUE(indicators.NumPane().isEnabled());
}

TEST(LockKeyIndicatorsTest, NoLedsMeansEveryPaneOff) {
    LockKeyIndicators indicators(nullptr, QStringLiteral("/nonexistent/leds"));
    EXPECT_FALSE(indicators.CapsPane().isEnabled());
    EXPECT_FALSE(indicators.NumPane().isEnabled());
    EXPECT_FALSE(indicators.ScrollPane().isEnabled());
}

}  // namespace
}  // namespace zerandi
