#include "cli/IdentityCommands.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/ComponentNames.h"
#include "config/ConfigChoiceNames.h"
#include "config/ConfigViewSettings.h"
#include "config/ControlCardText.h"
#include "config/ProtocolNames.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "config/SignalTypes.h"
#include "protocol/EthernetEntry.h"
#include "services/VersionInfo.h"

namespace zerandi {

namespace {

constexpr int kUsbIdDigits = 4;
constexpr int kHex = 16;

// A USB vendor or product id in four hex digits; null when the port has none.
QJsonValue UsbId(bool has, quint16 id) {
    return has ? QJsonValue(QStringLiteral("%1").arg(id, kUsbIdDigits, kHex, QLatin1Char('0')))
               : QJsonValue();
}

bool Usable(const QSerialPortInfo& port) {
    const QFileInfo device(port.systemLocation());
    return device.isReadable() && device.isWritable();
}

CliExit ListPorts(CliContext& context) {
    CliTable table{
        {QStringLiteral("Device"), QStringLiteral("Description"), QStringLiteral("Vendor"),
         QStringLiteral("Product"), QStringLiteral("Serial number"), QStringLiteral("Usable")},
        {}};
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        table.rows.push_back({port.systemLocation(), port.description(),
                              UsbId(port.hasVendorIdentifier(), port.vendorIdentifier()),
                              UsbId(port.hasProductIdentifier(), port.productIdentifier()),
                              port.serialNumber(), Usable(port)});
    }
    context.Result().AddTable(QStringLiteral("Ports"), std::move(table));
    if (std::any_of(ports.begin(), ports.end(),
                    [](const QSerialPortInfo& port) { return !Usable(port); })) {
        context.Ui().TellInformation(
            QStringLiteral("a port you may not open needs your user in its group (often "
                           "\"dialout\"); log in again after joining it."));
    }
    return CliExit::Ok;
}

// An entry of one of the configuration's lists; null for an index that picks none.
QJsonValue ChoiceName(const QStringList& names, int32_t index) {
    return index >= 0 && index < names.size() ? QJsonValue(names.at(index)) : QJsonValue();
}

CliTable VersionTable(const std::vector<SoftwareVersion>& versions) {
    CliTable table{
        {QStringLiteral("Component"), QStringLiteral("Major"), QStringLiteral("Minor"),
         QStringLiteral("Build"), QStringLiteral("Part number"), QStringLiteral("Revision")},
        {}};
    for (const SoftwareVersion& version : versions) {
        const QString component = ComponentName(version.componentType, version.imageKind);
        table.rows.push_back(
            {component.isEmpty() ? QJsonValue() : QJsonValue(component), version.major,
             version.minor, version.build, version.name,
             version.partString.isEmpty() ? QJsonValue() : QJsonValue(version.partString)});
    }
    return table;
}

void AddIdentity(CliResult& result, const RouterConfigDoc& doc,
                 const ConfigViewSettings& settings) {
    result.Add(QStringLiteral("Model"), ModelName(doc.ProductId()));
    result.Add(QStringLiteral("Product id"), doc.ProductId());
    result.Add(QStringLiteral("Control card"), FormatCardNumber(doc.controlCard));
    result.Add(QStringLiteral("Protocol"), ProtocolName(doc.protocol));
    result.Add(QStringLiteral("Program version"), VersionInfo::FileVersion());
    result.AddTable(QStringLiteral("Software versions"), VersionTable(settings.versionRecords));
}

CliExit Info(CliContext& context) {
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    AddIdentity(context.Result(), context.Doc(), context.Settings());
    return CliExit::Ok;
}

CliTable EthernetTable(const std::vector<EthernetEntry>& entries) {
    CliTable table{{QStringLiteral("Entry"), QStringLiteral("Enabled"),
                    QStringLiteral("IP address"), QStringLiteral("Subnet mask")},
                   {}};
    for (const EthernetEntry& entry : entries) {
        table.rows.push_back({entry.entryNumber, entry.enabled == 1,
                              EthernetAddressText(entry.ipAddress),
                              EthernetAddressText(entry.subnetMask)});
    }
    return table;
}

QJsonValue ExpansionMode(const ConfigViewSettings& settings) {
    if (!settings.expansionSupported) {
        return {};
    }
    switch (settings.expansion.mode) {
        case ExpansionSettings::kMaster:
            return QStringLiteral("master");
        case ExpansionSettings::kSlave:
            return QStringLiteral("slave");
        default:
            return QStringLiteral("none");
    }
}

// The index of an expansion master or slave; null when the card is neither.
QJsonValue ExpansionIndex(const ConfigViewSettings& settings) {
    const bool placed =
        settings.expansionSupported && (settings.expansion.mode == ExpansionSettings::kMaster ||
                                        settings.expansion.mode == ExpansionSettings::kSlave);
    return placed ? QJsonValue(settings.expansion.index) : QJsonValue();
}

CliTable LevelTable(const RouterConfigDoc& doc) {
    CliTable table{{QStringLiteral("Level"), QStringLiteral("Input start"),
                    QStringLiteral("Input end"), QStringLiteral("Controller input"),
                    QStringLiteral("Output start"), QStringLiteral("Output end"),
                    QStringLiteral("Controller output"), QStringLiteral("Default input"),
                    QStringLiteral("Default tri-state"), QStringLiteral("Signal type")},
                   {}};
    for (const RouterLevel& level : doc.levels) {
        if (level.level == RouterLevel::kNoLevel) {
            continue;
        }
        const bool triState = IsTriStateSource(level.defaultInput, doc.ProductId());
        table.rows.push_back({level.level, level.physicalInputStart, level.physicalInputEnd,
                              level.controllerInputStart, level.physicalOutputStart,
                              level.physicalOutputEnd, level.controllerOutputStart,
                              triState ? QJsonValue() : QJsonValue(level.defaultInput), triState,
                              SignalTypeName(level.signalType)});
    }
    return table;
}

void AddSerial(CliResult& result, const ConfigViewSettings& settings) {
    const QJsonValue baud = ChoiceName(ConfigChoiceNames::BaudRates(), settings.baudIndex);
    result.Add(QStringLiteral("Baud rate"),
               baud.isNull() ? baud : QJsonValue(baud.toString().toInt()));
    result.Add(QStringLiteral("Reply when"),
               ChoiceName(ConfigChoiceNames::ReplyWhen(), settings.replyWhenIndex));
    result.Add(QStringLiteral("Rear diag"),
               ChoiceName(ConfigChoiceNames::RearDiagPorts(), settings.rearDiagIndex));
    result.Add(QStringLiteral("Main port"), settings.mainPortEnabled);
    result.Add(QStringLiteral("Aux port"), settings.auxPortEnabled);
}

CliExit Config(CliContext& context) {
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    RouterConfigDoc& doc = context.Doc();
    const ConfigViewSettings& settings = context.Settings();
    CliResult& result = context.Result();
    AddIdentity(result, doc, settings);
    result.Add(QStringLiteral("Card address"), settings.cardAddress);
    result.Add(QStringLiteral("Startup mode"),
               ChoiceName(ConfigChoiceNames::StartupModes(), settings.startupMode));
    result.Add(QStringLiteral("Scramble map"), doc.ScrambleMapEnabled() != 0);
    AddSerial(result, settings);
    if (doc.IsExtendedControlCard()) {
        result.AddTable(QStringLiteral("Ethernet"), EthernetTable(settings.ethernetEntries));
        result.Add(QStringLiteral("Expansion"), ExpansionMode(settings));
        result.Add(QStringLiteral("Expansion index"), ExpansionIndex(settings));
    }
    result.AddTable(QStringLiteral("Levels"), LevelTable(doc));
    return settings.readComplete ? CliExit::Ok : CliExit::RouterFailed;
}

}  // namespace

void AddIdentityCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("list-ports"),
                        QString(),
                        QStringLiteral("the serial devices, and whether you may open each"),
                        {},
                        0,
                        0,
                        RouterNeed::None,
                        ListPorts});
    commands.push_back({QStringLiteral("info"),
                        QString(),
                        QStringLiteral("model, control card, protocol and software versions"),
                        {},
                        0,
                        0,
                        RouterNeed::Configuration,
                        Info});
    commands.push_back({QStringLiteral("config"),
                        QString(),
                        QStringLiteral("the whole configuration, as \"Read All\" reads it"),
                        {},
                        0,
                        0,
                        RouterNeed::Configuration,
                        Config});
}

}  // namespace zerandi
