#include "backup/BackupCompare.h"

#include <algorithm>

#include "backup/RouterBackup.h"
#include "config/ConfigChoiceNames.h"
#include "config/ControlCardText.h"
#include "config/ProtocolNames.h"
#include "config/RouterModelTables.h"
#include "config/SignalTypes.h"
#include "porttypes/PortType.h"
#include "scramble/ScrambleMap.h"

namespace zerandi {

namespace {

const QString kNone = QStringLiteral("none");

// Collects the differences of one part.
class PartDifferences {
public:
    PartDifferences(std::vector<BackupDifference>& out, QString part)
        : out_(out), part_(std::move(part)) {}

    template <typename Value>
    void Field(const QString& item, const Value& before, const Value& after) {
        if (before != after) {
            out_.push_back({part_, item, Text(before), Text(after)});
        }
    }
    void Texts(const QString& item, const QString& before, const QString& after) {
        Field(item, before, after);
    }

private:
    static QString Text(const QString& value) { return value; }
    static QString Text(bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); }
    static QString Text(int32_t value) { return QString::number(value); }

    std::vector<BackupDifference>& out_;
    QString part_;
};

// The list entry the index picks, as the configuration view shows it.
QString ChoiceText(const QStringList& names, int32_t index) {
    return index >= 0 && index < names.size() ? names[index]
                                              : QStringLiteral("index %1").arg(index);
}

QString VersionText(const SoftwareVersion& version) {
    return QStringLiteral("%1 %2.%3.%4.%5")
        .arg(version.name)
        .arg(version.major)
        .arg(version.minor)
        .arg(version.build)
        .arg(version.fourth);
}

void CompareIdentity(const BackupIdentity& a, const BackupIdentity& b,
                     std::vector<BackupDifference>& out) {
    PartDifferences part(out, QStringLiteral("identity"));
    part.Texts(QStringLiteral("model"), ModelName(a.productId), ModelName(b.productId));
    part.Texts(QStringLiteral("control card"), FormatCardNumber(a.controlCard),
               FormatCardNumber(b.controlCard));
    part.Texts(QStringLiteral("protocol"), ProtocolName(a.protocol), ProtocolName(b.protocol));
    const size_t count = std::max(a.softwareVersions.size(), b.softwareVersions.size());
    for (size_t i = 0; i < count; ++i) {
        const auto text = [i](const std::vector<SoftwareVersion>& versions) {
            return i < versions.size() ? VersionText(versions[i]) : kNone;
        };
        part.Texts(QStringLiteral("software version %1").arg(i + 1), text(a.softwareVersions),
                   text(b.softwareVersions));
    }
}

QString EthernetText(const std::optional<std::vector<EthernetEntry>>& ethernet, size_t i) {
    if (!ethernet || i >= ethernet->size()) {
        return kNone;
    }
    const EthernetEntry& entry = (*ethernet)[i];
    const auto address = [](const std::array<uint8_t, 4>& a) {
        return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
    };
    return QStringLiteral("%1 %2/%3")
        .arg(entry.enabled == 1 ? QStringLiteral("enabled") : QStringLiteral("disabled"),
             address(entry.ipAddress), address(entry.subnetMask));
}

QString ExpansionText(const std::optional<ExpansionSettings>& expansion) {
    if (!expansion) {
        return kNone;
    }
    const QString mode = expansion->mode == ExpansionSettings::kMaster  ? QStringLiteral("master")
                         : expansion->mode == ExpansionSettings::kSlave ? QStringLiteral("slave")
                                                                        : kNone;
    return QStringLiteral("%1, index %2").arg(mode).arg(expansion->index);
}

QString LevelText(const RouterLevel& level) {
    if (level.level == RouterLevel::kNoLevel) {
        return kNone;
    }
    return QStringLiteral("level %1, inputs %2-%3 from %4, default %5, outputs %6-%7 from %8, %9")
        .arg(level.level)
        .arg(level.physicalInputStart)
        .arg(level.physicalInputEnd)
        .arg(level.controllerInputStart)
        .arg(level.defaultInput)
        .arg(level.physicalOutputStart)
        .arg(level.physicalOutputEnd)
        .arg(level.controllerOutputStart)
        .arg(SignalTypeName(level.signalType));
}

void CompareConfiguration(const BackupConfiguration& a, const BackupConfiguration& b,
                          std::vector<BackupDifference>& out) {
    PartDifferences part(out, QStringLiteral("configuration"));
    const QStringList startupModes = ConfigChoiceNames::StartupModes();
    part.Texts(QStringLiteral("start-up mode"), ChoiceText(startupModes, a.startupMode),
               ChoiceText(startupModes, b.startupMode));
    part.Field(QStringLiteral("scramble map"), a.scrambleMapEnabled, b.scrambleMapEnabled);
    part.Field(QStringLiteral("card address"), a.cardAddress, b.cardAddress);
    const QStringList bauds = ConfigChoiceNames::BaudRates();
    part.Texts(QStringLiteral("baud rate"), ChoiceText(bauds, a.baudIndex),
               ChoiceText(bauds, b.baudIndex));
    const QStringList replyWhen = ConfigChoiceNames::ReplyWhen();
    part.Texts(QStringLiteral("reply when"), ChoiceText(replyWhen, a.replyWhenIndex),
               ChoiceText(replyWhen, b.replyWhenIndex));
    const QStringList rearDiag = ConfigChoiceNames::RearDiagPorts();
    part.Texts(QStringLiteral("rear diagnostic port"), ChoiceText(rearDiag, a.rearDiagIndex),
               ChoiceText(rearDiag, b.rearDiagIndex));
    part.Field(QStringLiteral("serial extra value"), a.serialExtra1, b.serialExtra1);
    part.Field(QStringLiteral("main port enabled"), a.mainPortEnabled, b.mainPortEnabled);
    part.Field(QStringLiteral("auxiliary port enabled"), a.auxPortEnabled, b.auxPortEnabled);
    const size_t entries = std::max(a.ethernet.value_or(std::vector<EthernetEntry>{}).size(),
                                    b.ethernet.value_or(std::vector<EthernetEntry>{}).size());
    for (size_t i = 0; i < std::max<size_t>(entries, 1); ++i) {
        part.Texts(QStringLiteral("Ethernet entry %1").arg(i + 1), EthernetText(a.ethernet, i),
                   EthernetText(b.ethernet, i));
    }
    part.Texts(QStringLiteral("expansion"), ExpansionText(a.expansion), ExpansionText(b.expansion));
    part.Field(QStringLiteral("levels in use"), a.levelCount, b.levelCount);
    for (size_t i = 0; i < a.levels.size(); ++i) {
        part.Texts(QStringLiteral("level row %1").arg(i + 1), LevelText(a.levels[i]),
                   LevelText(b.levels[i]));
    }
}

void CompareRouting(const RouterBackup& a, const RouterBackup& b,
                    std::vector<BackupDifference>& out) {
    PartDifferences part(out, QStringLiteral("routing"));
    const int32_t productId = a.identity.productId;
    for (size_t o = 0; o < std::min(a.routing.size(), b.routing.size()); ++o) {
        part.Texts(QStringLiteral("output %1").arg(o + 1),
                   RoutedSourceText(a.routing[o], productId),
                   RoutedSourceText(b.routing[o], productId));
    }
}

QString MonitorText(const std::optional<int32_t>& output) {
    return output ? QStringLiteral("output %1").arg(*output) : kNone;
}

void CompareMonitors(const RouterBackup& a, const RouterBackup& b,
                     std::vector<BackupDifference>& out) {
    PartDifferences part(out, QStringLiteral("monitors"));
    for (size_t m = 0; m < std::min(a.monitors.size(), b.monitors.size()); ++m) {
        part.Texts(QStringLiteral("monitor %1").arg(m + 1), MonitorText(a.monitors[m]),
                   MonitorText(b.monitors[m]));
    }
}

// A code no port type has is told by its number, so that two such codes compare as what they
// are.
QString PortTypeText(PortType code) {
    return IsKnownPortType(code) ? PortTypeListName(code)
                                 : QStringLiteral("unknown code %1").arg(static_cast<int>(code));
}

void ComparePortTypes(const RouterBackup& a, const RouterBackup& b,
                      std::vector<BackupDifference>& out) {
    if (!a.portTypes || !b.portTypes) {
        return;
    }
    PartDifferences part(out, QStringLiteral("port types"));
    part.Field(QStringLiteral("reverse"), a.portTypes->reverse, b.portTypes->reverse);
    part.Field(QStringLiteral("take delay"), static_cast<int32_t>(a.portTypes->takeDelay),
               static_cast<int32_t>(b.portTypes->takeDelay));
    const std::vector<PortType>& before = a.portTypes->types;
    const std::vector<PortType>& after = b.portTypes->types;
    for (size_t p = 0; p < std::min(before.size(), after.size()); ++p) {
        part.Texts(QStringLiteral("port %1").arg(p + 1), PortTypeText(before[p]),
                   PortTypeText(after[p]));
    }
}

QString ScrambleEntryText(const ScrambleTableWords& words, size_t a, size_t b) {
    const auto address = [](uint16_t word) {
        return word == ScrambleEntry::kNoAddress ? QStringLiteral("--") : QString::number(word);
    };
    return address(words[a]) + QStringLiteral(" / ") + address(words[b]);
}

void CompareScrambleMaps(const RouterBackup& a, const RouterBackup& b,
                         std::vector<BackupDifference>& out) {
    if (!a.scrambleMap || !b.scrambleMap) {
        return;
    }
    PartDifferences part(out, QStringLiteral("scramble map"));
    for (const uint8_t bank : {kScrambleBankOne, kScrambleBankTwo}) {
        const ScrambleBankBases bases = ScrambleBankBasesFor(bank);
        const QString table =
            bank == kScrambleBankOne ? QStringLiteral("input") : QStringLiteral("output");
        for (size_t k = 0; k < kScrambleBankEntries; ++k) {
            part.Texts(QStringLiteral("%1 entry %2").arg(table).arg(k + 1),
                       ScrambleEntryText(*a.scrambleMap, bases.a + k, bases.b + k),
                       ScrambleEntryText(*b.scrambleMap, bases.a + k, bases.b + k));
        }
    }
}

void CompareNames(const RouterNames& a, const RouterNames& b, std::vector<BackupDifference>& out) {
    PartDifferences part(out, QStringLiteral("names"));
    std::vector<RouterName> named = a.All();
    for (const RouterName& name : b.All()) {
        if (a.Name(name.kind, name.number).isEmpty()) {
            named.push_back(name);
        }
    }
    std::sort(named.begin(), named.end(), [](const RouterName& x, const RouterName& y) {
        return std::pair(x.kind, x.number) < std::pair(y.kind, y.number);
    });
    const auto text = [](const RouterNames& names, const RouterName& name) {
        const QString given = names.Name(name.kind, name.number);
        return given.isEmpty() ? kNone : given;
    };
    for (const RouterName& name : named) {
        part.Texts(QStringLiteral("%1 %2").arg(NameKindText(name.kind).toLower()).arg(name.number),
                   text(a, name), text(b, name));
    }
}

// Whether the two describe routers of the same model, whose sized parts compare entry by entry.
bool SameModel(const RouterBackup& a, const RouterBackup& b) {
    return a.identity.productId == b.identity.productId;
}

// One difference for a part one backup holds and the other does not.
void ComparePresence(const QString& part, bool before, bool after,
                     std::vector<BackupDifference>& out) {
    if (before != after) {
        out.push_back({part, QString(), before ? QStringLiteral("held") : kNone,
                       after ? QStringLiteral("held") : kNone});
    }
}

}  // namespace

QString BackupDifference::Text() const {
    const QString where = item.isEmpty() ? part : part + QStringLiteral(", ") + item;
    return where + QStringLiteral(": ") + before + QStringLiteral(" → ") + after;
}

std::vector<BackupDifference> CompareBackups(const RouterBackup& before,
                                             const RouterBackup& after) {
    std::vector<BackupDifference> out;
    CompareIdentity(before.identity, after.identity, out);
    CompareConfiguration(before.configuration, after.configuration, out);
    if (SameModel(before, after)) {
        CompareRouting(before, after, out);
        CompareMonitors(before, after, out);
        ComparePortTypes(before, after, out);
    }
    ComparePresence(QStringLiteral("scramble map"), before.scrambleMap.has_value(),
                    after.scrambleMap.has_value(), out);
    CompareScrambleMaps(before, after, out);
    CompareNames(before.names, after.names, out);
    return out;
}

QStringList BackupDifferenceLines(const std::vector<BackupDifference>& differences) {
    QStringList lines;
    for (const BackupDifference& difference : differences) {
        lines << difference.Text();
    }
    return lines;
}

}  // namespace zerandi
