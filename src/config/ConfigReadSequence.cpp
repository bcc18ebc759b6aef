#include "config/ConfigReadSequence.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "config/ComponentNames.h"
#include "config/ConfigViewSettings.h"
#include "config/RouterConfigDoc.h"
#include "protocol/PartitionParameters.h"
#include "protocol/SerialCommParameters.h"
#include "protocol/SoftwareVersion.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

constexpr uint8_t kOurMakerCode = 0;

bool IsOneOf(CommResult result, std::initializer_list<CommResult> codes) {
    for (const CommResult code : codes) {
        if (result == code) {
            return true;
        }
    }
    return false;
}

}  // namespace

ConfigReadSequence::ConfigReadSequence(RouterConfigDoc& doc, ConfigViewSettings& settings)
    : doc_(doc), port_(doc.CommPort()), settings_(settings) {}

bool ConfigReadSequence::Run() {
    ForgetPreviousRouter();
    const bool versionsRead = ReadSoftwareVersions();
    port_.GetControlCardInfo(doc_.controlCard);  // a card that does not answer stays unknown
    if (!ReadProductId(versionsRead) || !ReadSerialParameters()) {
        return false;
    }
    bool optionalRead = true;
    if (doc_.IsExtendedControlCard()) {
        optionalRead = ReadEthernetParameters();
        optionalRead = ReadExpansionParameters() && optionalRead;
    }
    if (ReadCardAddress()) {
        ReadPartition();
    }
    return settings_.readComplete && optionalRead;
}

bool ConfigReadSequence::ReadIdentity() {
    if (!ReadProductId(true)) {
        return false;
    }
    port_.GetControlCardInfo(doc_.controlCard);
    return true;
}

void ConfigReadSequence::Warn(const QString& text) {
    doc_.Ui().showMessage(text, MessageIcon::Warning);
}

void ConfigReadSequence::ForgetPreviousRouter() {
    for (RouterLevel& level : doc_.levels) {
        level.level = RouterLevel::kNoLevel;
    }
    settings_.ethernetEntries.clear();
    settings_.readComplete = false;
}

bool ConfigReadSequence::ReadSoftwareVersions() {
    settings_.softwareVersions.clear();
    settings_.versionRecords.clear();
    if (!port_.GetSoftwareVersions(settings_.versionRecords)) {
        settings_.versionRecords.clear();
        Warn(QStringLiteral("Unable to read the software versions."));
        return false;
    }
    for (const SoftwareVersion& version : settings_.versionRecords) {
        settings_.softwareVersions.append(FormatVersionLine(version));
    }
    return true;
}

// Stores the product id found (unknown unless the router is one of ours); true when it was.
bool ConfigReadSequence::ReadProductId(bool versionsRead) {
    int32_t productId = RouterConfigDoc::kUnknownProduct;
    bool identified = false;
    if (versionsRead) {
        uint8_t maker = 0;
        uint8_t id = 0;
        if (!port_.GetProductId(maker, id)) {
            Warn(QStringLiteral("Unable to read the product Id."));
        } else if (maker != kOurMakerCode) {
            Warn(QStringLiteral(
                "Not an Ixo router. Unable to read the configuration of this router."));
        } else {
            productId = id;
            identified = true;
        }
    }
    doc_.SetProductId(productId);
    return identified;
}

bool ConfigReadSequence::ReadSerialParameters() {
    SerialCommParameters params;
    if (!port_.GetSerialCommParameters(params)) {
        doc_.protocol = RouterConfigDoc::kUnknownProtocol;
        Warn(QStringLiteral("Unable to read the Serial Communication Parameters."));
        return false;
    }
    settings_.mainPortEnabled = params.mainPortEnabled;
    doc_.protocol = params.protocolIndex;
    settings_.baudIndex = params.baudIndex;
    settings_.replyWhenIndex = params.replyWhen;
    settings_.serialExtra1 = params.value3;
    settings_.auxPortEnabled = params.auxiliaryPortEnabled;
    settings_.rearDiagIndex = params.rearDiagnosticPortType;
    return true;
}

bool ConfigReadSequence::ReadEthernetParameters() {
    CommResult result = CommResult::Success;
    if (port_.GetEthernetCommParameters(settings_.ethernetEntries, result)) {
        return true;
    }
    // Cards without Ethernet refuse the command as invalid, as a count error or, plainly, as
    // not supported; each of these means the card has no Ethernet to configure.
    if (IsOneOf(result,
                {CommResult::InvalidData, CommResult::CountError, CommResult::NotSupported})) {
        Warn(QStringLiteral("Unable to upload the Ethernet Communication Parameters.\n") +
             QStringLiteral("Command not supported"));
        settings_.ethernetSupported = false;
        return true;
    }
    Warn(QStringLiteral("Unable to read the Ethernet Communication Parameters."));
    return false;
}

bool ConfigReadSequence::ReadExpansionParameters() {
    CommResult result = CommResult::Success;
    if (port_.GetExpansionParameters(settings_.expansion, result)) {
        return true;
    }
    if (IsOneOf(result, {CommResult::CountError, CommResult::NotSupported})) {
        Warn(QStringLiteral("Unable to upload the Expansion Parameters.\n") +
             QStringLiteral("Command not supported."));
        settings_.expansionSupported = false;
        return true;
    }
    Warn(QStringLiteral("Unable to read the Expansion Parameters."));
    return false;
}

bool ConfigReadSequence::ReadCardAddress() {
    uint8_t address = 0;
    if (!port_.GetCardAddress(address)) {
        Warn(QStringLiteral("Unable to read the Card Address."));
        return false;
    }
    settings_.cardAddress = address;
    return true;
}

void ConfigReadSequence::ReadPartition() {
    PartitionParameters params;
    if (!port_.GetPartitionParameters(params)) {
        Warn(QStringLiteral("Unable to read the Partition Parameters."));
        return;
    }
    settings_.startupMode = params.startupFlag ? 1 : 0;
    doc_.SetLevels(params.levelCount, params.levels);
    doc_.SetScrambleMapEnabled(params.scrambleMapEnabled ? 1 : 0);
    settings_.readComplete = true;
}

}  // namespace zerandi
