// A frame from the wire into every reply decoder. The first bytes choose the request the
// reply is taken to answer and the sizes of the tables it fills; the rest is the frame.
#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "protocol/ReplyDecoders.h"

using namespace zerandi;

namespace {

constexpr size_t kParameterBytes = 7;
constexpr size_t kGuard = 16;  // sentinel cells either side of each table
constexpr int32_t kTableSentinel = -7;
constexpr uint8_t kPortSentinel = 0xA5;

struct Request {
    uint16_t start = 0;
    uint16_t count = 0;
    int first = 0;
    size_t tableSize = 0;
    size_t portTableSize = 0;
};

// Everything the decoders return and write, to tell two runs apart.
struct Outputs {
    std::vector<CommResult> results;
    uint8_t makerCode = 0, productId = 0, cardAddress = 0;
    ControlCardInfo card;
    std::vector<SoftwareVersion> versions, summary;
    std::vector<int32_t> crosspoints;
    bool portFlag = false, tooManyInputs = false;
    uint8_t portValue = 0;
    std::vector<uint8_t> portTypes;
    ScrambleTableWords scramble{};
    PartitionParameters partition;
    SerialCommParameters serial;
    std::vector<EthernetEntry> ethernet;
    ExpansionSettings expansion;
    GeneralHealthStatus health;
    std::vector<uint8_t> fans;
    bool operator==(const Outputs&) const = default;
};

template <typename T>
std::span<T> Inner(std::vector<T>& withGuards, size_t size) {
    return std::span<T>(withGuards).subspan(kGuard, size);
}

template <typename T>
bool GuardsKept(const std::vector<T>& withGuards, T sentinel) {
    const auto kept = [sentinel](T cell) { return cell == sentinel; };
    return std::all_of(withGuards.begin(), withGuards.begin() + kGuard, kept) &&
           std::all_of(withGuards.end() - kGuard, withGuards.end(), kept);
}

// Runs every decoder; checks the bounds that hold whatever the frame says.
Outputs DecodeAll(const RouterMessage& reply, const Request& request) {
    Outputs out;
    const auto record = [&out](CommResult result) {
        out.results.push_back(result);
        return result == CommResult::Success;
    };
    record(DecodeProductId(reply, out.makerCode, out.productId));
    record(DecodeControlCardInfo(reply, out.card));
    record(DecodeCardAddress(reply, out.cardAddress));
    if (!record(DecodeVersionRecords(reply, out.versions))) {
        Require(out.versions.empty());
    }
    Require(out.versions.size() <= reply.Length());
    record(DecodeVersionSummary(reply, out.summary));
    Require(out.summary.size() <= reply.Length());
    record(CheckTakeEcho(reply, reply.Byte(7), request.start, request.count));

    std::vector<int32_t> table(request.tableSize + 2 * kGuard, kTableSentinel);
    const bool blockRead = record(DecodeCrosspointBlock(
        reply, request.start, request.count, request.first, Inner(table, request.tableSize)));
    Require(GuardsKept(table, kTableSentinel));
    const auto written = std::count_if(table.begin(), table.end(),
                                       [](int32_t cell) { return cell != kTableSentinel; });
    Require(blockRead ? written <= request.count : written == 0);
    out.crosspoints = table;

    std::vector<uint8_t> ports(request.portTableSize + 2 * kGuard, kPortSentinel);
    if (!record(DecodePortTypeBlock(reply, out.portFlag, out.portValue,
                                    Inner(ports, request.portTableSize), out.tooManyInputs))) {
        Require(!out.portFlag && out.portValue == 0 && !out.tooManyInputs);
    }
    Require(GuardsKept(ports, kPortSentinel));
    out.portTypes = ports;

    record(DecodeScrambleBlock(reply, out.scramble));
    record(DecodePartitionParameters(reply, out.partition));
    Require(out.partition.levelCount >= 0 &&
            out.partition.levelCount <= PartitionParameters::kMaxLevels);
    record(DecodeSerialCommParameters(reply, out.serial));
    if (!record(DecodeEthernetEntries(reply, out.ethernet))) {
        Require(out.ethernet.empty());
    }
    Require(out.ethernet.size() <= 2);
    record(DecodeExpansionSettings(reply, out.expansion));
    record(DecodeGeneralHealth(reply, out.health));
    if (!record(DecodeFanStatus(reply, out.fans))) {
        Require(out.fans.empty());
    }
    Require(out.fans.size() <= reply.Length());
    return out;
}

// Outputs a failed decode must have left as they were.
void RequireUntouchedOnFailure(const Outputs& out) {
    const Outputs fresh;
    const auto failed = [&out](size_t index) { return out.results[index] != CommResult::Success; };
    Require(!failed(0) || (out.makerCode == 0 && out.productId == 0));
    Require(!failed(1) || out.card == fresh.card);
    Require(!failed(2) || out.cardAddress == 0);
    Require(!failed(4) || out.summary.empty());
    Require(!failed(8) || out.scramble == fresh.scramble);
    Require(!failed(9) || out.partition == fresh.partition);
    Require(!failed(10) || out.serial == fresh.serial);
    Require(!failed(12) || out.expansion == fresh.expansion);
    Require(!failed(13) || out.health == fresh.health);
}

// The same frame with other bytes after it in the buffer.
RouterMessage WithTail(std::span<const uint8_t> frame, uint8_t tail) {
    RouterMessage message = RouterMessage::FromBytes(frame);
    const auto buffer = message.Buffer();
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(message.FrameSize()), buffer.end(),
              tail);
    return message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kParameterBytes) {
        return 0;
    }
    Request request;
    request.start = static_cast<uint16_t>(data[0] << 8 | data[1]);
    request.count = data[2];
    request.first = static_cast<int>(data[3]) << 4;
    request.tableSize = static_cast<size_t>(data[4]) << 2;
    request.portTableSize = data[5];
    const std::span<const uint8_t> bytes(data + kParameterBytes, size - kParameterBytes);

    const RouterMessage message = RouterMessage::FromBytes(bytes);
    Require(message.FrameSize() <= RouterMessage::kCapacity);
    Require(message.Frame().size() == message.FrameSize());
    const size_t copied = std::min(bytes.size(), RouterMessage::kCapacity);
    Require(std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(copied),
                       message.Buffer().begin()));

    const auto frame = message.Frame();
    const Outputs zeros = DecodeAll(WithTail(frame, 0x00), request);
    RequireUntouchedOnFailure(zeros);
    // A decoder that read past the frame would tell these two apart.
    Require(DecodeAll(WithTail(frame, 0xFF), request) == zeros);
    return 0;
}
