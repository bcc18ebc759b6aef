#include "config/ConfigWriteSequence.h"

#include "config/ConfigFormValues.h"
#include "config/ConfigViewSettings.h"
#include "config/ProtocolCapabilities.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "protocol/PartitionParameters.h"
#include "protocol/SerialCommParameters.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

constexpr std::array<uint8_t, 4> kNoAddress{0, 0, 0, 0};
constexpr std::array<uint8_t, 4> kBroadcastAddress{255, 255, 255, 255};

// A list without a selection (its value was not one the list knows) writes back what the
// router reported, rather than -1.
uint8_t ChosenIndex(int selection, int32_t asRead) {
    return static_cast<uint8_t>(selection >= 0 ? selection : asRead);
}

}  // namespace

ConfigWriteSequence::ConfigWriteSequence(RouterConfigDoc& doc, ConfigViewSettings& settings,
                                         const ConfigFormValues& form, ConfigWriteSteps steps)
    : doc_(doc), port_(doc.CommPort()), settings_(settings), form_(form), steps_(steps) {}

bool ConfigWriteSequence::Run() {
    if (!doc_.ProductKnown() || !settings_.readComplete) {
        Warn(QStringLiteral("Unable to write. Router configuration is not Valid."));
        return false;
    }
    if ((steps_.partition && !WritePartition()) || (steps_.cardAddress && !WriteCardAddress()) ||
        (steps_.serial && !WriteSerialParameters())) {
        return false;
    }
    return !doc_.IsExtendedControlCard() ||
           ((!steps_.ethernet || WriteEthernet()) && (!steps_.expansion || WriteExpansion()));
}

void ConfigWriteSequence::Warn(const QString& text) {
    doc_.Ui().showMessage(text, MessageIcon::Warning);
}

bool ConfigWriteSequence::WritePartition() {
    PartitionParameters params;
    params.startupFlag = form_.startupSelection != 0;
    params.scrambleMapEnabled = form_.scrambleSelection != 0;
    params.levelCount = doc_.levelCount;
    params.levels = doc_.LevelsForModel(doc_.levels);
    if (IsSingleLevelProtocol(doc_.protocol)) {
        SpanModelWithFirstLevel(params);
    }
    if (!port_.SetPartitionParameters(params)) {
        return false;
    }
    // Only what the router accepted becomes what the document knows.
    doc_.SetLevels(params.levelCount, params.levels);
    doc_.SetScrambleMapEnabled(params.scrambleMapEnabled ? 1 : 0);
    return true;
}

void ConfigWriteSequence::SpanModelWithFirstLevel(PartitionParameters& params) const {
    RouterLevel& first = params.levels.front();
    first.level = 0;
    first.physicalInputStart = 1;
    first.physicalInputEnd = ModelInputCount(doc_.ProductId());
    first.controllerInputStart = 0;
    first.physicalOutputStart = 1;
    first.physicalOutputEnd = ModelOutputCount(doc_.ProductId());
    first.controllerOutputStart = 0;
    for (size_t i = 1; i < params.levels.size(); ++i) {
        params.levels[i].level = RouterLevel::kNoLevel;
    }
}

bool ConfigWriteSequence::WriteCardAddress() {
    const auto address = static_cast<uint8_t>(form_.cardAddress.value_or(0));
    if (!port_.SetCardAddress(address)) {
        return false;
    }
    settings_.cardAddress = address;
    return true;
}

bool ConfigWriteSequence::WriteSerialParameters() {
    const ProtocolCapabilities& caps = LookupProtocolCapabilities(doc_.protocol);
    const int32_t productId = doc_.ProductId();
    SerialCommParameters params;
    params.replyWhen = ChosenIndex(form_.replyWhenSelection, settings_.replyWhenIndex);
    params.rearDiagnosticPortType =
        HasSelectableRearDiag(productId)
            ? ChosenIndex(form_.rearDiagSelection, settings_.rearDiagIndex)
            : static_cast<uint8_t>(kFixedRearDiagIndex);
    params.baudIndex = caps.baudRate ? ChosenIndex(form_.baudSelection, settings_.baudIndex)
                                     : static_cast<uint8_t>(caps.defaultBaudIndex);
    params.mainPortEnabled = caps.mainPort ? form_.mainPortSelection == 1 : true;
    params.auxiliaryPortEnabled = caps.auxPort ? form_.auxPortSelection == 1 : false;
    params.protocolIndex = static_cast<uint8_t>(doc_.protocol);
    params.value3 = static_cast<uint8_t>(settings_.serialExtra1);
    params.secondBaudIndex = params.baudIndex;
    params.secondReplyWhen = params.replyWhen;
    params.value6 = kSerialExtra2;
    return port_.SetSerialCommParameters(params);
}

bool ConfigWriteSequence::WriteEthernet() {
    if (!settings_.ethernetSupported) {
        return true;
    }
    if (form_.ipAddress == kNoAddress || form_.ipAddress == kBroadcastAddress) {
        Warn(QStringLiteral("Unable to write IP data. IP address is invalid."));
        return false;
    }
    EthernetEntry entry;
    entry.entryNumber = 0;
    entry.enabled = form_.ethernetEnabledChecked ? 1 : 0;
    entry.ipAddress = form_.ipAddress;
    entry.subnetMask = form_.subnetMask;
    settings_.ethernetEntries = {entry};
    CommResult result = CommResult::Success;
    if (port_.SetEthernetCommParameters(settings_.ethernetEntries, result)) {
        return true;
    }
    // Either refusal means the card has no Ethernet: later writes leave it out.
    if (result == CommResult::InvalidData || result == CommResult::NotSupported) {
        Warn(
            QStringLiteral("Unable to write Ethernet address information.\n"
                           "Ethernet configuration command is not supported."));
        settings_.ethernetSupported = false;
    }
    return false;
}

bool ConfigWriteSequence::WriteExpansion() {
    if (!settings_.expansionSupported) {
        return true;
    }
    ExpansionSettings expansion;
    expansion.mode = form_.masterChecked  ? ExpansionSettings::kMaster
                     : form_.slaveChecked ? ExpansionSettings::kSlave
                                          : ExpansionSettings::kNone;
    expansion.index = static_cast<uint8_t>(form_.expansionIndex.value_or(0));
    CommResult result = CommResult::Success;
    if (port_.SetExpansionParameters(expansion, result)) {
        return true;
    }
    if (result == CommResult::NotSupported) {
        Warn(
            QStringLiteral("Unable to write Expansion information.\n"
                           "Expansion command is not supported."));
        settings_.expansionSupported = false;
    }
    return false;
}

}  // namespace zerandi
