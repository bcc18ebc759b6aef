#include "protocol/RouterProtocol.h"

#include <algorithm>

#include "protocol/ReplyDecoders.h"
#include "protocol/ReplyReader.h"
#include "protocol/RouterCommands.h"

namespace zerandi {

namespace {

uint8_t High(unsigned word) {
    return static_cast<uint8_t>((word >> 8) & 0xFF);
}
uint8_t Low(unsigned word) {
    return static_cast<uint8_t>(word & 0xFF);
}
uint8_t Flag(bool on) {
    return on ? 1 : 0;
}

std::span<const uint8_t> TextBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

RouterMessage MakeRequest(const RouterAddress& address, uint8_t command,
                          std::initializer_list<uint8_t> data) {
    RouterMessage request(address, command);
    request.Append(std::span<const uint8_t>(data.begin(), data.size()));
    request.SetChecksum();
    return request;
}

// Offsets of the "more replies follow" flag of the multi-reply reads.
constexpr size_t kVersionMoreOffset = 7;
constexpr size_t kVersionStatusOffset = 8;
constexpr size_t kPortTypeMoreOffset = 7;
constexpr size_t kScrambleMoreOffset = 8;

size_t PortTypeBlockCount(size_t ports) {
    const size_t perBlock = RouterProtocol::kPortTypeBlockEntries;
    return (ports + perBlock - 1) / perBlock;
}

// Step-1 results after which the version summary is still worth asking for.
bool SummaryWorthAsking(CommResult versionRecords) {
    return versionRecords == CommResult::Success || versionRecords == CommResult::Timeout ||
           versionRecords == CommResult::UnknownCommand ||
           versionRecords == CommResult::NotSupported;
}

// A card answers a table read in replies of its own size, down to one entry each, and may
// close with a reply that carries none; a card that keeps saying more is cut off there.
constexpr size_t TableReplyBound(size_t tableEntries) {
    return tableEntries + 1;
}

constexpr size_t kScrambleBlocksPerBank =
    kScrambleBankEntries / RouterProtocol::kScrambleBlockEntries;
constexpr size_t kScrambleTableEntries = kScrambleBankCount * kScrambleBankEntries;
constexpr size_t kMaxBlockCounter = 256;  // the blocks-to-come counter is one byte
constexpr uint8_t kSerialParametersConstant = 9;
constexpr uint8_t kSerialMainDisabledBit = 0x02;
constexpr uint8_t kSerialAuxiliaryEnabledBit = 0x01;
constexpr uint8_t kFlashTextTerminator = 0;
constexpr uint8_t kResetControllerData = 0;
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

RouterProtocol::RouterProtocol(std::unique_ptr<SerialDevice> device, Clock& clock)
    : SerialLink(std::move(device), clock) {
    SetStartByteCheck(true, RouterMessage::kStartByte);
}

// ---- Transactions -----------------------------------------------------------------------

CommResult RouterProtocol::Transact(const RouterMessage& request, RouterMessage& reply,
                                    uint8_t expectedCommand, uint32_t timeoutMs, int retries,
                                    uint32_t retryPauseMs) {
    const uint8_t expected[] = {expectedCommand};
    return TransactAnyOf(request, reply, expected, timeoutMs, retries, retryPauseMs);
}

CommResult RouterProtocol::TransactAnyOf(const RouterMessage& request, RouterMessage& reply,
                                         std::span<const uint8_t> expectedCommands,
                                         uint32_t timeoutMs, int retries, uint32_t retryPauseMs) {
    Flush(kDrainTimeoutMs);
    for (int attempt = 0;;) {
        if (attempt > 0) {
            LinkClock().sleepMs(retryPauseMs);
        }
        CommResult result = SendMessage(request);
        if (result == CommResult::Success) {
            result = AwaitReply(reply, expectedCommands, timeoutMs);
        }
        ++attempt;
        if (result != CommResult::Busy || attempt > retries) {
            return result;
        }
    }
}

void RouterProtocol::RecoverAfterError() {
    if (!IsOpen()) {
        return;  // a device that went away has nothing left to drain
    }
    LinkClock().sleepMs(RecoveryPauseMs(BaudRate()));
    Flush(kDrainTimeoutMs);
}

uint32_t RouterProtocol::RecoveryPauseMs(uint32_t baud) {
    return (baud == 0 ? 0 : kRecoveryBaudMsFactor / baud) + kRecoveryExtraMs;
}

CommResult RouterProtocol::ClassifyReply(const RouterMessage& refusal) {
    constexpr uint8_t kFirstErrorCode = 1;
    constexpr uint8_t kLastErrorCode = 10;
    constexpr int kErrorCodeShift = static_cast<int>(CommResult::InvalidData) - kFirstErrorCode;
    switch (refusal.Command()) {
        case command::kSequenceError:
            return CommResult::SequenceError;
        case command::kAsciiError:
            return CommResult::AsciiErrorMessage;
        default:
            break;
    }
    ReplyReader reader(refusal);
    const uint8_t code = reader.Byte(RouterMessage::kDataOffset);
    if (!reader.Ok() || code < kFirstErrorCode || code > kLastErrorCode) {
        return CommResult::UndefinedError;
    }
    return static_cast<CommResult>(code + kErrorCodeShift);
}

CommResult RouterProtocol::SendMessage(const RouterMessage& request) {
    return Send(request.Frame()) ? CommResult::Success : CommResult::TransmitFailure;
}

CommResult RouterProtocol::ReadReply(RouterMessage& reply, uint32_t timeoutMs, size_t maxLength) {
    const LinkStatus status = ReceiveMessage(reply.Buffer(), timeoutMs);
    if (status != LinkStatus::Received) {
        if (status != LinkStatus::Timeout) {
            RecoverAfterError();
        }
        return CommResultFromLinkStatus(status);
    }
    if (reply.Length() > maxLength) {
        RecoverAfterError();
        return CommResult::InvalidSize;
    }
    if (!reply.ChecksumOk()) {
        RecoverAfterError();
        return CommResult::BadChecksum;
    }
    return CommResult::Success;
}

CommResult RouterProtocol::AwaitReply(RouterMessage& reply,
                                      std::span<const uint8_t> expectedCommands, uint32_t timeoutMs,
                                      size_t maxLength) {
    for (int skipped = 0; skipped <= kMaxSkippedReplies; ++skipped) {
        const CommResult result = ReadReply(reply, timeoutMs, maxLength);
        if (result != CommResult::Success) {
            return result;
        }
        if (std::find(expectedCommands.begin(), expectedCommands.end(), reply.Command()) !=
            expectedCommands.end()) {
            return CommResult::Success;
        }
        if (reply.IsRefusal()) {
            RecoverAfterError();
            return ClassifyReply(reply);
        }
    }
    // A device that keeps sending other frames never gives the reply asked for.
    return CommResult::Timeout;
}

CommResult RouterProtocol::AwaitReplyOne(RouterMessage& reply, uint8_t expectedCommand,
                                         uint32_t timeoutMs, size_t maxLength) {
    const uint8_t expected[] = {expectedCommand};
    return AwaitReply(reply, expected, timeoutMs, maxLength);
}

CommResult RouterProtocol::TransactExpectAck(const RouterMessage& request, uint32_t timeoutMs,
                                             int retries, uint32_t retryPauseMs) {
    Flush(kDrainTimeoutMs);
    RouterMessage scratch;
    return Transact(request, scratch, command::kAcknowledge, timeoutMs, retries, retryPauseMs);
}

CommResult RouterProtocol::TransactAndDecode(const RouterMessage& request, uint8_t expectedCommand,
                                             uint32_t timeoutMs, const ReplyHandler& decode) {
    RouterMessage reply;
    const CommResult result =
        Transact(request, reply, expectedCommand, timeoutMs, kBusyRetries, kRetryPauseMs);
    if (result != CommResult::Success) {
        return result;
    }
    return RecoverUnlessSuccess(decode(reply));
}

CommResult RouterProtocol::ReadReplies(const RouterMessage& request, bool drainFirst,
                                       uint8_t expectedCommand, uint32_t timeoutMs,
                                       size_t maxReplies, const MultiReplyHandler& handle) {
    if (drainFirst) {
        Flush(kDrainTimeoutMs);
    }
    CommResult result = SendMessage(request);
    bool more = true;
    for (size_t replies = 0; result == CommResult::Success && more; ++replies) {
        if (replies == maxReplies) {
            RecoverAfterError();
            return CommResult::Timeout;
        }
        RouterMessage reply;
        result = AwaitReplyOne(reply, expectedCommand, timeoutMs);
        if (result == CommResult::Success) {
            result = RecoverUnlessSuccess(handle(reply, more));
        }
    }
    return result;
}

CommResult RouterProtocol::RecoverUnlessSuccess(CommResult decoded) {
    if (decoded != CommResult::Success) {
        RecoverAfterError();
    }
    return decoded;
}

CommResult RouterProtocol::SendAck(const RouterAddress& address, uint8_t command,
                                   std::initializer_list<uint8_t> data, uint32_t timeoutMs) {
    return TransactExpectAck(MakeRequest(address, command, data), timeoutMs, kBusyRetries,
                             kRetryPauseMs);
}

// ---- Identification and controller ------------------------------------------------------

CommResult RouterProtocol::GetProductId(const RouterAddress& address, uint8_t& makerCode,
                                        uint8_t& productId) {
    return TransactAndDecode(
        MakeRequest(address, command::kGetProductId, {}), command::ReplyTo(command::kGetProductId),
        kProductIdTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeProductId(reply, makerCode, productId); });
}

CommResult RouterProtocol::GetControlCardInfo(const RouterAddress& address, ControlCardInfo& info) {
    // A card that does not answer is unknown, not the card that answered last time.
    info = ControlCardInfo{};
    return TransactAndDecode(
        MakeRequest(address, command::kGetControlCardInfo, {}),
        command::ReplyTo(command::kGetControlCardInfo), kControlCardInfoTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeControlCardInfo(reply, info); });
}

