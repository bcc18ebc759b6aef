#include "backup/BackupSamples.h"

#include "config/RouterModelTables.h"
#include "porttypes/PortType.h"

namespace zerandi::test {

namespace {

BackupIdentity SampleIdentity(int32_t productId) {
    SoftwareVersion version{1,
                            1,
                            QStringLiteral("SV0202-030112"),
                            QStringLiteral("C"),
                            3,
                            1,
                            12,
                            202,
                            QStringLiteral("Matrix \"control\" application")};
    return {productId, ControlCardInfo{353, 1, 0, 5}, 9, {version}};
}

BackupConfiguration SampleConfiguration(bool scrambleOn) {
    BackupConfiguration config;
    config.startupMode = 1;
    config.scrambleMapEnabled = scrambleOn;
    config.cardAddress = 7;
    config.baudIndex = 2;
    config.replyWhenIndex = 1;
    config.rearDiagIndex = 1;
    config.mainPortEnabled = true;
    config.ethernet = std::vector<EthernetEntry>{{0, 1, {192, 168, 1, 50}, {255, 255, 255, 0}}};
    config.expansion = ExpansionSettings{ExpansionSettings::kSlave, 3};
    config.levelCount = 1;
    config.levels[0] = RouterLevel{0, 1, 64, 0, 1, 1, 64, 0, 6};
    return config;
}

}  // namespace

RouterBackup SampleBackup(int32_t productId, bool scrambleOn) {
    RouterBackup backup;
    backup.takenAt = QDateTime::fromSecsSinceEpoch(1'780'000'000, Qt::OffsetFromUTC, 2 * 3600);
    backup.zerandiVersion = QStringLiteral("1.0.0.1");
    backup.identity = SampleIdentity(productId);
    backup.configuration = SampleConfiguration(scrambleOn);
    const int32_t inputs = ModelInputCount(productId);
    const bool dataRouter = IsDataRouter(productId);
    for (int32_t o = 0; o < ModelOutputCount(productId); ++o) {
        RoutedSource source{(o * 7) % inputs + 1};
        source.localControl = dataRouter && o % 2 == 0;
        source.forwardTake = dataRouter && o % 3 == 0;
        backup.routing.push_back(source);
    }
    if (SupportsTriState(productId)) {
        backup.routing[2] =
            RoutedSource{std::nullopt, dataRouter, dataRouter, dataRouter, dataRouter};
    }
    for (int32_t m = 0; m < ModelMonitorCount(productId); ++m) {
        backup.monitors.push_back(m == 1 ? std::nullopt : std::optional<int32_t>(m * 5 + 1));
    }
    if (dataRouter) {
        PortTypesTable table{{}, true, 40};
        for (size_t p = 0; p < RouterPortCount(inputs); ++p) {
            // Port 5 holds a code no port type has: it is kept as it is.
            table.types.push_back(static_cast<PortType>(p == 4 ? 9 : p % kPortTypeCount));
        }
        backup.portTypes = table;
    }
    if (scrambleOn) {
        ScrambleTableWords words{};
        for (size_t k = 0; k < words.size(); ++k) {
            words[k] = k % 5 == 0 ? 0xFFFF : static_cast<uint16_t>((k * 3) % 2048 + 1);
        }
        backup.scrambleMap = words;
    }
    backup.names.SetName(NameKind::Input, 1, QStringLiteral("VTR 2"));
    backup.names.SetName(NameKind::Output, 3, QStringLiteral("Studio \"A\" ✓"));
    return backup;
}

}  // namespace zerandi::test
