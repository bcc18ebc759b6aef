#include "backup/BackupModelCheck.h"

#include "backup/BackupConfiguration.h"
#include "backup/RouterBackup.h"
#include "config/ConfigChoiceNames.h"
#include "config/ConfigChoiceValues.h"
#include "config/ProtocolNames.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "config/SignalTypes.h"
#include "connect/SalvoFileCheck.h"
#include "porttypes/PortType.h"

namespace zerandi {

namespace {

// The model's sizes, as the faults name them.
struct Model {
    explicit Model(int32_t productId)
        : id(productId),
          name(ModelName(productId)),
          inputs(ModelInputCount(productId)),
          outputs(ModelOutputCount(productId)),
          monitors(ModelMonitorCount(productId)) {}

    int32_t id;
    QString name;
    int32_t inputs;
    int32_t outputs;
    int32_t monitors;
};

// "" when `count` entries were given for `expected`; otherwise the fault of the first extra
// or missing one: "routing, output 65: the QS1210 has 64 outputs".
QString CountFault(size_t count, int32_t expected, const QString& part, const QString& item,
                   const QString& items, const Model& model) {
    const auto want = static_cast<size_t>(std::max(expected, 0));
    if (count > want && want == 0) {
        return QStringLiteral("%1, %2 1: the %3 has no %4 Zerandi knows of")
            .arg(part, item, model.name, items);
    }
    if (count > want) {
        return QStringLiteral("%1, %2 %3: the %4 has %5 %6")
            .arg(part, item)
            .arg(want + 1)
            .arg(model.name)
            .arg(want)
            .arg(items);
    }
    if (count < want) {
        return QStringLiteral("%1, %2 %3: missing; the %4 has %5 %6")
            .arg(part, item)
            .arg(count + 1)
            .arg(model.name)
            .arg(want)
            .arg(items);
    }
    return {};
}

QString NumberFault(int32_t number, int32_t count, const QString& items, const Model& model) {
    if (number >= 1 && number <= HighestNumber(count)) {
        return {};
    }
    return QStringLiteral("%1 %2 is not one of the %3's %4 1 to %5")
        .arg(items.chopped(1))
        .arg(number)
        .arg(model.name, items)
        .arg(HighestNumber(count));
}

QString RoutingFault(const RouterBackup& backup, const Model& model) {
    if (QString fault = CountFault(backup.routing.size(), model.outputs, QStringLiteral("routing"),
                                   QStringLiteral("output"), QStringLiteral("outputs"), model);
        !fault.isEmpty()) {
        return fault;
    }
    const bool dataRouter = IsDataRouter(model.id);
    for (size_t o = 0; o < backup.routing.size(); ++o) {
        const RoutedSource& source = backup.routing[o];
        QString fault;
        if (source.TriState() && !SupportsTriState(model.id)) {
            fault = QStringLiteral("the %1 cannot tri-state an output").arg(model.name);
        } else if (source.input) {
            fault = NumberFault(*source.input, model.inputs, QStringLiteral("inputs"), model);
        }
        if (fault.isEmpty() && !dataRouter &&
            (source.forwardTake || source.localControl || source.flag13 || source.flag12)) {
            fault = QStringLiteral("only a data router's outputs carry flags");
        }
        if (!fault.isEmpty()) {
            return QStringLiteral("routing, output %1: %2").arg(o + 1).arg(fault);
        }
    }
    return {};
}

QString MonitorsFault(const RouterBackup& backup, const Model& model) {
    if (QString fault =
            CountFault(backup.monitors.size(), model.monitors, QStringLiteral("monitors"),
                       QStringLiteral("monitor"), QStringLiteral("monitor outputs"), model);
        !fault.isEmpty()) {
        return fault;
    }
    for (size_t m = 0; m < backup.monitors.size(); ++m) {
        if (!backup.monitors[m]) {
            continue;
        }
        if (QString fault =
                NumberFault(*backup.monitors[m], model.outputs, QStringLiteral("outputs"), model);
            !fault.isEmpty()) {
            return QStringLiteral("monitors, monitor %1: %2").arg(m + 1).arg(fault);
        }
    }
    return {};
}

QString PortTypesFault(const RouterBackup& backup, const Model& model) {
    const bool dataRouter = IsDataRouter(model.id);
    if (backup.portTypes.has_value() != dataRouter) {
        return dataRouter
                   ? QStringLiteral("port types: missing; the %1 is a data router").arg(model.name)
                   : QStringLiteral("port types: the %1 is not a data router").arg(model.name);
    }
    if (!dataRouter) {
        return {};
    }
    const auto ports = static_cast<int32_t>(RouterPortCount(model.inputs));
    return CountFault(backup.portTypes->types.size(), ports, QStringLiteral("port types"),
                      QStringLiteral("port"), QStringLiteral("ports"), model);
}

QString ScrambleMapFault(const RouterBackup& backup) {
    const bool enabled = backup.configuration.scrambleMapEnabled;
    if (backup.scrambleMap.has_value() == enabled) {
        return {};
    }
    return enabled ? QStringLiteral("scramble map: missing; the configuration switches it on")
                   : QStringLiteral("scramble map: held, but the configuration switches it off");
}

constexpr int32_t kLargestByte = 255;
constexpr int32_t kHighestProtocol = 10;
// The level numbers a user may give a level in the configuration view.
constexpr int32_t kMaxLevelNumber = 250;
constexpr int32_t kReservedLevelNumber = 254;

QString LevelNumberFault(const RouterLevel& level, bool inUse, int levelCount) {
    if (!inUse) {
        return level.level == RouterLevel::kNoLevel
                   ? QString()
                   : QStringLiteral(
                         "\"level\" is %1 in a row beyond \"levelCount\" %2: a row "
                         "not in use holds level 255")
                         .arg(level.level)
                         .arg(levelCount);
    }
    const bool number =
        (level.level >= 0 && level.level <= kMaxLevelNumber) || level.level == kReservedLevelNumber;
    return number ? QString()
                  : QStringLiteral("\"level\" is %1: a level in use is 0 to %2, or %3")
                        .arg(level.level)
                        .arg(kMaxLevelNumber)
                        .arg(kReservedLevelNumber);
}

// A physical range of a level: from 1, start before end, and inside the model when its sizes
// are known.
QString RangeFault(int32_t start, int32_t end, const QString& side, int32_t count,
                   const Model& model) {
    const QString startKey = QStringLiteral("physical%1Start").arg(side);
    const QString endKey = QStringLiteral("physical%1End").arg(side);
    if (start < 1) {
        return QStringLiteral("\"%1\" is %2: the first %3 is 1")
            .arg(startKey)
            .arg(start)
            .arg(side.toLower());
    }
    if (start > end) {
        return QStringLiteral("\"%1\" %2 is after \"%3\" %4")
            .arg(startKey)
            .arg(start)
            .arg(endKey)
            .arg(end);
    }
    if (count > 0 && end > count) {
        return QStringLiteral("\"%1\" is %2: the %3 has %4 %5s")
            .arg(endKey)
            .arg(end)
            .arg(model.name)
            .arg(count)
            .arg(side.toLower());
    }
    return {};
}

QString LevelFault(const RouterLevel& level, bool inUse, int levelCount, const Model& model) {
    if (QString fault = LevelNumberFault(level, inUse, levelCount); !fault.isEmpty() || !inUse) {
        return fault;
    }
    if (QString fault = RangeFault(level.physicalInputStart, level.physicalInputEnd,
                                   QStringLiteral("Input"), model.inputs, model);
        !fault.isEmpty()) {
        return fault;
    }
    if (QString fault = RangeFault(level.physicalOutputStart, level.physicalOutputEnd,
                                   QStringLiteral("Output"), model.outputs, model);
        !fault.isEmpty()) {
        return fault;
    }
    if (SignalTypeName(level.signalType) == SignalTypeName(-1)) {
        return QStringLiteral("\"signalType\" is %1: no signal type Zerandi knows")
            .arg(level.signalType);
    }
    return {};
}

bool IsSubnetMask(const std::array<uint8_t, 4>& mask) {
    const uint32_t bits = (uint32_t{mask[0]} << 24) | (uint32_t{mask[1]} << 16) |
                          (uint32_t{mask[2]} << 8) | uint32_t{mask[3]};
    // The ones come first, then only zeros: the inverse plus one is a power of two.
    const uint32_t hosts = ~bits;
    return (hosts & (hosts + 1)) == 0;
}

QString EthernetEntryFault(const EthernetEntry& entry, bool first) {
    if (entry.enabled != 0 && entry.enabled != 1) {
        return QStringLiteral("\"enabled\" is %1: it is 0 or 1").arg(entry.enabled);
    }
    const bool unusable = entry.ipAddress == std::array<uint8_t, 4>{0, 0, 0, 0} ||
                          entry.ipAddress == std::array<uint8_t, 4>{255, 255, 255, 255};
    // The first entry is the one written back; the control card refuses these addresses.
    if (first && entry.enabled == 1 && unusable) {
        return QStringLiteral("\"ipAddress\" %1 is no address an enabled interface can have")
            .arg(EthernetAddressText(entry.ipAddress));
    }
    if (!IsSubnetMask(entry.subnetMask)) {
        return QStringLiteral("\"subnetMask\" %1 is not a subnet mask")
            .arg(EthernetAddressText(entry.subnetMask));
    }
    return {};
}

QString SerialFault(const BackupConfiguration& config) {
    if (!ConfigChoiceValues::BaudRate(config.baudIndex)) {
        return QStringLiteral("\"baudRate\": baud index %1 is none of %2")
            .arg(config.baudIndex)
            .arg(ConfigChoiceValues::BaudRatesText());
    }
    if (!ConfigChoiceValues::ReplyWhenName(config.replyWhenIndex)) {
        return QStringLiteral("\"replyWhen\": index %1 is none of %2")
            .arg(config.replyWhenIndex)
            .arg(ConfigChoiceValues::ChoicesText(ConfigChoiceNames::ReplyWhen()));
    }
    if (!ConfigChoiceValues::RearDiagName(config.rearDiagIndex)) {
        return QStringLiteral("\"rearDiagPort\": index %1 is none of %2")
            .arg(config.rearDiagIndex)
            .arg(ConfigChoiceValues::ChoicesText(ConfigChoiceNames::RearDiagPorts()));
    }
    if (config.serialExtra1 < 0 || config.serialExtra1 > kLargestByte) {
        return QStringLiteral("\"extra1\" is %1: it is a byte").arg(config.serialExtra1);
    }
    return {};
}

QString ConfigurationFault(const RouterBackup& backup, const Model& model) {
    const int32_t protocol = backup.identity.protocol;
    if (protocol < 0 || protocol > kHighestProtocol) {
        return QStringLiteral(
                   "identity, protocol: %1 is no protocol the control card knows (0 %2 to %3 %4)")
            .arg(protocol)
            .arg(ProtocolName(0))
            .arg(kHighestProtocol)
            .arg(ProtocolName(kHighestProtocol));
    }
    const BackupConfiguration& config = backup.configuration;
    if (config.startupMode != 0 && config.startupMode != 1) {
        return QStringLiteral("configuration: \"startupMode\" is %1: it is 0 or 1")
            .arg(config.startupMode);
    }
    if (config.cardAddress < 0 || config.cardAddress > kLargestByte) {
        return QStringLiteral("configuration: \"cardAddress\" is %1: a card address is 0 to %2")
            .arg(config.cardAddress)
            .arg(kLargestByte);
    }
    if (QString fault = SerialFault(config); !fault.isEmpty()) {
        return QStringLiteral("configuration, serial: ") + fault;
    }
    const std::vector<EthernetEntry> ethernet =
        config.ethernet.value_or(std::vector<EthernetEntry>{});
    for (size_t i = 0; i < ethernet.size(); ++i) {
        if (QString fault = EthernetEntryFault(ethernet[i], i == 0); !fault.isEmpty()) {
            return QStringLiteral("configuration, Ethernet entry %1: %2").arg(i + 1).arg(fault);
        }
    }
    if (config.expansion && config.expansion->mode != ExpansionSettings::kMaster &&
        config.expansion->mode != ExpansionSettings::kSlave &&
        config.expansion->mode != ExpansionSettings::kNone) {
        return QStringLiteral(
                   "configuration, expansion: \"mode\" is %1: it is 0 master, 1 slave or 255 none")
            .arg(config.expansion->mode);
    }
    if (config.levelCount < 0 || config.levelCount > static_cast<int32_t>(config.levels.size())) {
        return QStringLiteral("configuration: \"levelCount\" is %1: a router holds 0 to %2 levels")
            .arg(config.levelCount)
            .arg(config.levels.size());
    }
    for (size_t i = 0; i < config.levels.size(); ++i) {
        const bool inUse = static_cast<int32_t>(i) < config.levelCount;
        if (QString fault = LevelFault(config.levels[i], inUse, config.levelCount, model);
            !fault.isEmpty()) {
            return QStringLiteral("configuration, level row %1: %2").arg(i + 1).arg(fault);
        }
    }
    return {};
}

QString NamesFault(const RouterBackup& backup, const Model& model) {
    for (const RouterName& name : backup.names.All()) {
        const bool input = name.kind == NameKind::Input;
        const QString fault =
            NumberFault(name.number, input ? model.inputs : model.outputs,
                        input ? QStringLiteral("inputs") : QStringLiteral("outputs"), model);
        if (!fault.isEmpty()) {
            return QStringLiteral("names, %1 %2: %3")
                .arg(NameKindText(name.kind).toLower())
                .arg(name.number)
                .arg(fault);
        }
    }
    return {};
}

}  // namespace

QString BackupConfigurationFault(const RouterBackup& backup) {
    return ConfigurationFault(backup, Model(backup.identity.productId));
}

QString BackupModelFault(const RouterBackup& backup) {
    const Model model(backup.identity.productId);
    if (model.id == RouterConfigDoc::kUnknownProduct) {
        return QStringLiteral("identity, product id: %1 stands for a router never identified")
            .arg(model.id);
    }
    for (QString fault : {ConfigurationFault(backup, model), RoutingFault(backup, model),
                          MonitorsFault(backup, model), PortTypesFault(backup, model),
                          ScrambleMapFault(backup), NamesFault(backup, model)}) {
        if (!fault.isEmpty()) {
            return fault;
        }
    }
    return {};
}

}  // namespace zerandi