CommResult RouterProtocol::GetCardAddress(const RouterAddress& address, uint8_t& cardAddress) {
    return TransactAndDecode(
        MakeRequest(address, command::kCardAddress, {command::kSubRead}),
        command::ReplyTo(command::kCardAddress), kCardAddressTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeCardAddress(reply, cardAddress); });
}

CommResult RouterProtocol::SetCardAddress(const RouterAddress& address, uint8_t cardAddress) {
    return SendAck(address, command::kCardAddress, {command::kSubWrite, cardAddress},
                   kCardAddressTimeoutMs);
}

CommResult RouterProtocol::SetControllerState(const RouterAddress& address, uint8_t state) {
    return SendAck(address, command::kSetControllerState, {state}, kControllerStateTimeoutMs);
}

CommResult RouterProtocol::ResetController(const RouterAddress& address) {
    return SendAck(address, command::kResetController, {kResetControllerData},
                   kResetControllerTimeoutMs);
}

CommResult RouterProtocol::SetRouterType(const RouterAddress& address, uint8_t productId) {
    return SendAck(address, command::kSetRouterType, {productId}, kRouterTypeTimeoutMs);
}

CommResult RouterProtocol::GetSoftwareVersions(const RouterAddress& address,
                                               std::vector<SoftwareVersion>& versions) {
    versions.clear();
    const CommResult records = ReadVersionRecords(address, versions);
    if (!SummaryWorthAsking(records)) {
        return records;
    }
    const CommResult summary = TransactAndDecode(
        MakeRequest(address, command::kGetVersionSummary, {}),
        command::ReplyTo(command::kGetVersionSummary), kVersionSummaryTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeVersionSummary(reply, versions); });
    return records == CommResult::Success ? records : summary;
}

