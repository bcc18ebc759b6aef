#include "protocol/RouterDiagnosticCommPort.h"

#include <QString>

#include "protocol/CommResultText.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

// A take list's own failure box carries the system's default caption, not the product name.
const QString kTakeListErrorCaption = QStringLiteral("Error");

QString TakeListFailureText(uint16_t source, uint16_t destination) {
    return QStringLiteral("Error: Unable to execute the take: %1 --> %2")
        .arg(source)
        .arg(destination);
}

}  // namespace

RouterDiagnosticCommPort::RouterDiagnosticCommPort(UiServices& ui,
                                                   std::unique_ptr<SerialDevice> device,
                                                   Clock& clock)
    : RouterProtocol(std::move(device), clock), ui_(ui) {}

RouterDiagnosticCommPort::~RouterDiagnosticCommPort() = default;

bool RouterDiagnosticCommPort::ReportCommResult(CommResult result, bool show) const {
    if (result == CommResult::Success) {
        return true;
    }
    const QString text = CommResultText(result);
    if (show && !text.isEmpty()) {
        ui_.showMessage(text, MessageIcon::Warning);
    }
    return false;
}

// ---- Crosspoints --------------------------------------------------------------------------

bool RouterDiagnosticCommPort::Take(uint16_t source, uint16_t destination) {
    return ReportCommResult(RouterProtocol::Take(address_, source, destination));
}

bool RouterDiagnosticCommPort::TimedTake(uint16_t source, uint16_t destination,
                                         uint16_t timestamp) {
    return ReportCommResult(RouterProtocol::TimedTake(address_, source, destination, timestamp));
}

bool RouterDiagnosticCommPort::ExecuteTakeList(std::span<const TakePair> pairs,
                                               bool setSourceFlag) {
    bool ok = true;
    for (auto pair = pairs.begin(); ok && pair != pairs.end(); ++pair) {
        const auto [source, destination] = *pair;
        const uint16_t sent =
            setSourceFlag ? static_cast<uint16_t>(source | kSourceFlagBit) : source;
        ok = Take(sent, destination);
        if (!ok) {
            ui_.showMessage(TakeListFailureText(source, destination), MessageIcon::Warning,
                            MessageButtons::Ok, kTakeListErrorCaption);
        }
    }
    return ok;
}

bool RouterDiagnosticCommPort::GetCrosspointStatus(int first, int last,
                                                   std::span<int32_t> sources) {
    return ReportCommResult(RouterProtocol::GetCrosspointStatus(address_, first, last, sources));
}

bool RouterDiagnosticCommPort::SetMonitor(uint16_t source, uint16_t monitor) {
    return ReportCommResult(RouterProtocol::SetMonitor(address_, source, monitor));
}

bool RouterDiagnosticCommPort::GetMonitorStatus(int last, std::span<int32_t> sources) {
    return ReportCommResult(RouterProtocol::GetMonitorStatus(address_, last, sources));
}

// ---- Identification and configuration -------------------------------------------------------

bool RouterDiagnosticCommPort::GetProductId(uint8_t& makerCode, uint8_t& productId) {
    return ReportCommResult(RouterProtocol::GetProductId(address_, makerCode, productId));
}

bool RouterDiagnosticCommPort::GetControlCardInfo(ControlCardInfo& info) {
    return ReportCommResult(RouterProtocol::GetControlCardInfo(address_, info), false);
}

bool RouterDiagnosticCommPort::GetSoftwareVersions(std::vector<SoftwareVersion>& versions) {
    return ReportCommResult(RouterProtocol::GetSoftwareVersions(address_, versions));
}

bool RouterDiagnosticCommPort::GetSerialCommParameters(SerialCommParameters& params) {
    return ReportCommResult(RouterProtocol::GetSerialCommParameters(address_, params));
}

bool RouterDiagnosticCommPort::SetSerialCommParameters(const SerialCommParameters& params) {
    return ReportCommResult(RouterProtocol::SetSerialCommParameters(address_, params));
}

bool RouterDiagnosticCommPort::GetEthernetCommParameters(std::vector<EthernetEntry>& entries,
                                                         CommResult& result) {
    result = RouterProtocol::GetEthernetCommParameters(address_, entries);
    return ReportCommResult(result);
}

bool RouterDiagnosticCommPort::SetEthernetCommParameters(std::span<const EthernetEntry> entries,
                                                         CommResult& result) {
    result = RouterProtocol::SetEthernetCommParameters(address_, entries);
    return ReportCommResult(result);
}

bool RouterDiagnosticCommPort::GetExpansionParameters(ExpansionSettings& settings,
                                                      CommResult& result) {
    result = RouterProtocol::GetExpansionParameters(address_, settings);
    return ReportCommResult(result);
}

bool RouterDiagnosticCommPort::SetExpansionParameters(const ExpansionSettings& settings,
                                                      CommResult& result) {
    result = RouterProtocol::SetExpansionParameters(address_, settings);
    return ReportCommResult(result);
}

bool RouterDiagnosticCommPort::GetPartitionParameters(PartitionParameters& params) {
    return ReportCommResult(RouterProtocol::GetPartitionParameters(address_, params));
}

