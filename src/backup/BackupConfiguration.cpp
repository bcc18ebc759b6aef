#include "backup/BackupConfiguration.h"

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

}  // namespace

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
