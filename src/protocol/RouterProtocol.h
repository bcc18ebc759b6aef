#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "protocol/CommResult.h"
#include "protocol/ControlCardInfo.h"
#include "protocol/DataRouterReadResult.h"
#include "protocol/EthernetEntry.h"
#include "protocol/ExpansionSettings.h"
#include "protocol/GeneralHealthStatus.h"
#include "protocol/PartitionParameters.h"
#include "protocol/RouterAddress.h"
#include "protocol/RouterMessage.h"
#include "protocol/ScrambleTableWords.h"
#include "protocol/SerialCommParameters.h"
#include "protocol/SoftwareVersion.h"
#include "serial/SerialLink.h"

namespace zerandi {

// Request/reply transactions with the router's control card over the serial link, and
// every command the program sends. Each command takes the router's address first and
// returns a CommResult; its outputs are written only from replies received without error.
class RouterProtocol : public SerialLink {
public:
    // Transactions
    static constexpr int kBusyRetries = 3;
    static constexpr uint32_t kRetryPauseMs = 100;
    static constexpr uint32_t kDrainTimeoutMs = 0;
    // Unrelated frames skipped while awaiting a reply before the wait is given up.
    static constexpr int kMaxSkippedReplies = 64;
    // The pause after a bad reply: long enough for a full buffer of noise to arrive.
    static constexpr uint32_t kRecoveryBaudMsFactor = 4761600;
    static constexpr uint32_t kRecoveryExtraMs = 100;

    // Identification and controller
    static constexpr uint32_t kProductIdTimeoutMs = 100;
    static constexpr uint32_t kControlCardInfoTimeoutMs = 500;
    static constexpr uint32_t kCardAddressTimeoutMs = 100;
    static constexpr uint32_t kControllerStateTimeoutMs = 200;
    static constexpr uint32_t kResetControllerTimeoutMs = 200;
    static constexpr uint32_t kRouterTypeTimeoutMs = 500;
    static constexpr uint32_t kVersionReplyTimeoutMs = 500;
    static constexpr uint32_t kVersionSummaryTimeoutMs = 500;
    // Crosspoints
    static constexpr uint32_t kTakeTimeoutMs = 500;
    static constexpr uint32_t kStatusBlockTimeoutMs = 1000;
    static constexpr int kStatusBlockEntries = 64;
    // Router tables
    static constexpr uint32_t kPortTypeReplyTimeoutMs = 500;
    static constexpr uint32_t kPortTypeBlockTimeoutMs = 500;
    static constexpr size_t kPortTypeBlockEntries = 128;
    static constexpr uint8_t kHighestPortTypeCode = 6;
    static constexpr uint32_t kScrambleReplyTimeoutMs = 500;
    static constexpr uint32_t kScrambleBlockTimeoutMs = 500;
    static constexpr size_t kScrambleBlockEntries = 32;
    // Far more version records than any card carries.
    static constexpr size_t kMaxVersionReplies = 64;
    static constexpr uint32_t kPartitionTimeoutMs = 500;
    // Communication parameters
    static constexpr uint32_t kCommParametersReadTimeoutMs = 500;
    static constexpr uint32_t kCommParametersWriteTimeoutMs = 100;
    static constexpr uint32_t kExpansionReadTimeoutMs = 500;
    static constexpr uint32_t kExpansionWriteTimeoutMs = 100;
    // Status
    static constexpr uint32_t kGeneralHealthTimeoutMs = 200;
    static constexpr uint32_t kFanStatusTimeoutMs = 1000;
    // Firmware
    static constexpr uint32_t kFlashWriteModeTimeoutMs = 5000;
    static constexpr uint32_t kFlashRecordTimeoutMs = 2000;
    static constexpr int kFlashRecordRetries = 15;
    static constexpr uint32_t kFlashRecordRetryPauseMs = 200;
    static constexpr uint32_t kExitFlashTimeoutMs = 30000;
    // Flash record variants: 1 puts the component before the text, 0 a NUL after it.
    static constexpr int kFlashVariantComponentFirst = 1;
    static constexpr int kFlashVariantTextFirst = 0;

    // Called with the result of each block of a block transfer, in order.
    using BlockResultObserver = std::function<void(CommResult)>;