bool RouterDiagnosticCommPort::SetPartitionParameters(const PartitionParameters& params) {
    return ReportCommResult(RouterProtocol::SetPartitionParameters(address_, params));
}

bool RouterDiagnosticCommPort::GetCardAddress(uint8_t& cardAddress) {
    return ReportCommResult(RouterProtocol::GetCardAddress(address_, cardAddress));
}

bool RouterDiagnosticCommPort::SetCardAddress(uint8_t cardAddress) {
    return ReportCommResult(RouterProtocol::SetCardAddress(address_, cardAddress));
}

bool RouterDiagnosticCommPort::SetRouterType(uint8_t productId) {
    return ReportCommResult(RouterProtocol::SetRouterType(address_, productId));
}

bool RouterDiagnosticCommPort::SetControllerState(uint8_t state) {
    return ReportCommResult(RouterProtocol::SetControllerState(address_, state));
}

bool RouterDiagnosticCommPort::ResetController() {
    return ReportCommResult(RouterProtocol::ResetController(address_));
}

// ---- Status -------------------------------------------------------------------------------

bool RouterDiagnosticCommPort::GetGeneralHealth(GeneralHealthStatus& status) {
    return ReportCommResult(RouterProtocol::GetGeneralHealth(address_, status));
}

bool RouterDiagnosticCommPort::GetFanStatus(std::vector<uint8_t>& fans) {
    return ReportCommResult(RouterProtocol::GetFanStatus(address_, fans), false);
}

// ---- Router tables ------------------------------------------------------------------------

bool RouterDiagnosticCommPort::GetDataRouterParameters(bool& flag, uint8_t& value,
                                                       std::span<uint8_t> portTypes) {
    const DataRouterReadResult read =
        RouterProtocol::GetDataRouterParameters(address_, flag, value, portTypes);
    ReportCommResult(read.comm);
    if (read.tooManyInputs) {
        ui_.showMessage(QString::fromLatin1(DataRouterReadResult::kTooManyInputsText),
                        MessageIcon::Warning);
    }
    return read.Ok();
}

bool RouterDiagnosticCommPort::SetDataRouterParameters(uint8_t flag, uint8_t value,
                                                       std::span<const uint8_t> portTypes,
                                                       bool keepUnknownCodes) {
    int blocksReported = 0;
    bool allWritten = true;
    const CommResult result = RouterProtocol::SetDataRouterParameters(
        address_, flag, value, portTypes,
        [&](CommResult block) {
            allWritten = ReportCommResult(block) && allWritten;
            ++blocksReported;
        },
        keepUnknownCodes);
    // A table refused before its first block was sent has had no box yet.
    if (blocksReported == 0) {
        return ReportCommResult(result);
    }
    // A block that failed leaves the router's table part old, part new, whatever came after.
    return allWritten;
}

bool RouterDiagnosticCommPort::GetScrambleTable(ScrambleTableWords& table) {
    return ReportCommResult(RouterProtocol::GetScrambleTable(address_, table));
}

bool RouterDiagnosticCommPort::SetScrambleTable(const ScrambleTableWords& table) {
    return ReportCommResult(RouterProtocol::SetScrambleTable(address_, table));
}

// ---- Text messages and firmware -------------------------------------------------------------

bool RouterDiagnosticCommPort::ReceiveTextMessage(RouterMessage& message, uint32_t timeoutMs) {
    return ReportCommResult(RouterProtocol::ReceiveTextMessage(address_, message, timeoutMs));
}

bool RouterDiagnosticCommPort::PollTextMessage(RouterMessage& message, uint32_t timeoutMs,
                                               CommResult& result) {
    result = RouterProtocol::ReceiveTextMessage(address_, message, timeoutMs);
    return result == CommResult::Success;
}

bool RouterDiagnosticCommPort::SendTextLine(std::string_view typedText) {
    RouterMessage message;
    return BuildTextLineMessage(address_, typedText, message) == CommResult::Success &&
           SendMessage(message) == CommResult::Success;
}

bool RouterDiagnosticCommPort::EnterFlashWriteMode(uint8_t component) {
    return ReportCommResult(RouterProtocol::EnterFlashWriteMode(address_, component));
}

bool RouterDiagnosticCommPort::BuildFlashRecordMessage(std::string_view text,
                                                       RouterMessage& message,
                                                       uint8_t component) const {
    return ReportCommResult(
        RouterProtocol::BuildFlashRecordMessage(address_, text, message, component));
}

bool RouterDiagnosticCommPort::SendFlashRecord(std::string_view text, uint8_t component) {
    return ReportCommResult(RouterProtocol::SendFlashRecord(address_, text, component));
}

bool RouterDiagnosticCommPort::SendFlashRecordMessage(const RouterMessage& message,
                                                      uint32_t timeoutMs, int retries,
                                                      uint32_t retryPauseMs) {
    return ReportCommResult(TransactExpectAck(message, timeoutMs, retries, retryPauseMs));
}

bool RouterDiagnosticCommPort::ExitFlashDownloadMode(uint8_t component) {
    return ReportCommResult(RouterProtocol::ExitFlashDownloadMode(address_, component));
}

}  // namespace zerandi
