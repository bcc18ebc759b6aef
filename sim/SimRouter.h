#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "FaultInjector.h"
#include "FrameParser.h"
#include "RouterState.h"
#include "SimFault.h"
#include "WireAction.h"

namespace zsim {

// The router's control card as a protocol engine without I/O: bytes from the client go in,
// what the card does on the wire comes out. Safe to use from several threads.
class SimRouter {
public:
    // A ready router of the model; an unknown name gives the default model (see HasModel).
    explicit SimRouter(const std::string& model = kDefaultModel);

    static constexpr const char* kDefaultModel = "QR1206";
    static std::vector<std::string> ModelNames();
    static bool HasModel(const std::string& model);

    // Changes the state under the lock; vectors sized by the model follow the new counts.
    void Update(const std::function<void(RouterState&)>& change);
    RouterState Snapshot() const;

    void InjectFault(const SimFault& fault);
    void ClearFaults();

    // Every complete request with a valid checksum, whole frames, in the order received.
    std::vector<std::vector<uint8_t>> ReceivedFrames() const;
    void ClearReceivedFrames();

    // Takes bytes from the wire and answers every request they complete, in order.
    std::vector<WireAction> Feed(std::span<const uint8_t> bytes);
    // A request begun but not finished; the line server drops it after a silence.
    bool HasPartialRequest() const;
    void DiscardPartialRequest();

    // Unsolicited text frames (0x7E) as the card sends them.
    static std::vector<uint8_t> TextMessage(const std::string& text);
    // All bytes the actions send, in order (pauses and closing left out).
    static std::vector<uint8_t> SentBytes(const std::vector<WireAction>& actions);

private:
    std::vector<WireAction> Answer(const FrameParser::Parsed& parsed);

    mutable std::mutex mutex_;
    RouterState state_;
    FrameParser parser_;
    FaultInjector faults_;
    std::vector<std::vector<uint8_t>> received_;
};

}  // namespace zsim
