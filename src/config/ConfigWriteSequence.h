#pragma once

#include <QString>
#include <cstdint>

namespace zerandi {

class RouterConfigDoc;
class RouterDiagnosticCommPort;
struct ConfigFormValues;
struct PartitionParameters;
struct ConfigViewSettings;

// The settings a configuration write sends; "Write All" sends them all.
struct ConfigWriteSteps {
    bool partition = true;
    bool cardAddress = true;
    bool serial = true;
    bool ethernet = true;   // on an extended control card only
    bool expansion = true;  // likewise

    bool Any() const { return partition || cardAddress || serial || ethernet || expansion; }
    bool operator==(const ConfigWriteSteps&) const = default;
};

// "Write All": writes the partition, the card address, the serial parameters and, on an
// extended control card, the Ethernet and expansion settings, stopping at the first step
// that fails. Steps already written are not undone.
class ConfigWriteSequence {
public:
    // The router's second extra serial value is never read back: it is always written as 0.
    static constexpr uint8_t kSerialExtra2 = 0;
    // Sent as the rear diagnostic port type when the model has no choice: RS232.
    static constexpr int32_t kFixedRearDiagIndex = 1;

    // Only the settings of `steps` are sent: a restore leaves alone what the router already
    // holds.
    ConfigWriteSequence(RouterConfigDoc& doc, ConfigViewSettings& settings,
                        const ConfigFormValues& form, ConfigWriteSteps steps = {});

    bool Run();

private:
    bool WritePartition();
    void SpanModelWithFirstLevel(PartitionParameters& params) const;
    bool WriteCardAddress();
    bool WriteSerialParameters();
    bool WriteEthernet();
    bool WriteExpansion();
    void Warn(const QString& text);

    RouterConfigDoc& doc_;
    RouterDiagnosticCommPort& port_;
    ConfigViewSettings& settings_;
    const ConfigFormValues& form_;
    ConfigWriteSteps steps_;
};

}  // namespace zerandi
