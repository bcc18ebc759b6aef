#include "protocol/FaultSweep.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <numeric>
#include <thread>

namespace zerandi::test {

namespace {

using Kind = zsim::SimFault::Kind;
using Port = RouterDiagnosticCommPort;
using Outputs = SweepOutputs;

constexpr uint8_t kFlashComponent = 1;
constexpr std::string_view kFlashLine = "S00600004844521B";
constexpr uint8_t kStandbyState = 1;
constexpr int kUnknownCommandCode = 4;
constexpr int kNotSupportedCode = 9;
constexpr int kBusyCode = 10;
constexpr int kLastRefusalCode = 10;
constexpr int kNoiseBytes = 5;
constexpr int kBytesBeforeVanishing = 3;
constexpr int kOversizeInBuffer = 242;
constexpr int kOversizeBeyondFrame = 255;
constexpr int kStatusEntriesRead = 80;  // one whole status block and part of a second
constexpr int kMonitorsRead = 4;
// Past the time-out by more than the line needs to carry the late reply.
constexpr uint32_t kLateByMs = 300;
// Line time and scheduling of a whole operation on the pseudo-terminal.
constexpr int64_t kLineSlackMs = 1500;
constexpr int64_t kSettleMs = 50;
constexpr int64_t kRestOfAnswerMs = 10;

// What the faulted request itself comes to.
enum class Attempt { Skipped, Busy, Fails, FailsAsUnanswered, LinkGone };

Attempt FaultedAttempt(const zsim::SimFault& fault) {
    switch (fault.kind) {
        case Kind::Busy:
            return Attempt::Busy;
        case Kind::Refuse:
            if (fault.param == kBusyCode) {
                return Attempt::Busy;
            }
            return fault.param == kUnknownCommandCode || fault.param == kNotSupportedCode
                       ? Attempt::FailsAsUnanswered
                       : Attempt::Fails;
        case Kind::Silence:
        case Kind::Delay:
            return Attempt::FailsAsUnanswered;
        case Kind::UnexpectedReply:
        case Kind::UnsolicitedText:
        case Kind::Forget:
            return Attempt::Skipped;
        case Kind::Disappear:
            return Attempt::LinkGone;
        default:
            return Attempt::Fails;
    }
}

bool BusyRescued(FaultShape shape, int busyAnswers) {
    switch (shape) {
        case FaultShape::Retried:
            return busyAnswers <= RouterProtocol::kBusyRetries;
        case FaultShape::FlashRecord:
            return busyAnswers < 2 * (RouterProtocol::kFlashRecordRetries + 1);
        case FaultShape::Unretried:
        case FaultShape::Versions:
            return false;
    }
    return false;
}

SweepOperation Op(std::string name, FaultShape shape, uint32_t timeoutMs,
                  std::function<bool(Port&, Outputs&)> run, std::string model = "QR1206") {
    return {std::move(name), std::move(model), shape, timeoutMs, {}, std::move(run)};
}

SweepOperation WithPrepare(SweepOperation op, std::function<void(Port&, Outputs&)> prepare) {
    op.prepare = std::move(prepare);
    return op;
}

// A failed status read marks the entries it did not read as unread.
SweepOperation MarksUnreadOnFailure(SweepOperation op) {
    op.keepsOutputsOnFailure = false;
    return op;
}

// The operations that also hand back their result: it must agree with the flag.
bool Agreeing(bool ok, CommResult result) {
    EXPECT_EQ(ok, result == CommResult::Success);
    return ok;
}
bool ReadEthernet(Port& p, Outputs& o) {
    CommResult result = CommResult::Failure;
    const bool ok = p.GetEthernetCommParameters(o.ethernet, result);
    return Agreeing(ok, result);
}
bool WriteEthernet(Port& p, Outputs& o) {
    CommResult result = CommResult::Failure;
    const bool ok = p.SetEthernetCommParameters(o.ethernet, result);
    return Agreeing(ok, result);
}
bool ReadExpansion(Port& p, Outputs& o) {
    CommResult result = CommResult::Failure;
    const bool ok = p.GetExpansionParameters(o.expansion, result);
    return Agreeing(ok, result);
}
bool WriteExpansion(Port& p, Outputs& o) {
    CommResult result = CommResult::Failure;
    const bool ok = p.SetExpansionParameters(o.expansion, result);
    return Agreeing(ok, result);
}

// The record as the download sequence sends it, with the ordinary busy retries.
bool SendBuiltFlashRecord(Port& p, Outputs&) {
    RouterMessage record;
    return p.BuildFlashRecordMessage(kFlashLine, record, kFlashComponent) &&
           p.SendFlashRecordMessage(record, RouterProtocol::kFlashRecordTimeoutMs,
                                    RouterProtocol::kBusyRetries, RouterProtocol::kRetryPauseMs);
}

void EnterFlash(Port& p, Outputs&) {
    p.EnterFlashWriteMode(kFlashComponent);
}

std::vector<SweepOperation> CrosspointOperations() {
    using P = RouterProtocol;
    const auto retried = FaultShape::Retried;
    SweepOperation list = Op(
        "ExecuteTakeList", retried, P::kTakeTimeoutMs,
        [](Port& p, Outputs& o) { return p.ExecuteTakeList(o.takeList, true); }, "QR1207");
    list.boxesPerFailure = 2;
    return {
        Op("Take", retried, P::kTakeTimeoutMs, [](Port& p, Outputs&) { return p.Take(3, 5); }),
        Op("TimedTake", retried, P::kTakeTimeoutMs,
           [](Port& p, Outputs&) { return p.TimedTake(3, 5, 1200); }),
        list,
        MarksUnreadOnFailure(Op(
            "GetCrosspointStatus", retried, P::kStatusBlockTimeoutMs,
            [](Port& p, Outputs& o) {
                return p.GetCrosspointStatus(1, kStatusEntriesRead, o.Sources(kStatusEntriesRead));
            },
            "QR1207")),
        Op(
            "SetMonitor", retried, P::kTakeTimeoutMs,
            [](Port& p, Outputs&) { return p.SetMonitor(2, 1); }, "QS1210"),
        MarksUnreadOnFailure(Op(
            "GetMonitorStatus", retried, P::kStatusBlockTimeoutMs,
            [](Port& p, Outputs& o) {
                return p.GetMonitorStatus(kMonitorsRead - 1, o.Sources(kMonitorsRead));
            },
            "QS1210")),
    };
}

std::vector<SweepOperation> IdentificationOperations() {
    using P = RouterProtocol;
    const auto retried = FaultShape::Retried;
    return {
        Op("GetProductId", retried, P::kProductIdTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetProductId(o.byte1, o.byte2); }),
        Op("GetControlCardInfo", retried, P::kControlCardInfoTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetControlCardInfo(o.card); }),
        Op("GetSoftwareVersions", FaultShape::Versions, P::kVersionReplyTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetSoftwareVersions(o.versions); }),
        Op("GetCardAddress", retried, P::kCardAddressTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetCardAddress(o.byte1); }),
        WithPrepare(Op("SetCardAddress", retried, P::kCardAddressTimeoutMs,
                       [](Port& p, Outputs& o) { return p.SetCardAddress(o.byte1); }),
                    [](Port& p, Outputs& o) { p.GetCardAddress(o.byte1); }),
        WithPrepare(Op("SetRouterType", retried, P::kRouterTypeTimeoutMs,
                       [](Port& p, Outputs& o) { return p.SetRouterType(o.byte2); }),
                    [](Port& p, Outputs& o) { p.GetProductId(o.byte1, o.byte2); }),
        Op("SetControllerState", retried, P::kControllerStateTimeoutMs,
           [](Port& p, Outputs&) { return p.SetControllerState(kStandbyState); }),
        Op("ResetController", retried, P::kResetControllerTimeoutMs,
           [](Port& p, Outputs&) { return p.ResetController(); }),
        Op("GetGeneralHealth", retried, P::kGeneralHealthTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetGeneralHealth(o.health); }),
        Op(
            "GetFanStatus", retried, P::kFanStatusTimeoutMs,
            [](Port& p, Outputs& o) { return p.GetFanStatus(o.fans); }, "QS1210"),
    };
}