    RouterProtocol(std::unique_ptr<SerialDevice> device, Clock& clock);

    // Drains the receive side, sends the request and awaits one of the expected replies;
    // a busy refusal is retried up to `retries` times, `retryPauseMs` apart.
    virtual CommResult Transact(const RouterMessage& request, RouterMessage& reply,
                                uint8_t expectedCommand, uint32_t timeoutMs, int retries,
                                uint32_t retryPauseMs);
    virtual CommResult TransactAnyOf(const RouterMessage& request, RouterMessage& reply,
                                     std::span<const uint8_t> expectedCommands, uint32_t timeoutMs,
                                     int retries, uint32_t retryPauseMs);
    // Pauses for RecoveryPauseMs of the link's baud rate, then drains the receive side.
    virtual void RecoverAfterError();

    static uint32_t RecoveryPauseMs(uint32_t baud);
    static CommResult ClassifyReply(const RouterMessage& refusal);

    CommResult SendMessage(const RouterMessage& request);
    // A reply whose length byte is over `maxLength` (what the caller's buffer holds) is refused.
    CommResult ReadReply(RouterMessage& reply, uint32_t timeoutMs,
                         size_t maxLength = RouterMessage::kMaxLength);
    // Reads until an expected reply or a refusal arrives; other replies are dropped.
    CommResult AwaitReply(RouterMessage& reply, std::span<const uint8_t> expectedCommands,
                          uint32_t timeoutMs, size_t maxLength = RouterMessage::kMaxLength);
    CommResult AwaitReplyOne(RouterMessage& reply, uint8_t expectedCommand, uint32_t timeoutMs,
                             size_t maxLength = RouterMessage::kMaxLength);
    CommResult TransactExpectAck(const RouterMessage& request, uint32_t timeoutMs, int retries,
                                 uint32_t retryPauseMs);

    // Identification and controller
    CommResult GetProductId(const RouterAddress& address, uint8_t& makerCode, uint8_t& productId);
    // Every field starts unknown (-1), whatever the outcome.
    CommResult GetControlCardInfo(const RouterAddress& address, ControlCardInfo& info);
    CommResult GetCardAddress(const RouterAddress& address, uint8_t& cardAddress);
    CommResult SetCardAddress(const RouterAddress& address, uint8_t cardAddress);
    CommResult SetControllerState(const RouterAddress& address, uint8_t state);
    CommResult ResetController(const RouterAddress& address);
    CommResult SetRouterType(const RouterAddress& address, uint8_t productId);
    // Replaces the list with the components the router reports.
    CommResult GetSoftwareVersions(const RouterAddress& address,
                                   std::vector<SoftwareVersion>& versions);

    // Crosspoints. Status tables hold one source per entry, from `first` at index 0;
    // an empty or reversed range, or a table too small for it, fails with Failure and
    // sends nothing.
    CommResult Take(const RouterAddress& address, uint16_t source, uint16_t destination);
    CommResult TimedTake(const RouterAddress& address, uint16_t source, uint16_t destination,
                         uint16_t timestamp);
    CommResult SetMonitor(const RouterAddress& address, uint16_t source, uint16_t monitor);
    CommResult GetCrosspointStatus(const RouterAddress& address, int first, int last,
                                   std::span<int32_t> sources);
    CommResult GetMonitorStatus(const RouterAddress& address, int last, std::span<int32_t> sources);

    // Router tables
    DataRouterReadResult GetDataRouterParameters(const RouterAddress& address, bool& flag,
                                                 uint8_t& value, std::span<uint8_t> portTypes);
    // Sends every block, also after a failed one, until the link closes; the result is that
    // of the last block sent.
    // A code above the known port types goes out as 0 unless `keepUnknownCodes`: a restore
    // puts back the codes the router held, known or not.
    CommResult SetDataRouterParameters(const RouterAddress& address, uint8_t flag, uint8_t value,
                                       std::span<const uint8_t> portTypes,
                                       const BlockResultObserver& onBlockResult = {},
                                       bool keepUnknownCodes = false);
    CommResult GetScrambleTable(const RouterAddress& address, ScrambleTableWords& table);
    CommResult SetScrambleTable(const RouterAddress& address, const ScrambleTableWords& table);
    CommResult GetPartitionParameters(const RouterAddress& address, PartitionParameters& params);
    CommResult SetPartitionParameters(const RouterAddress& address,
                                      const PartitionParameters& params);