CommResult RouterProtocol::ReadVersionRecords(const RouterAddress& address,
                                              std::vector<SoftwareVersion>& versions) {
    return ReadReplies(MakeRequest(address, command::kGetSoftwareVersions, {command::kSubRead}),
                       true, command::ReplyTo(command::kGetSoftwareVersions),
                       kVersionReplyTimeoutMs, kMaxVersionReplies,
                       [&](const RouterMessage& reply, bool& more) {
                           ReplyReader reader(reply);
                           more = reader.Byte(kVersionMoreOffset) != 0;
                           const uint8_t status = reader.Byte(kVersionStatusOffset);
                           if (!reader.Ok()) {
                               return CommResult::CountError;
                           }
                           if (status != 0) {
                               return CommResult::ReplyMismatch;
                           }
                           return DecodeVersionRecords(reply, versions);
                       });
}

// ---- Crosspoints --------------------------------------------------------------------------

CommResult RouterProtocol::SwitchTake(const RouterAddress& address, uint8_t subCommand,
                                      uint16_t source, uint16_t destination,
                                      std::initializer_list<uint8_t> extra) {
    RouterMessage request =
        MakeRequest(address, command::kTake,
                    {subCommand, High(source), Low(source), High(destination), Low(destination)});
    request.Append(std::span<const uint8_t>(extra.begin(), extra.size()));
    request.SetChecksum();
    return TransactAndDecode(request, command::ReplyTo(command::kTake), kTakeTimeoutMs,
                             [&](const RouterMessage& reply) {
                                 return CheckTakeEcho(reply, subCommand, source, destination);
                             });
}