std::vector<SweepOperation> SettingsOperations() {
    using P = RouterProtocol;
    const auto retried = FaultShape::Retried;
    return {
        Op("GetSerialCommParameters", retried, P::kCommParametersReadTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetSerialCommParameters(o.serial); }),
        WithPrepare(Op("SetSerialCommParameters", retried, P::kCommParametersWriteTimeoutMs,
                       [](Port& p, Outputs& o) { return p.SetSerialCommParameters(o.serial); }),
                    [](Port& p, Outputs& o) { p.GetSerialCommParameters(o.serial); }),
        Op("GetEthernetCommParameters", retried, P::kCommParametersReadTimeoutMs, ReadEthernet,
           "QR1209"),
        WithPrepare(Op("SetEthernetCommParameters", retried, P::kCommParametersWriteTimeoutMs,
                       WriteEthernet, "QR1209"),
                    ReadEthernet),
        Op("GetExpansionParameters", retried, P::kExpansionReadTimeoutMs, ReadExpansion, "QR1209"),
        WithPrepare(Op("SetExpansionParameters", retried, P::kExpansionWriteTimeoutMs,
                       WriteExpansion, "QR1209"),
                    ReadExpansion),
        Op("GetPartitionParameters", retried, P::kPartitionTimeoutMs,
           [](Port& p, Outputs& o) { return p.GetPartitionParameters(o.partition); }),
        WithPrepare(Op("SetPartitionParameters", retried, P::kPartitionTimeoutMs,
                       [](Port& p, Outputs& o) { return p.SetPartitionParameters(o.partition); }),
                    [](Port& p, Outputs& o) { p.GetPartitionParameters(o.partition); }),
    };
}

