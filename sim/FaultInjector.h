#pragma once

#include <optional>
#include <random>
#include <vector>

#include "Replies.h"
#include "SimFault.h"
#include "WireAction.h"

namespace zsim {

// Holds the faults waiting for their requests and turns an answer into what goes on the
// wire, misbehaving as the matched fault says.
class FaultInjector {
public:
    void Add(const SimFault& fault);
    void Clear() { faults_.clear(); }
    // The first waiting fault that matches the request, counted as used once.
    std::optional<SimFault> Take(const Request& request);
    // True when the fault replaces the whole answer, so the request must not take effect.
    static bool SuppressesRequest(const SimFault& fault);
    std::vector<WireAction> Apply(const std::optional<SimFault>& fault, const Request& request,
                                  Frames frames);

private:
    static bool Matches(const SimFault& fault, const Request& request);
    std::vector<uint8_t> NoiseBytes(int count);
    std::vector<uint8_t> Interjection(const SimFault& fault, const Request& request);

    std::vector<SimFault> faults_;
    std::mt19937 random_{kNoiseSeed};
    static constexpr unsigned kNoiseSeed = 20240611;
};

}  // namespace zsim