CommResult RouterProtocol::Take(const RouterAddress& address, uint16_t source,
                                uint16_t destination) {
    return SwitchTake(address, command::kSubTake, source, destination, {});
}

CommResult RouterProtocol::TimedTake(const RouterAddress& address, uint16_t source,
                                     uint16_t destination, uint16_t timestamp) {
    return SwitchTake(address, command::kSubTake, source, destination,
                      {High(timestamp), Low(timestamp)});
}

CommResult RouterProtocol::SetMonitor(const RouterAddress& address, uint16_t source,
                                      uint16_t monitor) {
    return SwitchTake(address, command::kSubMonitor, source, monitor, {});
}

CommResult RouterProtocol::GetCrosspointStatus(const RouterAddress& address, int first, int last,
                                               std::span<int32_t> sources) {
    return ReadStatusRange(address, command::kSubCrosspoints, first, last, sources);
}

CommResult RouterProtocol::GetMonitorStatus(const RouterAddress& address, int last,
                                            std::span<int32_t> sources) {
    return ReadStatusRange(address, command::kSubMonitors, 1, last, sources);
}

CommResult RouterProtocol::ReadStatusRange(const RouterAddress& address, uint8_t subCommand,
                                           int first, int last, std::span<int32_t> sources) {
    constexpr int kHighestEntry = 0xFFFF;
    constexpr int32_t kNotRead = -1;
    if (first < 0 || last < first || last > kHighestEntry ||
        sources.size() < static_cast<size_t>(last - first + 1)) {
        return CommResult::Failure;
    }
    const std::span<int32_t> table = sources.first(static_cast<size_t>(last - first + 1));
    std::fill(table.begin(), table.end(), kNotRead);
    CommResult result = CommResult::Success;
    for (int next = first; result == CommResult::Success && next <= last;
         next += kStatusBlockEntries) {
        const int count = std::min(kStatusBlockEntries, last - next + 1);
        RouterMessage reply;
        result = Transact(MakeRequest(address, command::kCrosspointStatus,
                                      {subCommand, High(next), Low(next), High(count), Low(count)}),
                          reply, command::ReplyTo(command::kCrosspointStatus),
                          kStatusBlockTimeoutMs, kBusyRetries, kRetryPauseMs);
        if (result == CommResult::Success) {
            result = DecodeCrosspointBlock(reply, static_cast<uint16_t>(next),
                                           static_cast<uint16_t>(count), first, table);
        }
    }
    if (result == CommResult::Success &&
        std::find(table.begin(), table.end(), kNotRead) != table.end()) {
        result = CommResult::ReplyMismatch;
    }
    if (result == CommResult::ReplyMismatch) {
        RecoverAfterError();
    }
    return result;
}

// ---- Router tables ------------------------------------------------------------------------

DataRouterReadResult RouterProtocol::GetDataRouterParameters(const RouterAddress& address,
                                                             bool& flag, uint8_t& value,
                                                             std::span<uint8_t> portTypes) {
    DataRouterReadResult result;
    result.comm = ReadReplies(
        MakeRequest(address, command::kDataRouterParameters, {command::kSubRead}), false,
        command::ReplyTo(command::kDataRouterParameters), kPortTypeReplyTimeoutMs,
        TableReplyBound(portTypes.size()), [&](const RouterMessage& reply, bool& more) {
            ReplyReader reader(reply);
            more = reader.Byte(kPortTypeMoreOffset) != 0;
            const CommResult decoded =
                DecodePortTypeBlock(reply, flag, value, portTypes, result.tooManyInputs);
            more = more && !result.tooManyInputs;
            return decoded;
        });
    return result;
}

