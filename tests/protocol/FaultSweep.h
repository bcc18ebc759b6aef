#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "protocol/FacadeFixture.h"
#include "protocol/RouterDiagnosticCommPort.h"

namespace zerandi::test {

// How an operation's transactions meet one fault on its first request.
enum class FaultShape {
    Retried,      // one transaction at a time, busy refusals retried kBusyRetries times
    Unretried,    // a multi-reply read: any refusal ends it
    FlashRecord,  // many busy retries, then the record is sent once more in the other variant
    Versions,     // unretried records, then the summary when the records gave nothing usable
};

// What the operation writes, inside guard cells that no operation owns.
struct SweepOutputs {
    static constexpr int32_t kGuardWord = -7777;
    static constexpr uint8_t kGuardByte = 0xA5;
    static constexpr size_t kGuardCells = 4;
    static constexpr size_t kStatusEntries = 80;
    static constexpr size_t kPortTypes = 256;  // two blocks of port types

    SweepOutputs();
    std::span<int32_t> Sources(size_t count);
    std::span<uint8_t> PortTypes();
    // True while every guard cell still holds its sentinel.
    bool GuardsIntact() const;
    bool operator==(const SweepOutputs&) const = default;

    std::vector<int32_t> sources;
    std::vector<uint8_t> portTypes;
    std::vector<RouterDiagnosticCommPort::TakePair> takeList{{3, 1}, {4, 2}};
    uint8_t byte1 = kGuardByte;
    uint8_t byte2 = kGuardByte;
    bool flag = false;
    ControlCardInfo card{};
    std::vector<SoftwareVersion> versions;
    SerialCommParameters serial{};
    std::vector<EthernetEntry> ethernet;
    ExpansionSettings expansion{};
    PartitionParameters partition{};
    GeneralHealthStatus health{};
    std::vector<uint8_t> fans;
    ScrambleTableWords scramble{};
};

struct SweepOperation {
    std::string name;
    std::string model;
    FaultShape shape;
    uint32_t timeoutMs;  // the reply time-out of the faulted request
    // Reads what a write sends back unchanged; runs on the healthy router before the fault.
    std::function<void(RouterDiagnosticCommPort&, SweepOutputs&)> prepare;
    std::function<bool(RouterDiagnosticCommPort&, SweepOutputs&)> run;
    int boxesPerFailure = 1;            // the take list adds its own box naming the failed take
    bool keepsOutputsOnFailure = true;  // a status read marks its entries unread instead
    // Where the fault strikes: after this many untouched requests, on this frame of the answer.
    int requestsBeforeFault = 0;
    int faultedReply = 0;
};

struct SweepFault {
    std::string name;
    zsim::SimFault fault;
    bool waitsOutTheTimeout;  // costs a real time-out on the line
};

// Every operation the views run through the facade, and every fault the simulator injects.
std::vector<SweepOperation> SweepOperations();
std::vector<SweepFault> SweepFaults();

// The transaction rules: whether the operation succeeds with this fault on its first request.
bool ExpectSuccess(FaultShape shape, const zsim::SimFault& fault);
// The most the injected clock may pause for one operation under one fault.
uint32_t PauseBudgetMs(FaultShape shape, uint32_t baud);

// Runs every operation under every fault (those that wait out a time-out, or the others) on
// a fresh simulated router, and after each the same operation on the healthy router. The
// cells can be dealt out to `shards` runs: this one runs every cell whose number modulo
// `shards` is `shard`.
class FaultSweepTest : public FacadeFixture {
protected:
    void Sweep(bool waitingFaults, size_t shard = 0, size_t shards = 1);

private:
    void RunCell(const SweepOperation& operation, const SweepFault& sweepFault);
    void ExpectHealthyRun(const SweepOperation& operation, const std::string& cell);
};

}  // namespace zerandi::test
