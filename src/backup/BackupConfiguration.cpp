#include "backup/BackupConfiguration.h"

#include <QStringList>
#include <utility>

#include "backup/RouterBackup.h"
#include "config/ConfigViewSettings.h"
#include "config/ControlProtocol.h"
#include "config/RouterConfigDoc.h"

namespace zerandi {

namespace {

// The list position of a yes/no choice in the configuration form: 0 no, 1 yes.
int Choice(bool yes) {
    return yes ? 1 : 0;
}

void SetEthernetForm(const BackupConfiguration& config, int32_t protocol, ConfigFormValues& form) {
    if (!config.ethernet || config.ethernet->empty()) {
        return;
    }
    const EthernetEntry& entry = config.ethernet->front();
    form.ethernetEnabledChecked = entry.enabled == 1 && IsQrSerialProtocol(protocol);
    form.ipAddress = entry.ipAddress;
    form.subnetMask = entry.subnetMask;
}

void SetExpansionForm(const BackupConfiguration& config, ConfigFormValues& form) {
    if (!config.expansion) {
        return;
    }
    form.masterChecked = config.expansion->mode == ExpansionSettings::kMaster;
    form.slaveChecked = config.expansion->mode == ExpansionSettings::kSlave;
    form.expansionIndex = config.expansion->index;
}

bool PartitionDiffers(const BackupConfiguration& a, const BackupConfiguration& b) {
    if (a.startupMode != b.startupMode || a.scrambleMapEnabled != b.scrambleMapEnabled ||
        a.levelCount != b.levelCount) {
        return true;
    }
    for (size_t i = 0; i < a.levels.size(); ++i) {
        const bool inUse = static_cast<int32_t>(i) < a.levelCount;
        if (inUse ? a.levels[i] != b.levels[i] : a.levels[i].level != b.levels[i].level) {
            return true;
        }
    }
    return false;
}

bool SerialDiffers(const RouterBackup& router, const RouterBackup& backup) {
    const BackupConfiguration& a = router.configuration;
    const BackupConfiguration& b = backup.configuration;
    return router.identity.protocol != backup.identity.protocol || a.baudIndex != b.baudIndex ||
           a.replyWhenIndex != b.replyWhenIndex || a.rearDiagIndex != b.rearDiagIndex ||
           a.serialExtra1 != b.serialExtra1 || a.mainPortEnabled != b.mainPortEnabled ||
           a.auxPortEnabled != b.auxPortEnabled;
}

bool EthernetDiffers(const BackupConfiguration& router, const BackupConfiguration& backup) {
    if (!backup.ethernet || backup.ethernet->empty()) {
        return false;
    }
    return !router.ethernet || router.ethernet->empty() ||
           router.ethernet->front() != backup.ethernet->front();
}

}  // namespace

ConfigWriteSteps ConfigurationStepsToWrite(const RouterBackup& router, const RouterBackup& backup) {
    const BackupConfiguration& a = router.configuration;
    const BackupConfiguration& b = backup.configuration;
    ConfigWriteSteps steps;
    steps.partition = PartitionDiffers(a, b);
    steps.cardAddress = a.cardAddress != b.cardAddress;
    steps.serial = SerialDiffers(router, backup);
    steps.ethernet = EthernetDiffers(a, b);
    steps.expansion = b.expansion.has_value() && a.expansion != b.expansion;
    return steps;
}

QString ConfigWriteStepsText(const ConfigWriteSteps& steps) {
    QStringList names;
    const std::pair<bool, const char*> all[] = {
        {steps.partition, "partition"},          {steps.cardAddress, "card address"},
        {steps.serial, "serial settings"},       {steps.ethernet, "Ethernet settings"},
        {steps.expansion, "expansion settings"},
    };
    for (const auto& [written, name] : all) {
        if (written) {
            names << QString::fromLatin1(name);
        }
    }
    return names.join(QStringLiteral(", "));
}

BackupConfiguration ConfigurationFromReadAll(const RouterConfigDoc& doc,
                                             const ConfigViewSettings& settings) {
    BackupConfiguration config;
    config.startupMode = settings.startupMode;
    config.scrambleMapEnabled = doc.ScrambleMapEnabled() != 0;
    config.cardAddress = settings.cardAddress;
    config.baudIndex = settings.baudIndex;
    config.replyWhenIndex = settings.replyWhenIndex;
    config.rearDiagIndex = settings.rearDiagIndex;
    config.serialExtra1 = settings.serialExtra1;
    config.mainPortEnabled = settings.mainPortEnabled;
    config.auxPortEnabled = settings.auxPortEnabled;
    if (doc.IsExtendedControlCard() && settings.ethernetSupported) {
        config.ethernet = settings.ethernetEntries;
    }
    if (doc.IsExtendedControlCard() && settings.expansionSupported) {
        config.expansion = settings.expansion;
    }
    config.levelCount = doc.levelCount;
    config.levels = doc.levels;
    return config;
}

ConfigFormValues PrepareWriteAll(const RouterBackup& backup, RouterConfigDoc& doc,
                                 ConfigViewSettings& settings) {
    const BackupConfiguration& config = backup.configuration;
    doc.protocol = backup.identity.protocol;
    doc.SetLevels(config.levelCount, config.levels);
    settings.cardAddress = config.cardAddress;
    settings.baudIndex = config.baudIndex;
    settings.replyWhenIndex = config.replyWhenIndex;
    settings.rearDiagIndex = config.rearDiagIndex;
    settings.serialExtra1 = config.serialExtra1;
    settings.mainPortEnabled = config.mainPortEnabled;
    settings.auxPortEnabled = config.auxPortEnabled;
    settings.startupMode = config.startupMode;
    settings.ethernetSupported = config.ethernet.has_value();
    settings.ethernetEntries = config.ethernet.value_or(std::vector<EthernetEntry>{});
    settings.expansionSupported = config.expansion.has_value();
    settings.expansion = config.expansion.value_or(ExpansionSettings{});
    settings.readComplete = true;

    ConfigFormValues form;
    form.startupSelection = config.startupMode;
    form.scrambleSelection = Choice(config.scrambleMapEnabled);
    form.cardAddress = config.cardAddress;
    form.baudSelection = config.baudIndex;
    form.replyWhenSelection = config.replyWhenIndex;
    form.mainPortSelection = Choice(config.mainPortEnabled);
    form.auxPortSelection = Choice(config.auxPortEnabled);
    form.rearDiagSelection = config.rearDiagIndex;
    SetEthernetForm(config, backup.identity.protocol, form);
    SetExpansionForm(config, form);
    return form;
}

}  // namespace zerandi
