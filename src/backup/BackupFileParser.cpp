#include "backup/BackupFileParser.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <limits>

#include "backup/BackupModelCheck.h"
#include "backup/JsonFields.h"
#include "config/ConfigChoiceNames.h"
#include "config/ConfigChoiceValues.h"
#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

constexpr int kMaxByte = std::numeric_limits<uint8_t>::max();
constexpr int kMaxWord = std::numeric_limits<uint16_t>::max();
constexpr int kMaxInt = std::numeric_limits<int32_t>::max();
// A scramble address of none is carried as this word, and written as null.
constexpr int kMaxScrambleAddress = kMaxWord - 1;

using Address = std::array<uint8_t, 4>;

Address ParseAddress(JsonFields& fields, const QString& key) {
    static const QRegularExpression kDotted(
        QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QString text = fields.Text(key);
    const QRegularExpressionMatch match = kDotted.match(text);
    Address address{};
    for (int i = 0; match.hasMatch() && i < 4; ++i) {
        const int part = match.captured(i + 1).toInt();
        if (part > kMaxByte) {
            break;
        }
        address[static_cast<size_t>(i)] = static_cast<uint8_t>(part);
        if (i == 3) {
            return address;
        }
    }
    if (!fields.Failed()) {
        fields.Refuse(QStringLiteral("\"%1\" must be four numbers 0 to 255 with dots, not \"%2\"")
                          .arg(key, text));
    }
    return address;
}

ControlCardInfo ParseControlCard(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("identity, control card"), fault);
    ControlCardInfo card;
    card.partNumber = fields.Int(QStringLiteral("partNumber"), -1, kMaxWord);
    card.identity1 = fields.Int(QStringLiteral("identity1"), -1, kMaxByte);
    card.identity2 = fields.Int(QStringLiteral("identity2"), -1, kMaxByte);
    card.identity3 = fields.Int(QStringLiteral("identity3"), -1, kMaxByte);
    fields.Text(QStringLiteral("text"));  // for people: follows from the part number
    fields.Finish();
    return card;
}

SoftwareVersion ParseVersion(const QJsonObject& object, const QString& where, QString& fault) {
    JsonFields fields(object, where, fault);
    SoftwareVersion version;
    version.componentType = fields.Int(QStringLiteral("componentType"), 0, kMaxByte);
    version.imageKind = fields.Int(QStringLiteral("imageKind"), 0, kMaxByte);
    version.name = fields.Text(QStringLiteral("name"));
    version.partString = fields.Text(QStringLiteral("part"));
    version.major = fields.Int(QStringLiteral("major"), 0, kMaxWord);
    version.minor = fields.Int(QStringLiteral("minor"), 0, kMaxWord);
    version.build = fields.Int(QStringLiteral("build"), 0, kMaxWord);
    version.fourth = fields.Int(QStringLiteral("fourth"), 0, kMaxWord);
    version.description = fields.Text(QStringLiteral("description"));
    fields.Finish();
    return version;
}

BackupIdentity ParseIdentity(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("identity"), fault);
    BackupIdentity identity;
    const QString model = fields.Text(QStringLiteral("model"));
    identity.productId = fields.Int(QStringLiteral("productId"), 0, kMaxByte);
    if (!fields.Failed() && model != ModelName(identity.productId)) {
        fields.Refuse(QStringLiteral("product id %1 is the %2, not the %3")
                          .arg(identity.productId)
                          .arg(ModelName(identity.productId), model));
    }
    identity.controlCard = ParseControlCard(fields.Object(QStringLiteral("controlCard")), fault);
    identity.protocol = fields.Int(QStringLiteral("protocol"), 0, kMaxByte);
    fields.Text(QStringLiteral("protocolName"));  // for people: follows from the number
    const QJsonArray versions = fields.List(QStringLiteral("softwareVersions"));
    for (qsizetype i = 0; i < versions.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("identity, software version %1").arg(i + 1);
        identity.softwareVersions.push_back(
            ParseVersion(JsonFields::EntryAt(versions, i, where, fault), where, fault));
    }
    fields.Finish();
    return identity;
}

