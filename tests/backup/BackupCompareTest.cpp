#include <gtest/gtest.h>

#include <functional>

#include "backup/BackupCompare.h"
#include "backup/BackupSamples.h"

namespace zerandi::test {
namespace {

TEST(BackupCompareTest, EqualBackupsHaveNoDifference) {
    for (const int32_t productId : {kQS1210, kQR1207, kQS1214}) {
        const RouterBackup backup = SampleBackup(productId, true);
        EXPECT_TRUE(CompareBackups(backup, backup).empty()) << productId;
    }
    // A data router's tri-stated output noted without flags reads back with the tri-state
    // word's own bits: still the same source.
    const RouterBackup data = SampleBackup(kQR1207, false);
    RouterBackup noFlags = data;
    noFlags.routing[2] = RoutedSource{};
    EXPECT_TRUE(CompareBackups(noFlags, data).empty());
}

TEST(BackupCompareTest, FindsOneDifferenceOfEachKindInItsPart) {
    struct Case {
        int32_t productId;
        std::function<void(RouterBackup&)> change;
        QString text;
    };
    const std::vector<Case> cases{
        {kQS1210, [](RouterBackup& b) { b.configuration.baudIndex = 0; },
         QStringLiteral("configuration, baud rate: 38400 → 9600")},
        {kQS1210, [](RouterBackup& b) { b.routing[11].input = 5; },
         QStringLiteral("routing, output 12: input 14 → input 5")},
        {kQR1207, [](RouterBackup& b) { b.routing[4] = RoutedSource{}; },
         QStringLiteral("routing, output 5: input 29 (local control) → tri-state")},
        {kQS1210, [](RouterBackup& b) { b.monitors[1] = 9; },
         QStringLiteral("monitors, monitor 2: none → output 9")},
        {kQR1207, [](RouterBackup& b) { b.portTypes->types[6] = 1; },
         QStringLiteral("port types, port 7: 207M Controlled → RS232 DTE")},
        {kQR1207, [](RouterBackup& b) { b.portTypes->types[4] = 12; },
         QStringLiteral("port types, port 5: unknown code 9 → unknown code 12")},
        {kQS1214, [](RouterBackup& b) { b.scrambleMap->at(512 + 2) = 0xFFFF; },
         QStringLiteral("scramble map, output entry 3: 1543 / -- → -- / --")},
        {kQS1210, [](RouterBackup& b) { b.names.SetName(NameKind::Output, 3, {}); },
         QStringLiteral("names, output 3: Studio \"A\" ✓ → none")},
        {kQS1210, [](RouterBackup& b) { b.configuration.ethernet.reset(); },
         QStringLiteral(
             "configuration, Ethernet entry 1: enabled 192.168.1.50/255.255.255.0 → none")},
    };
    for (const Case& c : cases) {
        const RouterBackup before = SampleBackup(c.productId, c.productId == kQS1214);
        RouterBackup after = before;
        c.change(after);
        const std::vector<BackupDifference> differences = CompareBackups(before, after);
        ASSERT_EQ(differences.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(differences[0].Text(), c.text);
    }
}

TEST(BackupCompareTest, AnotherModelOrCardComesFirstAndStopsTheEntryByEntryComparison) {
    const RouterBackup video = SampleBackup(kQS1210, false);
    RouterBackup other = SampleBackup(kQR1207, false);
    other.identity.controlCard.partNumber = 209;
    other.configuration.cardAddress = 9;
    const QStringList lines = BackupDifferenceLines(CompareBackups(video, other));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("identity, model: QS1210 → QR1207"),
                                  QStringLiteral("identity, control card: CC0353 → CC0209"),
                                  QStringLiteral("configuration, card address: 7 → 9")}));
}

}  // namespace
}  // namespace zerandi::test
