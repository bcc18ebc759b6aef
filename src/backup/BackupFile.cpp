#include "backup/BackupFile.h"

#include <QJsonValue>

#include "backup/BackupConfiguration.h"
#include "backup/BackupFileParser.h"
#include "backup/OrderedJson.h"
#include "config/ConfigChoiceValues.h"
#include "config/ControlCardText.h"
#include "config/ProtocolNames.h"
#include "config/RouterModelTables.h"
#include "porttypes/PortType.h"
#include "scramble/ScrambleMap.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

// A backup is checked before it is saved, so every index names a choice; were one not to, the
// file says which, and reading it back refuses it.
constexpr int32_t kNoChoice = -1;

QString ChoiceName(const std::optional<QString>& name, int32_t index) {
    return name.value_or(QStringLiteral("index %1").arg(index));
}

QJsonValue NumberOrNull(const std::optional<int32_t>& number) {
    return number ? QJsonValue(*number) : QJsonValue();
}

OrderedJson IdentityJson(const BackupIdentity& identity) {
    const ControlCardInfo& card = identity.controlCard;
    OrderedJson versions = OrderedJson::Array();
    for (const SoftwareVersion& version : identity.softwareVersions) {
        versions.Append(OrderedJson::Object()
                            .Add("componentType", version.componentType)
                            .Add("imageKind", version.imageKind)
                            .Add("name", version.name)
                            .Add("part", version.partString)
                            .Add("major", version.major)
                            .Add("minor", version.minor)
                            .Add("build", version.build)
                            .Add("fourth", version.fourth)
                            .Add("description", version.description));
    }
    return OrderedJson::Object()
        .Add("model", ModelName(identity.productId))
        .Add("productId", identity.productId)
        .Add("controlCard", OrderedJson::Object()
                                .Add("partNumber", card.partNumber)
                                .Add("identity1", card.identity1)
                                .Add("identity2", card.identity2)
                                .Add("identity3", card.identity3)
                                .Add("text", FormatCardNumber(card)))
        .Add("protocol", identity.protocol)
        .Add("protocolName", ProtocolName(identity.protocol))
        .Add("softwareVersions", std::move(versions));
}

OrderedJson EthernetJson(const std::optional<std::vector<EthernetEntry>>& entries) {
    if (!entries) {
        return QJsonValue();
    }
    OrderedJson list = OrderedJson::Array();
    for (const EthernetEntry& entry : *entries) {
        list.Append(OrderedJson::Object()
                        .Add("entry", entry.entryNumber)
                        .Add("enabled", entry.enabled)
                        .Add("ipAddress", EthernetAddressText(entry.ipAddress))
                        .Add("subnetMask", EthernetAddressText(entry.subnetMask)));
    }
    return list;
}

OrderedJson ExpansionJson(const std::optional<ExpansionSettings>& expansion) {
    if (!expansion) {
        return QJsonValue();
    }
    return OrderedJson::Object().Add("mode", expansion->mode).Add("index", expansion->index);
}

OrderedJson LevelsJson(const BackupConfiguration::Levels& levels) {
    OrderedJson list = OrderedJson::Array();
    for (const RouterLevel& level : levels) {
        list.Append(OrderedJson::Object()
                        .Add("level", level.level)
                        .Add("physicalInputStart", level.physicalInputStart)
                        .Add("physicalInputEnd", level.physicalInputEnd)
                        .Add("controllerInputStart", level.controllerInputStart)
                        .Add("defaultInput", level.defaultInput)
                        .Add("physicalOutputStart", level.physicalOutputStart)
                        .Add("physicalOutputEnd", level.physicalOutputEnd)
                        .Add("controllerOutputStart", level.controllerOutputStart)
                        .Add("signalType", level.signalType));
    }
    return list;
}

OrderedJson ConfigurationJson(const BackupConfiguration& config) {
    return OrderedJson::Object()
        .Add("startupMode", config.startupMode)
        .Add("scrambleMapEnabled", config.scrambleMapEnabled)
        .Add("cardAddress", config.cardAddress)
        .Add("serial", OrderedJson::Object()
                           .Add("baudRate",
                                ConfigChoiceValues::BaudRate(config.baudIndex).value_or(kNoChoice))
                           .Add("replyWhen",
                                ChoiceName(ConfigChoiceValues::ReplyWhenName(config.replyWhenIndex),
                                           config.replyWhenIndex))
                           .Add("rearDiagPort",
                                ChoiceName(ConfigChoiceValues::RearDiagName(config.rearDiagIndex),
                                           config.rearDiagIndex))
                           .Add("extra1", config.serialExtra1)
                           .Add("mainPortEnabled", config.mainPortEnabled)
                           .Add("auxPortEnabled", config.auxPortEnabled))
        .Add("ethernet", EthernetJson(config.ethernet))
        .Add("expansion", ExpansionJson(config.expansion))
        .Add("levelCount", config.levelCount)
        .Add("levels", LevelsJson(config.levels));
}