// A named choice of the configuration view's list `names`: its position, as the router carries
// it.
int32_t ParseChoice(JsonFields& fields, const QString& key, const QStringList& names,
                    std::optional<int32_t> (*indexOf)(const QString&)) {
    const QString name = fields.Text(key);
    const std::optional<int32_t> index = indexOf(name);
    if (!fields.Failed() && !index) {
        fields.Refuse(QStringLiteral("\"%1\" is \"%2\": it must be %3")
                          .arg(key, name, ConfigChoiceValues::ChoicesText(names)));
    }
    return index.value_or(0);
}

// Version 2: the baud rate in bits per second, the reply mode and the rear diagnostic port by
// name.
void ParseSerialSettings(JsonFields& fields, BackupConfiguration& config) {
    const int rate = fields.Int(QStringLiteral("baudRate"), 0, kMaxInt);
    const std::optional<int32_t> baudIndex = ConfigChoiceValues::BaudIndex(rate);
    if (!fields.Failed() && !baudIndex) {
        fields.Refuse(QStringLiteral("\"baudRate\" is %1: the control card runs at %2")
                          .arg(rate)
                          .arg(ConfigChoiceValues::BaudRatesText()));
    }
    config.baudIndex = baudIndex.value_or(0);
    config.replyWhenIndex =
        ParseChoice(fields, QStringLiteral("replyWhen"), ConfigChoiceNames::ReplyWhen(),
                    &ConfigChoiceValues::ReplyWhenIndex);
    config.rearDiagIndex =
        ParseChoice(fields, QStringLiteral("rearDiagPort"), ConfigChoiceNames::RearDiagPorts(),
                    &ConfigChoiceValues::RearDiagIndex);
}

// Version 1 held the positions in the configuration view's lists; only those that name an
// entry are taken.
void ParseSerialIndices(JsonFields& fields, BackupConfiguration& config) {
    const auto last = [](const QStringList& names) { return static_cast<int>(names.size()) - 1; };
    config.baudIndex = fields.Int(QStringLiteral("baudIndex"), 0,
                                  static_cast<int>(ConfigChoiceValues::kBaudRates.size()) - 1);
    config.replyWhenIndex =
        fields.Int(QStringLiteral("replyWhenIndex"), 0, last(ConfigChoiceNames::ReplyWhen()));
    config.rearDiagIndex =
        fields.Int(QStringLiteral("rearDiagIndex"), 0, last(ConfigChoiceNames::RearDiagPorts()));
}

void ParseSerial(const QJsonObject& object, int version, BackupConfiguration& config,
                 QString& fault) {
    JsonFields fields(object, QStringLiteral("configuration, serial"), fault);
    if (version == BackupFile::kFirstVersion) {
        ParseSerialIndices(fields, config);
    } else {
        ParseSerialSettings(fields, config);
    }
    config.serialExtra1 = fields.Int(QStringLiteral("extra1"), 0, kMaxByte);
    config.mainPortEnabled = fields.Bool(QStringLiteral("mainPortEnabled"));
    config.auxPortEnabled = fields.Bool(QStringLiteral("auxPortEnabled"));
    fields.Finish();
}

std::vector<EthernetEntry> ParseEthernet(const QJsonArray& list, QString& fault) {
    std::vector<EthernetEntry> entries;
    for (qsizetype i = 0; i < list.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("configuration, Ethernet entry %1").arg(i + 1);
        JsonFields fields(JsonFields::EntryAt(list, i, where, fault), where, fault);
        EthernetEntry entry;
        entry.entryNumber = fields.Int(QStringLiteral("entry"), 0, kMaxByte);
        entry.enabled = fields.Int(QStringLiteral("enabled"), 0, kMaxByte);
        entry.ipAddress = ParseAddress(fields, QStringLiteral("ipAddress"));
        entry.subnetMask = ParseAddress(fields, QStringLiteral("subnetMask"));
        fields.Finish();
        entries.push_back(entry);
    }
    return entries;
}

ExpansionSettings ParseExpansion(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("configuration, expansion"), fault);
    ExpansionSettings expansion;
    expansion.mode = static_cast<uint8_t>(fields.Int(QStringLiteral("mode"), 0, kMaxByte));
    expansion.index = static_cast<uint8_t>(fields.Int(QStringLiteral("index"), 0, kMaxByte));
    fields.Finish();
    return expansion;
}