CommResult RouterProtocol::SetDataRouterParameters(const RouterAddress& address, uint8_t flag,
                                                   uint8_t value,
                                                   std::span<const uint8_t> portTypes,
                                                   const BlockResultObserver& onBlockResult,
                                                   bool keepUnknownCodes) {
    const size_t blocks = PortTypeBlockCount(portTypes.size());
    if (blocks > kMaxBlockCounter) {
        return CommResult::Failure;
    }
    CommResult result = CommResult::Success;
    for (size_t block = 0; block < blocks; ++block) {
        const size_t start = block * kPortTypeBlockEntries;
        const size_t count = std::min(kPortTypeBlockEntries, portTypes.size() - start);
        RouterMessage request =
            MakeRequest(address, command::kDataRouterParameters,
                        {command::kSubWrite, static_cast<uint8_t>(blocks - block - 1), flag, value,
                         High(static_cast<unsigned>(start)), Low(static_cast<unsigned>(start)),
                         static_cast<uint8_t>(count)});
        for (const uint8_t code : portTypes.subspan(start, count)) {
            request.Append(code > kHighestPortTypeCode && !keepUnknownCodes ? 0 : code);
        }
        request.SetChecksum();
        result = TransactExpectAck(request, kPortTypeBlockTimeoutMs, kBusyRetries, kRetryPauseMs);
        if (onBlockResult) {
            onBlockResult(result);
        }
        if (!IsOpen()) {
            break;  // a device that went away takes no further blocks
        }
    }
    return result;
}

CommResult RouterProtocol::GetScrambleTable(const RouterAddress& address,
                                            ScrambleTableWords& table) {
    return ReadReplies(MakeRequest(address, command::kScrambleTable, {command::kSubRead}), true,
                       command::ReplyTo(command::kScrambleTable), kScrambleReplyTimeoutMs,
                       TableReplyBound(kScrambleTableEntries),
                       [&](const RouterMessage& reply, bool& more) {
                           ReplyReader reader(reply);
                           more = reader.Byte(kScrambleMoreOffset) != 0;
                           return DecodeScrambleBlock(reply, table);
                       });
}

CommResult RouterProtocol::SetScrambleTable(const RouterAddress& address,
                                            const ScrambleTableWords& table) {
    const CommResult bankOne = SendScrambleBank(address, kScrambleBankOne, table);
    if (bankOne != CommResult::Success) {
        return bankOne;
    }
    return SendScrambleBank(address, kScrambleBankTwo, table);
}

CommResult RouterProtocol::SendScrambleBank(const RouterAddress& address, uint8_t bank,
                                            const ScrambleTableWords& table) {
    const ScrambleBankBases bases = ScrambleBankBasesFor(bank);
    for (size_t block = 0; block < kScrambleBlocksPerBank; ++block) {
        const size_t start = block * kScrambleBlockEntries;
        RouterMessage request =
            MakeRequest(address, command::kScrambleTable,
                        {bank, static_cast<uint8_t>(kScrambleBlocksPerBank - block - 1),
                         High(static_cast<unsigned>(start)), Low(static_cast<unsigned>(start)),
                         static_cast<uint8_t>(kScrambleBlockEntries)});
        for (size_t i = start; i < start + kScrambleBlockEntries; ++i) {
            request.AppendWord(table[bases.a + i]);
            request.AppendWord(table[bases.b + i]);
        }
        request.SetChecksum();
        const CommResult result =
            TransactExpectAck(request, kScrambleBlockTimeoutMs, kBusyRetries, kRetryPauseMs);
        if (result != CommResult::Success) {
            return result;
        }
    }
    return CommResult::Success;
}

CommResult RouterProtocol::GetPartitionParameters(const RouterAddress& address,
                                                  PartitionParameters& params) {
    return TransactAndDecode(
        MakeRequest(address, command::kPartitionParameters, {command::kSubRead}),
        command::ReplyTo(command::kPartitionParameters), kPartitionTimeoutMs,
        [&](const RouterMessage& reply) { return DecodePartitionParameters(reply, params); });
}

