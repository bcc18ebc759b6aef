#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace zerandi {

struct RouterModelName {
    int32_t productId;
    const char* name;
};

// Sizes of the models that have them; the other named models count 0 everywhere.
struct RouterModel {
    int32_t productId;
    int32_t inputs;
    int32_t outputs;
    int32_t monitorOutputs;
    int32_t powerSupplies;
};

// The reference inputs a model's control card reports on; a model without a row has the two
// vertical references and nothing else.
struct RouterModelReferences {
    int32_t productId = 0;
    bool verticalRefs = true;
    bool verticalRefSelect = false;  // reports which vertical reference is selected
    bool videoDetect = false;
    int32_t aesRefs = 0;
    bool aesRefSelect = false;  // reports which AES reference is selected
    bool clockGenerator = false;
    bool twelveMHzClock = false;
};

// The models "Set Router Type" offers, in menu order.
std::span<const uint8_t> SettableRouterTypes();

// Every named model, in table order.
std::span<const RouterModelName> RouterModelNames();

QString ModelName(int32_t productId);  // "unknown" when not in the table
int32_t ModelInputCount(int32_t productId);
int32_t ModelOutputCount(int32_t productId);
int32_t ModelMonitorCount(int32_t productId);
int32_t ModelPowerSupplyCount(int32_t productId);

bool IsDataRouter(int32_t productId);
bool SupportsTriState(int32_t productId);
// Whether a source number means "output disconnected" on this model.
bool IsTriStateSource(int32_t source, int32_t productId);
bool HasSelectableRearDiag(int32_t productId);
bool SupportsSignalType(int32_t productId, int32_t signalType);

RouterModelReferences ModelReferences(int32_t productId);
bool HasPld0Download(int32_t productId);

}  // namespace zerandi