RouterLevel ParseLevel(const QJsonObject& object, const QString& where, QString& fault) {
    JsonFields fields(object, where, fault);
    RouterLevel level;
    level.level = fields.Int(QStringLiteral("level"), 0, kMaxByte);
    level.physicalInputStart = fields.Int(QStringLiteral("physicalInputStart"), 0, kMaxWord);
    level.physicalInputEnd = fields.Int(QStringLiteral("physicalInputEnd"), 0, kMaxWord);
    level.controllerInputStart = fields.Int(QStringLiteral("controllerInputStart"), 0, kMaxWord);
    level.defaultInput = fields.Int(QStringLiteral("defaultInput"), 0, kMaxWord);
    level.physicalOutputStart = fields.Int(QStringLiteral("physicalOutputStart"), 0, kMaxWord);
    level.physicalOutputEnd = fields.Int(QStringLiteral("physicalOutputEnd"), 0, kMaxWord);
    level.controllerOutputStart = fields.Int(QStringLiteral("controllerOutputStart"), 0, kMaxWord);
    level.signalType = fields.Int(QStringLiteral("signalType"), 0, kMaxByte);
    fields.Finish();
    return level;
}

void ParseLevels(JsonFields& fields, BackupConfiguration& config, QString& fault) {
    const int maxLevels = static_cast<int>(config.levels.size());
    config.levelCount = fields.Int(QStringLiteral("levelCount"), 0, maxLevels);
    const QJsonArray levels = fields.List(QStringLiteral("levels"));
    if (!fields.Failed() && levels.size() != maxLevels) {
        fields.Refuse(QStringLiteral("\"levels\" must hold %1 rows").arg(maxLevels));
    }
    for (qsizetype i = 0; i < levels.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("configuration, level row %1").arg(i + 1);
        config.levels[static_cast<size_t>(i)] =
            ParseLevel(JsonFields::EntryAt(levels, i, where, fault), where, fault);
    }
}

BackupConfiguration ParseConfiguration(const QJsonObject& object, int version, QString& fault) {
    JsonFields fields(object, QStringLiteral("configuration"), fault);
    BackupConfiguration config;
    config.startupMode = fields.Int(QStringLiteral("startupMode"), 0, 1);
    config.scrambleMapEnabled = fields.Bool(QStringLiteral("scrambleMapEnabled"));
    config.cardAddress = fields.Int(QStringLiteral("cardAddress"), 0, kMaxByte);
    ParseSerial(fields.Object(QStringLiteral("serial")), version, config, fault);
    if (const auto ethernet = fields.ListOrNull(QStringLiteral("ethernet"))) {
        config.ethernet = ParseEthernet(*ethernet, fault);
    }
    if (const auto expansion = fields.ObjectOrNull(QStringLiteral("expansion"))) {
        config.expansion = ParseExpansion(*expansion, fault);
    }
    ParseLevels(fields, config, fault);
    fields.Finish();
    return config;
}

// Entry `index` of a numbered list must carry number index + 1 under `key`.
void CheckNumber(JsonFields& fields, const QString& key, qsizetype index) {
    const int number = fields.Int(key, 1, kMaxInt);
    if (!fields.Failed() && number != index + 1) {
        fields.Refuse(
            QStringLiteral("\"%1\" is %2 where %3 was due").arg(key).arg(number).arg(index + 1));
    }
}

std::vector<RoutedSource> ParseRouting(const QJsonArray& list, bool dataRouter, QString& fault) {
    std::vector<RoutedSource> routing;
    for (qsizetype i = 0; i < list.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("routing, output %1").arg(i + 1);
        JsonFields fields(JsonFields::EntryAt(list, i, where, fault), where, fault);
        CheckNumber(fields, QStringLiteral("output"), i);
        RoutedSource source;
        source.input = fields.IntOrNull(QStringLiteral("input"), 0, kMaxWord);
        if (fields.Bool(QStringLiteral("triState")) != source.TriState()) {
            fields.Refuse(
                QStringLiteral("\"triState\" must be true exactly when \"input\" is null"));
        }
        if (dataRouter) {
            source.forwardTake = fields.Bool(QStringLiteral("forwardTake"));
            source.localControl = fields.Bool(QStringLiteral("localControl"));
            source.flag13 = fields.Bool(QStringLiteral("flag13"));
            source.flag12 = fields.Bool(QStringLiteral("flag12"));
        }
        fields.Finish();
        routing.push_back(source);
    }
    return routing;
}