CommResult RouterProtocol::SetPartitionParameters(const RouterAddress& address,
                                                  const PartitionParameters& params) {
    if (params.levelCount < 0 || params.levelCount > PartitionParameters::kMaxLevels) {
        return CommResult::Failure;
    }
    RouterMessage request =
        MakeRequest(address, command::kPartitionParameters,
                    {command::kSubWrite, Flag(params.startupFlag), Flag(params.scrambleMapEnabled),
                     static_cast<uint8_t>(params.levelCount)});
    for (int32_t i = 0; i < params.levelCount; ++i) {
        const RouterLevel& level = params.levels[static_cast<size_t>(i)];
        request.Append(static_cast<uint8_t>(level.signalType));
        request.Append(static_cast<uint8_t>(level.level));
        for (const int32_t word :
             {level.physicalInputStart, level.physicalInputEnd, level.controllerInputStart,
              level.defaultInput, level.physicalOutputStart, level.physicalOutputEnd,
              level.controllerOutputStart}) {
            request.AppendWord(static_cast<uint16_t>(word));
        }
    }
    request.SetChecksum();
    return TransactExpectAck(request, kPartitionTimeoutMs, kBusyRetries, kRetryPauseMs);
}

// ---- Communication parameters -------------------------------------------------------------

CommResult RouterProtocol::GetSerialCommParameters(const RouterAddress& address,
                                                   SerialCommParameters& params) {
    return TransactAndDecode(
        MakeRequest(address, command::kCommParameters, {command::kSubSerialRead}),
        command::ReplyTo(command::kCommParameters), kCommParametersReadTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeSerialCommParameters(reply, params); });
}

CommResult RouterProtocol::SetSerialCommParameters(const RouterAddress& address,
                                                   const SerialCommParameters& params) {
    const uint8_t flags =
        static_cast<uint8_t>((params.mainPortEnabled ? 0 : kSerialMainDisabledBit) |
                             (params.auxiliaryPortEnabled ? kSerialAuxiliaryEnabledBit : 0));
    return SendAck(address, command::kCommParameters,
                   {command::kSubSerialWrite, params.protocolIndex, params.replyWhen, params.value3,
                    params.baudIndex, flags, kSerialParametersConstant, params.secondReplyWhen,
                    params.value6, params.secondBaudIndex, params.rearDiagnosticPortType},
                   kCommParametersWriteTimeoutMs);
}

CommResult RouterProtocol::GetEthernetCommParameters(const RouterAddress& address,
                                                     std::vector<EthernetEntry>& entries) {
    return TransactAndDecode(
        MakeRequest(address, command::kCommParameters, {command::kSubEthernetRead}),
        command::ReplyTo(command::kCommParameters), kCommParametersReadTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeEthernetEntries(reply, entries); });
}

CommResult RouterProtocol::SetEthernetCommParameters(const RouterAddress& address,
                                                     std::span<const EthernetEntry> entries) {
    RouterMessage request(address, command::kCommParameters);
    bool fits = request.Append(command::kSubEthernetWrite);
    for (const EthernetEntry& entry : entries) {
        fits = fits && request.Append(static_cast<uint8_t>(entry.entryNumber)) &&
               request.Append(static_cast<uint8_t>(entry.enabled)) &&
               request.Append(entry.ipAddress) && request.Append(entry.subnetMask);
    }
    if (!fits) {
        return CommResult::Failure;
    }
    request.SetChecksum();
    return TransactExpectAck(request, kCommParametersWriteTimeoutMs, kBusyRetries, kRetryPauseMs);
}

CommResult RouterProtocol::GetExpansionParameters(const RouterAddress& address,
                                                  ExpansionSettings& settings) {
    return TransactAndDecode(
        MakeRequest(address, command::kExpansionParameters, {command::kSubExpansionRead}),
        command::ReplyTo(command::kExpansionParameters), kExpansionReadTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeExpansionSettings(reply, settings); });
}

CommResult RouterProtocol::SetExpansionParameters(const RouterAddress& address,
                                                  const ExpansionSettings& settings) {
    return SendAck(address, command::kExpansionParameters,
                   {command::kSubExpansionWrite, settings.mode, settings.index, 0, 0},
                   kExpansionWriteTimeoutMs);
}