    // Communication parameters
    CommResult GetSerialCommParameters(const RouterAddress& address, SerialCommParameters& params);
    CommResult SetSerialCommParameters(const RouterAddress& address,
                                       const SerialCommParameters& params);
    CommResult GetEthernetCommParameters(const RouterAddress& address,
                                         std::vector<EthernetEntry>& entries);
    CommResult SetEthernetCommParameters(const RouterAddress& address,
                                         std::span<const EthernetEntry> entries);
    CommResult GetExpansionParameters(const RouterAddress& address, ExpansionSettings& settings);
    CommResult SetExpansionParameters(const RouterAddress& address,
                                      const ExpansionSettings& settings);

    // Status
    CommResult GetGeneralHealth(const RouterAddress& address, GeneralHealthStatus& status);
    // Replaces the list with one byte per fan (0 = OK).
    CommResult GetFanStatus(const RouterAddress& address, std::vector<uint8_t>& fans,
                            uint32_t timeoutMs = kFanStatusTimeoutMs);

    // Firmware. A record that fails is sent once more in the other variant, which then
    // stays in force for the records that follow.
    CommResult EnterFlashWriteMode(const RouterAddress& address, uint8_t component);
    CommResult BuildFlashRecordMessage(const RouterAddress& address, std::string_view text,
                                       RouterMessage& message, uint8_t component) const;
    CommResult SendFlashRecord(const RouterAddress& address, std::string_view text,
                               uint8_t component);
    CommResult ExitFlashDownloadMode(const RouterAddress& address, uint8_t component);
    int FlashRecordVariant() const { return flashRecordVariant_; }

    // Text messages: the controller's unsolicited text, and the terminal's typed line
    // (sent with SendMessage, no reply awaited; carriage return and line feed are added).
    // Text is received into a buffer of this size; the card splits its text to fit it.
    static constexpr size_t kTextMessageBufferBytes = 200;
    CommResult ReceiveTextMessage(const RouterAddress& address, RouterMessage& message,
                                  uint32_t timeoutMs);
    static CommResult BuildTextLineMessage(const RouterAddress& address, std::string_view typedText,
                                           RouterMessage& message);

protected:
    using ReplyHandler = std::function<CommResult(const RouterMessage& reply)>;
    // Handler of one reply of a multi-reply read; clears `more` to end the read.
    using MultiReplyHandler = std::function<CommResult(const RouterMessage& reply, bool& more)>;

    // Transact, then decode; a reply that fails to decode is followed by RecoverAfterError.
    CommResult TransactAndDecode(const RouterMessage& request, uint8_t expectedCommand,
                                 uint32_t timeoutMs, const ReplyHandler& decode);
    // Sends the request once, then reads replies while the previous one said more follow, at
    // most `maxReplies` of them, without retries: a device that never stops fails the read as
    // a time-out would, after the recovery pause.
    CommResult ReadReplies(const RouterMessage& request, bool drainFirst, uint8_t expectedCommand,
                           uint32_t timeoutMs, size_t maxReplies, const MultiReplyHandler& handle);
    // Passes a decode result through, recovering first when it is a failure.
    CommResult RecoverUnlessSuccess(CommResult decoded);

private:
    CommResult SendAck(const RouterAddress& address, uint8_t command,
                       std::initializer_list<uint8_t> data, uint32_t timeoutMs);
    CommResult SwitchTake(const RouterAddress& address, uint8_t subCommand, uint16_t source,
                          uint16_t destination, std::initializer_list<uint8_t> extra);
    CommResult ReadStatusRange(const RouterAddress& address, uint8_t subCommand, int first,
                               int last, std::span<int32_t> sources);
    CommResult ReadVersionRecords(const RouterAddress& address,
                                  std::vector<SoftwareVersion>& versions);
    CommResult SendScrambleBank(const RouterAddress& address, uint8_t bank,
                                const ScrambleTableWords& table);

    int flashRecordVariant_ = kFlashVariantComponentFirst;
};

}  // namespace zerandi
