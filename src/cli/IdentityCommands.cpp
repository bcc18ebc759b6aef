#include "cli/IdentityCommands.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QSerialPortInfo>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliRouter.h"
#include "config/ConfigViewSettings.h"
#include "config/ControlCardText.h"
#include "config/ProtocolNames.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "config/SignalTypes.h"

namespace zerandi {

namespace {

QString UsbId(bool has, quint16 id) {
    return has ? QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')) : QStringLiteral("-");
}

QString AccessText(const QSerialPortInfo& port) {
    const QFileInfo device(port.systemLocation());
    if (device.isReadable() && device.isWritable()) {
        return QStringLiteral("yes");
    }
    return QStringLiteral("no (join the dialout group)");
}

CliExit ListPorts(CliContext& context) {
    CliTable table{
        {QStringLiteral("Device"), QStringLiteral("Description"), QStringLiteral("Vendor"),
         QStringLiteral("Product"), QStringLiteral("Serial number"), QStringLiteral("Usable")},
        {}};
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        table.rows.push_back({port.systemLocation(), port.description(),
                              UsbId(port.hasVendorIdentifier(), port.vendorIdentifier()),
                              UsbId(port.hasProductIdentifier(), port.productIdentifier()),
                              port.serialNumber(), AccessText(port)});
    }
    context.result.AddTable(QStringLiteral("Ports"), std::move(table));
    return CliExit::Ok;
}

void AddIdentity(CliResult& result, const RouterConfigDoc& doc,
                 const ConfigViewSettings& settings) {
    result.Add(QStringLiteral("Model"), ModelName(doc.ProductId()));
    result.Add(QStringLiteral("Product id"), doc.ProductId());
    result.Add(QStringLiteral("Control card"), FormatCardNumber(doc.controlCard));
    result.Add(QStringLiteral("Protocol"), ProtocolName(doc.protocol));
    result.AddList(QStringLiteral("Software versions"), settings.softwareVersions);
}

CliExit Info(CliContext& context) {
    ConfigViewSettings settings;
    if (!ReadRouterIdentity(*context.doc, settings)) {
        return CliExit::RouterFailed;
    }
    AddIdentity(context.result, *context.doc, settings);
    return CliExit::Ok;
}

QString Dotted(const std::array<uint8_t, 4>& address) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address[0])
        .arg(address[1])
        .arg(address[2])
        .arg(address[3]);
}

QString ExpansionText(const ExpansionSettings& expansion) {
    switch (expansion.mode) {
        case ExpansionSettings::kMaster:
            return QStringLiteral("master %1").arg(expansion.index);
        case ExpansionSettings::kSlave:
            return QStringLiteral("slave %1").arg(expansion.index);
        default:
            return QStringLiteral("none");
    }
}

CliTable LevelTable(const RouterConfigDoc& doc) {
    CliTable table{
        {QStringLiteral("Level"), QStringLiteral("Inputs"), QStringLiteral("Controller input"),
         QStringLiteral("Outputs"), QStringLiteral("Controller output"),
         QStringLiteral("Default input"), QStringLiteral("Signal type")},
        {}};
    for (const RouterLevel& level : doc.levels) {
        if (level.level == RouterLevel::kNoLevel) {
            continue;
        }
        const bool triState = IsTriStateSource(level.defaultInput, doc.ProductId());
        table.rows.push_back(
            {QString::number(level.level),
             QStringLiteral("%1-%2").arg(level.physicalInputStart).arg(level.physicalInputEnd),
             QString::number(level.controllerInputStart),
             QStringLiteral("%1-%2").arg(level.physicalOutputStart).arg(level.physicalOutputEnd),
             QString::number(level.controllerOutputStart),
             triState ? QStringLiteral("TRI") : QString::number(level.defaultInput),
             SignalTypeName(level.signalType)});
    }
    return table;
}

CliExit Config(CliContext& context) {
    ConfigViewSettings settings;
    RouterConfigDoc& doc = *context.doc;
    if (!ReadRouterIdentity(doc, settings)) {
        return CliExit::RouterFailed;
    }
    CliResult& result = context.result;
    AddIdentity(result, doc, settings);
    result.Add(QStringLiteral("Card address"), settings.cardAddress);
    result.Add(QStringLiteral("Startup mode"), settings.startupMode == 1
                                                   ? QStringLiteral("Last known state")
                                                   : QStringLiteral("Default Source"));
    result.Add(QStringLiteral("Scramble map"), doc.ScrambleMapEnabled() != 0);
    result.Add(QStringLiteral("Baud index"), settings.baudIndex);
    result.Add(QStringLiteral("Main port"), settings.mainPortEnabled);
    result.Add(QStringLiteral("Aux port"), settings.auxPortEnabled);
    if (doc.IsExtendedControlCard()) {
        result.Add(QStringLiteral("Ethernet"), settings.ethernetSupported);
        for (const EthernetEntry& entry : settings.ethernetEntries) {
            result.Add(QStringLiteral("IP address"), Dotted(entry.ipAddress));
            result.Add(QStringLiteral("Subnet mask"), Dotted(entry.subnetMask));
        }
        result.Add(QStringLiteral("Expansion"), ExpansionText(settings.expansion));
    }
    result.AddTable(QStringLiteral("Levels"), LevelTable(doc));
    return settings.readComplete ? CliExit::Ok : CliExit::RouterFailed;
}

}  // namespace

void AddIdentityCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("list-ports"), QString(),
                        QStringLiteral("the serial devices, and whether you may open each"), false,
                        ListPorts});
    commands.push_back({QStringLiteral("info"), QString(),
                        QStringLiteral("model, control card, protocol and software versions"), true,
                        Info});
    commands.push_back({QStringLiteral("config"), QString(),
                        QStringLiteral("the whole configuration, as \"Read All\" reads it"), true,
                        Config});
}

}  // namespace zerandi
