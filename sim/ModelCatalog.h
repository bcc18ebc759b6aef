#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zsim {

// A router model as the simulator builds it: identity, size and the defaults that vary by
// model (control card, scramble map, signal types of its levels).
struct SimModel {
    const char* name;
    uint8_t productId;
    uint16_t inputs;
    uint16_t outputs;
    uint16_t monitorOutputs;
    uint8_t powerSupplies;
    uint16_t cardPartNumber;
    bool scrambleEnabled;
    uint8_t signalTypeA;  // signal type of the odd levels
    uint8_t signalTypeB;  // and of the even ones
};

std::span<const SimModel> AllModels();
// nullptr when no model has that name.
const SimModel* FindModel(const std::string& name);

bool IsExtendedCard(uint16_t partNumber);
bool IsDataRouterId(uint8_t productId);
bool SupportsTriStateId(uint8_t productId);

}  // namespace zsim