std::vector<SweepOperation> TableAndFlashOperations() {
    using P = RouterProtocol;
    return {
        Op(
            "GetDataRouterParameters", FaultShape::Unretried, P::kPortTypeReplyTimeoutMs,
            [](Port& p, Outputs& o) {
                return p.GetDataRouterParameters(o.flag, o.byte1, o.PortTypes());
            },
            "QR1208"),
        WithPrepare(
            Op(
                "SetDataRouterParameters", FaultShape::Retried, P::kPortTypeBlockTimeoutMs,
                [](Port& p, Outputs& o) {
                    return p.SetDataRouterParameters(o.flag, o.byte1, o.PortTypes());
                },
                "QR1208"),
            [](Port& p, Outputs& o) { p.GetDataRouterParameters(o.flag, o.byte1, o.PortTypes()); }),
        Op(
            "GetScrambleTable", FaultShape::Unretried, P::kScrambleReplyTimeoutMs,
            [](Port& p, Outputs& o) { return p.GetScrambleTable(o.scramble); }, "QS1210"),
        WithPrepare(
            Op(
                "SetScrambleTable", FaultShape::Retried, P::kScrambleBlockTimeoutMs,
                [](Port& p, Outputs& o) { return p.SetScrambleTable(o.scramble); }, "QS1210"),
            [](Port& p, Outputs& o) { p.GetScrambleTable(o.scramble); }),
        Op("EnterFlashWriteMode", FaultShape::Retried, P::kFlashWriteModeTimeoutMs,
           [](Port& p, Outputs&) { return p.EnterFlashWriteMode(kFlashComponent); }),
        WithPrepare(
            Op("SendFlashRecord", FaultShape::FlashRecord, P::kFlashRecordTimeoutMs,
               [](Port& p, Outputs&) { return p.SendFlashRecord(kFlashLine, kFlashComponent); }),
            EnterFlash),
        WithPrepare(Op("SendFlashRecordMessage", FaultShape::Retried, P::kFlashRecordTimeoutMs,
                       SendBuiltFlashRecord),
                    EnterFlash),
        WithPrepare(Op("ExitFlashDownloadMode", FaultShape::Retried, P::kExitFlashTimeoutMs,
                       [](Port& p, Outputs&) { return p.ExitFlashDownloadMode(kFlashComponent); }),
                    EnterFlash),
    };
}

}  // namespace

SweepOutputs::SweepOutputs()
    : sources(kStatusEntries + 2 * kGuardCells, kGuardWord),
      portTypes(kPortTypes + 2 * kGuardCells, kGuardByte) {}

std::span<int32_t> SweepOutputs::Sources(size_t count) {
    return std::span(sources).subspan(kGuardCells, count);
}

std::span<uint8_t> SweepOutputs::PortTypes() {
    return std::span(portTypes).subspan(kGuardCells, kPortTypes);
}

bool SweepOutputs::GuardsIntact() const {
    const auto sourceGuard = [](int32_t word) { return word == kGuardWord; };
    const auto typeGuard = [](uint8_t byte) { return byte == kGuardByte; };
    return std::all_of(sources.begin(), sources.begin() + kGuardCells, sourceGuard) &&
           std::all_of(sources.end() - kGuardCells, sources.end(), sourceGuard) &&
           std::all_of(portTypes.begin(), portTypes.begin() + kGuardCells, typeGuard) &&
           std::all_of(portTypes.end() - kGuardCells, portTypes.end(), typeGuard);
}