std::vector<std::optional<int32_t>> ParseMonitors(const QJsonArray& list, QString& fault) {
    std::vector<std::optional<int32_t>> monitors;
    for (qsizetype i = 0; i < list.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("monitors, monitor %1").arg(i + 1);
        JsonFields fields(JsonFields::EntryAt(list, i, where, fault), where, fault);
        CheckNumber(fields, QStringLiteral("monitor"), i);
        monitors.push_back(fields.IntOrNull(QStringLiteral("output"), 0, kMaxWord));
        fields.Finish();
    }
    return monitors;
}

PortTypesTable ParsePortTypes(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("port types"), fault);
    PortTypesTable table;
    table.reverse = fields.Bool(QStringLiteral("reverse"));
    table.takeDelay = fields.Int(QStringLiteral("takeDelay"), 0, kMaxByte);
    const QJsonArray ports = fields.List(QStringLiteral("ports"));
    for (qsizetype i = 0; i < ports.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("port types, port %1").arg(i + 1);
        JsonFields port(JsonFields::EntryAt(ports, i, where, fault), where, fault);
        CheckNumber(port, QStringLiteral("port"), i);
        table.types.push_back(static_cast<PortType>(port.Int(QStringLiteral("type"), 0, kMaxByte)));
        port.Text(QStringLiteral("name"));  // for people: follows from the type
        port.Finish();
    }
    fields.Finish();
    return table;
}

void ParseScrambleTable(const QJsonArray& list, const QString& table, uint8_t bank,
                        ScrambleTableWords& words, QString& fault) {
    const ScrambleBankBases bases = ScrambleBankBasesFor(bank);
    if (list.size() != static_cast<qsizetype>(kScrambleBankEntries) && fault.isEmpty()) {
        fault = QStringLiteral("scramble map, %1: must hold %2 entries")
                    .arg(table)
                    .arg(kScrambleBankEntries);
    }
    for (qsizetype i = 0; i < list.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("scramble map, %1 entry %2").arg(table).arg(i + 1);
        JsonFields fields(JsonFields::EntryAt(list, i, where, fault), where, fault);
        CheckNumber(fields, QStringLiteral("entry"), i);
        const auto k = static_cast<size_t>(i);
        words[bases.a + k] = static_cast<uint16_t>(
            fields.IntOrNull(QStringLiteral("a1a2"), 0, kMaxScrambleAddress).value_or(kMaxWord));
        words[bases.b + k] = static_cast<uint16_t>(
            fields.IntOrNull(QStringLiteral("a3a4"), 0, kMaxScrambleAddress).value_or(kMaxWord));
        fields.Finish();
    }
}

ScrambleTableWords ParseScrambleMap(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("scramble map"), fault);
    ScrambleTableWords words{};
    ParseScrambleTable(fields.List(QStringLiteral("inputs")), QStringLiteral("input"),
                       kScrambleBankOne, words, fault);
    ParseScrambleTable(fields.List(QStringLiteral("outputs")), QStringLiteral("output"),
                       kScrambleBankTwo, words, fault);
    fields.Finish();
    return words;
}

void ParseNamesOf(const QJsonArray& list, NameKind kind, RouterNames& names, QString& fault) {
    const QString kindText = NameKindText(kind).toLower();
    for (qsizetype i = 0; i < list.size() && fault.isEmpty(); ++i) {
        const QString where = QStringLiteral("names, %1 name %2").arg(kindText).arg(i + 1);
        JsonFields fields(JsonFields::EntryAt(list, i, where, fault), where, fault);
        const int number = fields.Int(QStringLiteral("number"), 1, RouterNames::kMaxNumber);
        const QString name = fields.Text(QStringLiteral("name")).trimmed();
        if (!fields.Failed() && name.isEmpty()) {
            fields.Refuse(QStringLiteral("\"name\" is empty"));
        } else if (!fields.Failed() && !names.Name(kind, number).isEmpty()) {
            fields.Refuse(QStringLiteral("%1 %2 is named twice").arg(kindText).arg(number));
        }
        fields.Finish();
        names.SetName(kind, number, name);
    }
}