// ---- Status -------------------------------------------------------------------------------

CommResult RouterProtocol::GetGeneralHealth(const RouterAddress& address,
                                            GeneralHealthStatus& status) {
    return TransactAndDecode(
        MakeRequest(address, command::kGetStatus, {command::kSubGeneralHealth}),
        command::ReplyTo(command::kGetStatus), kGeneralHealthTimeoutMs,
        [&](const RouterMessage& reply) { return DecodeGeneralHealth(reply, status); });
}

CommResult RouterProtocol::GetFanStatus(const RouterAddress& address, std::vector<uint8_t>& fans,
                                        uint32_t timeoutMs) {
    fans.clear();
    RouterMessage reply;
    const CommResult result =
        Transact(MakeRequest(address, command::kGetStatus, {command::kSubFanStatus}), reply,
                 command::ReplyTo(command::kGetStatus), timeoutMs, kBusyRetries, kRetryPauseMs);
    if (result != CommResult::Success) {
        return result;
    }
    const CommResult decoded = DecodeFanStatus(reply, fans);
    // Another status reply in its place is simply not the fan list: no recovery needed.
    return decoded == CommResult::ReplyMismatch ? decoded : RecoverUnlessSuccess(decoded);
}

// ---- Firmware -----------------------------------------------------------------------------

CommResult RouterProtocol::EnterFlashWriteMode(const RouterAddress& address, uint8_t component) {
    return SendAck(address, command::kEnterFlashWriteMode, {component}, kFlashWriteModeTimeoutMs);
}

CommResult RouterProtocol::ExitFlashDownloadMode(const RouterAddress& address, uint8_t component) {
    return SendAck(address, command::kExitFlashDownloadMode, {component}, kExitFlashTimeoutMs);
}

CommResult RouterProtocol::BuildFlashRecordMessage(const RouterAddress& address,
                                                   std::string_view text, RouterMessage& message,
                                                   uint8_t component) const {
    RouterMessage built(address, command::kFlashRecord);
    const bool fits = flashRecordVariant_ == kFlashVariantComponentFirst
                          ? built.Append(component) && built.Append(TextBytes(text))
                          : built.Append(TextBytes(text)) && built.Append(kFlashTextTerminator);
    if (!fits) {
        return CommResult::Failure;
    }
    built.SetChecksum();
    message = built;
    return CommResult::Success;
}

CommResult RouterProtocol::SendFlashRecord(const RouterAddress& address, std::string_view text,
                                           uint8_t component) {
    RouterMessage request;
    CommResult result = BuildFlashRecordMessage(address, text, request, component);
    if (result != CommResult::Success) {
        return result;
    }
    result = TransactExpectAck(request, kFlashRecordTimeoutMs, kFlashRecordRetries,
                               kFlashRecordRetryPauseMs);
    if (result == CommResult::Success) {
        return result;
    }
    flashRecordVariant_ = flashRecordVariant_ == kFlashVariantComponentFirst
                              ? kFlashVariantTextFirst
                              : kFlashVariantComponentFirst;
    BuildFlashRecordMessage(address, text, request, component);
    return TransactExpectAck(request, kFlashRecordTimeoutMs, kFlashRecordRetries,
                             kFlashRecordRetryPauseMs);
}

// ---- Text messages ------------------------------------------------------------------------

CommResult RouterProtocol::ReceiveTextMessage(const RouterAddress& /*address*/,
                                              RouterMessage& message, uint32_t timeoutMs) {
    return AwaitReplyOne(message, command::kTextMessage, timeoutMs,
                         kTextMessageBufferBytes - RouterMessage::kFrameOverhead);
}

CommResult RouterProtocol::BuildTextLineMessage(const RouterAddress& address,
                                                std::string_view typedText,
                                                RouterMessage& message) {
    RouterMessage built(address, command::kTextMessage);
    if (!built.Append(TextBytes(typedText)) || !built.Append(TextBytes(kLineEnd))) {
        return CommResult::Failure;
    }
    built.SetChecksum();
    message = built;
    return CommResult::Success;
}

}  // namespace zerandi