std::vector<SweepOperation> SweepOperations() {
    std::vector<SweepOperation> all;
    for (auto part : {CrosspointOperations(), IdentificationOperations(), SettingsOperations(),
                      TableAndFlashOperations()}) {
        std::move(part.begin(), part.end(), std::back_inserter(all));
    }
    // The operations of several requests or replies, once more with the fault on a later one.
    const auto later = [&all](const std::string& name, int requestsBefore, int reply) {
        SweepOperation op = *std::find_if(all.begin(), all.end(),
                                          [&](const SweepOperation& o) { return o.name == name; });
        op.name += requestsBefore > 0 ? ", second request" : ", second reply";
        op.requestsBeforeFault = requestsBefore;
        op.faultedReply = reply;
        // A read of several replies keeps what the replies before the fault brought.
        op.keepsOutputsOnFailure = op.keepsOutputsOnFailure && reply == 0;
        return op;
    };
    const std::vector<SweepOperation> laterFaults = {
        later("ExecuteTakeList", 1, 0),         later("GetCrosspointStatus", 1, 0),
        later("SetDataRouterParameters", 1, 0), later("SetScrambleTable", 1, 0),
        later("GetDataRouterParameters", 0, 1), later("GetScrambleTable", 0, 1),
        later("GetSoftwareVersions", 0, 1),
    };
    all.insert(all.end(), laterFaults.begin(), laterFaults.end());
    return all;
}

std::vector<SweepFault> SweepFaults() {
    std::vector<SweepFault> faults = {
        {"busy within the retries",
         {.kind = Kind::Busy, .times = RouterProtocol::kBusyRetries},
         false},
        {"busy past the retries",
         {.kind = Kind::Busy, .times = RouterProtocol::kBusyRetries + 1},
         false},
    };
    for (int code = 1; code <= kLastRefusalCode; ++code) {
        faults.push_back(
            {"refusal " + std::to_string(code), {.kind = Kind::Refuse, .param = code}, false});
    }
    const std::vector<SweepFault> rest = {
        {"sequence error", {.kind = Kind::SequenceError}, false},
        {"ascii error", {.kind = Kind::AsciiError}, false},
        {"bad checksum", {.kind = Kind::CorruptChecksum}, false},
        {"corrupt data byte", {.kind = Kind::CorruptDataByte}, false},
        {"wrong start byte", {.kind = Kind::WrongStartByte}, false},
        {"oversize length", {.kind = Kind::OversizeLength, .param = kOversizeInBuffer}, false},
        {"length past any frame",
         {.kind = Kind::OversizeLength, .param = kOversizeBeyondFrame},
         false},
        {"noise", {.kind = Kind::Noise, .param = kNoiseBytes}, false},
        {"unexpected reply", {.kind = Kind::UnexpectedReply}, false},
        {"unsolicited text", {.kind = Kind::UnsolicitedText, .text = "hello\r"}, false},
        {"vanishing before the reply", {.kind = Kind::Disappear}, false},
        {"vanishing mid-reply", {.kind = Kind::Disappear, .param = kBytesBeforeVanishing}, false},
        {"truncated body", {.kind = Kind::TruncatedBody, .param = 1}, true},
        {"silence", {.kind = Kind::Silence}, true},
        // The delay is set per operation, past its own time-out.
        {"delay past the time-out", {.kind = Kind::Delay}, true},
    };
    faults.insert(faults.end(), rest.begin(), rest.end());
    return faults;
}

bool ExpectSuccess(FaultShape shape, const zsim::SimFault& fault) {
    switch (FaultedAttempt(fault)) {
        case Attempt::Skipped:
            return true;
        case Attempt::LinkGone:
            return false;
        case Attempt::Busy:
            return BusyRescued(shape, fault.times);
        case Attempt::Fails:
            return shape == FaultShape::FlashRecord;
        case Attempt::FailsAsUnanswered:
            // The version summary stands in for records the card does not give.
            return shape == FaultShape::FlashRecord || shape == FaultShape::Versions;
    }
    return false;
}

