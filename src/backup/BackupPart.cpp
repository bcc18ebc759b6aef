#include "backup/BackupPart.h"

#include <array>

#include "backup/RouterBackup.h"

namespace zerandi {

namespace {

struct PartWords {
    BackupPart part;
    const char* word;
    const char* name;
};

constexpr std::array<PartWords, 6> kParts{{
    {BackupPart::Configuration, "configuration", "configuration"},
    {BackupPart::PortTypes, "port-types", "port types"},
    {BackupPart::ScrambleMap, "scramble-map", "scramble map"},
    {BackupPart::Routing, "routing", "routing"},
    {BackupPart::Monitors, "monitors", "monitors"},
    {BackupPart::Names, "names", "names"},
}};

const PartWords& WordsOf(BackupPart part) {
    return kParts[static_cast<size_t>(part)];
}

}  // namespace

QString BackupPartWord(BackupPart part) {
    return QString::fromLatin1(WordsOf(part).word);
}

std::optional<BackupPart> BackupPartFromWord(const QString& word) {
    for (const PartWords& words : kParts) {
        if (word == QLatin1String(words.word)) {
            return words.part;
        }
    }
    return std::nullopt;
}

QString BackupPartName(BackupPart part) {
    return QString::fromLatin1(WordsOf(part).name);
}

bool BackupHoldsPart(const RouterBackup& backup, BackupPart part) {
    switch (part) {
        case BackupPart::Configuration:
            return true;
        case BackupPart::PortTypes:
            return backup.portTypes.has_value();
        case BackupPart::ScrambleMap:
            return backup.scrambleMap.has_value();
        case BackupPart::Routing:
            return !backup.routing.empty();
        case BackupPart::Monitors:
            return !backup.monitors.empty();
        case BackupPart::Names:
            return !backup.names.IsEmpty();
    }
    return false;
}

const std::vector<BackupPart>& AllBackupParts() {
    static const std::vector<BackupPart> kAll = [] {
        std::vector<BackupPart> all;
        for (const PartWords& words : kParts) {
            all.push_back(words.part);
        }
        return all;
    }();
    return kAll;
}

}  // namespace zerandi