OrderedJson RoutingJson(const std::vector<RoutedSource>& routing, int32_t productId) {
    OrderedJson list = OrderedJson::Array();
    int output = 1;
    for (const RoutedSource& source : routing) {
        OrderedJson entry = OrderedJson::Object()
                                .Add("output", output++)
                                .Add("input", NumberOrNull(source.input))
                                .Add("triState", source.TriState());
        if (IsDataRouter(productId)) {
            entry.Add("forwardTake", source.forwardTake)
                .Add("localControl", source.localControl)
                .Add("flag13", source.flag13)
                .Add("flag12", source.flag12);
        }
        list.Append(std::move(entry));
    }
    return list;
}

OrderedJson MonitorsJson(const std::vector<std::optional<int32_t>>& monitors) {
    OrderedJson list = OrderedJson::Array();
    int monitor = 1;
    for (const std::optional<int32_t>& output : monitors) {
        list.Append(
            OrderedJson::Object().Add("monitor", monitor++).Add("output", NumberOrNull(output)));
    }
    return list;
}

OrderedJson PortTypesJson(const std::optional<PortTypesTable>& table) {
    if (!table) {
        return QJsonValue();
    }
    OrderedJson ports = OrderedJson::Array();
    int port = 1;
    for (const PortType type : table->types) {
        ports.Append(OrderedJson::Object()
                         .Add("port", port++)
                         .Add("type", type)
                         .Add("name", PortTypeListName(type)));
    }
    return OrderedJson::Object()
        .Add("reverse", table->reverse)
        .Add("takeDelay", table->takeDelay)
        .Add("ports", std::move(ports));
}

QJsonValue AddressOrNull(uint16_t word) {
    return word == ScrambleEntry::kNoAddress ? QJsonValue() : QJsonValue(word);
}

OrderedJson ScrambleTableJson(const ScrambleTableWords& words, uint8_t bank) {
    const ScrambleBankBases bases = ScrambleBankBasesFor(bank);
    OrderedJson list = OrderedJson::Array();
    for (size_t k = 0; k < kScrambleBankEntries; ++k) {
        list.Append(OrderedJson::Object()
                        .Add("entry", static_cast<int>(k + 1))
                        .Add("a1a2", AddressOrNull(words[bases.a + k]))
                        .Add("a3a4", AddressOrNull(words[bases.b + k])));
    }
    return list;
}

OrderedJson ScrambleMapJson(const std::optional<ScrambleTableWords>& words) {
    if (!words) {
        return QJsonValue();
    }
    return OrderedJson::Object()
        .Add("inputs", ScrambleTableJson(*words, kScrambleBankOne))
        .Add("outputs", ScrambleTableJson(*words, kScrambleBankTwo));
}

OrderedJson NamesOf(const RouterNames& names, NameKind kind) {
    OrderedJson list = OrderedJson::Array();
    for (const RouterName& name : names.All()) {
        if (name.kind == kind) {
            list.Append(OrderedJson::Object().Add("number", name.number).Add("name", name.name));
        }
    }
    return list;
}

// With its UTC offset whatever the time's own spec: a local time is written as the offset then.
QString TakenText(const QDateTime& taken) {
    return taken.toOffsetFromUtc(taken.offsetFromUtc()).toString(Qt::ISODate);
}

}  // namespace

QByteArray BackupFile::ToBytes(const RouterBackup& backup) {
    const int32_t productId = backup.identity.productId;
    return OrderedJson::Object()
        .Add("format", QString::fromLatin1(kFormat))
        .Add("version", kVersion)
        .Add("taken", TakenText(backup.takenAt))
        .Add("zerandiVersion", backup.zerandiVersion)
        .Add("identity", IdentityJson(backup.identity))
        .Add("configuration", ConfigurationJson(backup.configuration))
        .Add("routing", RoutingJson(backup.routing, productId))
        .Add("monitors", MonitorsJson(backup.monitors))
        .Add("portTypes", PortTypesJson(backup.portTypes))
        .Add("scrambleMap", ScrambleMapJson(backup.scrambleMap))
        .Add("names", OrderedJson::Object()
                          .Add("inputs", NamesOf(backup.names, NameKind::Input))
                          .Add("outputs", NamesOf(backup.names, NameKind::Output)))
        .Text();
}

BackupFile::Parsed BackupFile::FromBytes(QByteArrayView bytes) {
    return BackupFileParser::Parse(bytes);
}

bool BackupFile::Save(UiServices& ui, const QString& path, const RouterBackup& backup) {
    return SaveFileBytes(ui, path, ToBytes(backup));
}

std::optional<RouterBackup> BackupFile::Load(UiServices& ui, const QString& path) {
    const std::optional<QByteArray> bytes = ReadUserFile(ui, path, {.maxBytes = kMaxFileBytes});
    if (!bytes) {
        return std::nullopt;
    }
    Parsed parsed = FromBytes(*bytes);
    if (!parsed.backup) {
        ui.showMessage(RefusedText(path, parsed.fault), MessageIcon::Warning);
    }
    return std::move(parsed.backup);
}

QString BackupFile::RefusedText(const QString& path, const QString& fault) {
    return QStringLiteral("The file\n%1\nis not a backup Zerandi can restore:\n%2")
        .arg(path, fault);
}

}  // namespace zerandi