uint32_t PauseBudgetMs(FaultShape shape, uint32_t baud) {
    using P = RouterProtocol;
    const uint32_t recovery = P::RecoveryPauseMs(baud);
    const auto transaction = [recovery](int retries, uint32_t retryPauseMs) {
        return static_cast<uint32_t>(retries) * retryPauseMs +
               static_cast<uint32_t>(retries + 1) * recovery;
    };
    switch (shape) {
        case FaultShape::Retried:
            return transaction(P::kBusyRetries, P::kRetryPauseMs);
        case FaultShape::Unretried:
            return transaction(0, 0);
        case FaultShape::FlashRecord:
            return 2 * transaction(P::kFlashRecordRetries, P::kFlashRecordRetryPauseMs);
        case FaultShape::Versions:
            return transaction(0, 0) + transaction(P::kBusyRetries, P::kRetryPauseMs);
    }
    return 0;
}

void FaultSweepTest::Sweep(bool waitingFaults, size_t shard, size_t shards) {
    const auto operations = SweepOperations();
    size_t faults = 0;
    size_t cell = 0;
    size_t cellsRun = 0;
    for (const SweepFault& fault : SweepFaults()) {
        if (fault.waitsOutTheTimeout != waitingFaults) {
            continue;
        }
        ++faults;
        for (const SweepOperation& operation : operations) {
            if (cell++ % shards == shard) {
                RunCell(operation, fault);
                ++cellsRun;
            }
        }
    }
    const std::string size = std::to_string(cellsRun) + " of " + std::to_string(operations.size()) +
                             " operations x " + std::to_string(faults) +
                             " faults = " + std::to_string(operations.size() * faults) + " cells";
    std::cout << "Fault sweep covered " << size << "\n";
    RecordProperty("covered", size);
}

void FaultSweepTest::RunCell(const SweepOperation& operation, const SweepFault& sweepFault) {
    const std::string cell = operation.name + " / " + sweepFault.name;
    StartRouter(operation.model);
    SweepOutputs outputs;
    if (operation.prepare) {
        operation.prepare(port, outputs);
    }
    ClearRecords();
    zsim::SimFault fault = sweepFault.fault;
    fault.skip = operation.requestsBeforeFault;
    fault.replyIndex = operation.faultedReply;
    if (fault.kind == Kind::Delay) {
        fault.param = static_cast<int>(operation.timeoutMs + kLateByMs);
    }
    InjectFault(fault);

    const SweepOutputs before = outputs;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = operation.run(port, outputs);
    const auto elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();

    EXPECT_EQ(ok, ExpectSuccess(operation.shape, fault)) << cell;
    // At most the faulted wait and the wait of the request sent again after it.
    EXPECT_LE(elapsedMs, 2 * operation.timeoutMs + kLineSlackMs) << cell;
    const auto& sleeps = clock.Sleeps();
    EXPECT_LE(std::accumulate(sleeps.begin(), sleeps.end(), uint32_t{0}),
              PauseBudgetMs(operation.shape, kBaud))
        << cell;
    EXPECT_LE(ui.Messages().size(), ok ? 0u : static_cast<size_t>(operation.boxesPerFailure))
        << cell;
    EXPECT_TRUE(outputs.GuardsIntact()) << cell;
    EXPECT_TRUE(ok || !operation.keepsOutputsOnFailure || outputs == before) << cell;

    if (fault.kind == Kind::Disappear) {
        EXPECT_FALSE(port.IsOpen()) << cell;
        StartRouter(operation.model);
    }
    if (!ok) {
        // The injected clock skipped the recovery pause in which the router sends the rest
        // of an answer of several replies; on a busy machine that rest could arrive after
        // the drain and be taken for the next run's reply.
        std::this_thread::sleep_for(std::chrono::milliseconds(kRestOfAnswerMs));
    }
    if (fault.kind == Kind::Delay && elapsedMs < fault.param) {
        // The router is healthy again once its late reply is out; the next run drains it.
        std::this_thread::sleep_for(std::chrono::milliseconds(fault.param - elapsedMs + kSettleMs));
    }
    ExpectHealthyRun(operation, cell);
}

void FaultSweepTest::ExpectHealthyRun(const SweepOperation& operation, const std::string& cell) {
    simulator.Router().ClearFaults();  // busy answers an unretried read left unused
    SweepOutputs outputs;
    if (operation.prepare) {
        operation.prepare(port, outputs);
    }
    ui.ClearMessages();
    EXPECT_TRUE(operation.run(port, outputs)) << cell << ": the next run failed";
    EXPECT_EQ(Boxes(), std::vector<std::string>{}) << cell << ": the next run";
}

}  // namespace zerandi::test