RouterNames ParseNames(const QJsonObject& object, QString& fault) {
    JsonFields fields(object, QStringLiteral("names"), fault);
    RouterNames names;
    ParseNamesOf(fields.List(QStringLiteral("inputs")), NameKind::Input, names, fault);
    ParseNamesOf(fields.List(QStringLiteral("outputs")), NameKind::Output, names, fault);
    fields.Finish();
    return names;
}

QDateTime ParseTaken(JsonFields& fields) {
    const QString text = fields.Text(QStringLiteral("taken"));
    QDateTime taken = QDateTime::fromString(text, Qt::ISODate);
    if (!fields.Failed() && (!taken.isValid() || taken.timeSpec() == Qt::LocalTime)) {
        fields.Refuse(QStringLiteral(
            "\"taken\" must be a date and time with its UTC offset (2026-05-04T10:15:00+02:00)"));
    }
    return taken;
}

// The format and the version come first: a file of another kind or a later version is
// refused for that, not for the first field it lacks.
// The file's version; 0 when it is refused.
int CheckFormat(JsonFields& fields) {
    const QString format = fields.Text(QStringLiteral("format"));
    if (!fields.Failed() && format != QLatin1String(BackupFile::kFormat)) {
        fields.Refuse(QStringLiteral("\"format\" is \"%1\": not a Zerandi backup").arg(format));
    }
    const int version = fields.Int(QStringLiteral("version"), 1, kMaxInt);
    if (!fields.Failed() &&
        (version < BackupFile::kFirstVersion || version > BackupFile::kVersion)) {
        fields.Refuse(
            QStringLiteral("\"version\" is %1: this Zerandi reads version %2 to %3 backups")
                .arg(version)
                .arg(BackupFile::kFirstVersion)
                .arg(BackupFile::kVersion));
    }
    return fields.Failed() ? 0 : version;
}

RouterBackup ParseParts(JsonFields& fields, int version, QString& fault) {
    RouterBackup backup;
    backup.takenAt = ParseTaken(fields);
    backup.zerandiVersion = fields.Text(QStringLiteral("zerandiVersion"));
    backup.identity = ParseIdentity(fields.Object(QStringLiteral("identity")), fault);
    backup.configuration =
        ParseConfiguration(fields.Object(QStringLiteral("configuration")), version, fault);
    backup.routing = ParseRouting(fields.List(QStringLiteral("routing")),
                                  IsDataRouter(backup.identity.productId), fault);
    backup.monitors = ParseMonitors(fields.List(QStringLiteral("monitors")), fault);
    if (const auto portTypes = fields.ObjectOrNull(QStringLiteral("portTypes"))) {
        backup.portTypes = ParsePortTypes(*portTypes, fault);
    }
    if (const auto scramble = fields.ObjectOrNull(QStringLiteral("scrambleMap"))) {
        backup.scrambleMap = ParseScrambleMap(*scramble, fault);
    }
    if (const auto names = fields.OptionalObject(QStringLiteral("names"))) {
        backup.names = ParseNames(*names, fault);
    }
    fields.Finish();
    return backup;
}

}  // namespace

BackupFile::Parsed BackupFileParser::Parse(QByteArrayView bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError) {
        return {std::nullopt, QStringLiteral("file: not readable as JSON at byte %1 (%2)")
                                  .arg(error.offset)
                                  .arg(error.errorString())};
    }
    if (!document.isObject()) {
        return {std::nullopt, QStringLiteral("file: not a Zerandi backup (no JSON object)")};
    }
    QString fault;
    JsonFields fields(document.object(), QStringLiteral("file"), fault);
    const int version = CheckFormat(fields);
    if (version == 0) {
        return {std::nullopt, fault};
    }
    RouterBackup backup = ParseParts(fields, version, fault);
    if (fault.isEmpty()) {
        fault = BackupModelFault(backup);
    }
    if (!fault.isEmpty()) {
        return {std::nullopt, fault};
    }
    return {std::move(backup), QString()};
}

}  // namespace zerandi
