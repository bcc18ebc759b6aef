#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/RouterProtocol.h"

namespace zerandi {

class UiServices;

// The one object through which the views talk to the router: every operation runs one
// command with the router's address, shows the failure's message (ReportCommResult)
// and returns success as a flag. Each of these hides the protocol operation of the same
// name, so that no view can reach the silent one by mistake.
class RouterDiagnosticCommPort : public RouterProtocol {
public:
    using TakePair = std::pair<uint16_t, uint16_t>;  // source word, destination word
    static constexpr uint16_t kSourceFlagBit = 0x4000;

    RouterDiagnosticCommPort(UiServices& ui, std::unique_ptr<SerialDevice> device, Clock& clock);
    ~RouterDiagnosticCommPort() override;

    const RouterAddress& Address() const { return address_; }
    UiServices& Ui() const { return ui_; }

    // True for success; otherwise false, after the result's warning box when `show` is
    // set (a time-out never shows one).
    bool ReportCommResult(CommResult result, bool show = true) const;

    // Crosspoints
    bool Take(uint16_t source, uint16_t destination);
    bool TimedTake(uint16_t source, uint16_t destination, uint16_t timestamp);
    // Takes the pairs in order, stopping at the first failure (with its message).
    bool ExecuteTakeList(std::span<const TakePair> pairs, bool setSourceFlag);
    bool GetCrosspointStatus(int first, int last, std::span<int32_t> sources);
    bool SetMonitor(uint16_t source, uint16_t monitor);
    bool GetMonitorStatus(int last, std::span<int32_t> sources);

    // Identification and configuration
    bool GetProductId(uint8_t& makerCode, uint8_t& productId);
    bool GetControlCardInfo(ControlCardInfo& info);  // never shows a box
    bool GetSoftwareVersions(std::vector<SoftwareVersion>& versions);
    bool GetSerialCommParameters(SerialCommParameters& params);
    bool SetSerialCommParameters(const SerialCommParameters& params);
    bool GetEthernetCommParameters(std::vector<EthernetEntry>& entries, CommResult& result);
    bool SetEthernetCommParameters(std::span<const EthernetEntry> entries, CommResult& result);
    bool GetExpansionParameters(ExpansionSettings& settings, CommResult& result);
    bool SetExpansionParameters(const ExpansionSettings& settings, CommResult& result);
    bool GetPartitionParameters(PartitionParameters& params);
    bool SetPartitionParameters(const PartitionParameters& params);
    bool GetCardAddress(uint8_t& cardAddress);
    bool SetCardAddress(uint8_t cardAddress);
    bool SetRouterType(uint8_t productId);
    bool SetControllerState(uint8_t state);
    bool ResetController();

    // Status. The fan list is asked without a box: a router without fans refuses it.
    bool GetGeneralHealth(GeneralHealthStatus& status);
    bool GetFanStatus(std::vector<uint8_t>& fans);

    // Router tables
    bool GetDataRouterParameters(bool& flag, uint8_t& value, std::span<uint8_t> portTypes);
    // Fails when any block failed, each failed block with its own box.
    bool SetDataRouterParameters(uint8_t flag, uint8_t value, std::span<const uint8_t> portTypes,
                                 bool keepUnknownCodes = false);
    bool GetScrambleTable(ScrambleTableWords& table);
    bool SetScrambleTable(const ScrambleTableWords& table);

    // Text messages and firmware
    bool ReceiveTextMessage(RouterMessage& message, uint32_t timeoutMs);
    // A text message, without a box: a poll that runs four times a second decides itself
    // which failures the user sees.
    bool PollTextMessage(RouterMessage& message, uint32_t timeoutMs, CommResult& result);
    // Sends the typed text with carriage return and line feed; no reply is awaited and a
    // failure shows no box.
    bool SendTextLine(std::string_view typedText);
    bool EnterFlashWriteMode(uint8_t component);
    bool BuildFlashRecordMessage(std::string_view text, RouterMessage& message,
                                 uint8_t component) const;
    bool SendFlashRecord(std::string_view text, uint8_t component);
    // Sends a record built by BuildFlashRecordMessage as an acknowledged transaction with the
    // caller's reply time-out, busy retries and retry pause.
    bool SendFlashRecordMessage(const RouterMessage& message, uint32_t timeoutMs, int retries,
                                uint32_t retryPauseMs);
    bool ExitFlashDownloadMode(uint8_t component);

private:
    UiServices& ui_;
    RouterAddress address_;
};

}  // namespace zerandi
