#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "config/ConfigFormValues.h"
#include "config/ConfigWriteSequence.h"
#include "protocol/EthernetEntry.h"
#include "protocol/ExpansionSettings.h"
#include "protocol/PartitionParameters.h"
#include "protocol/RouterLevel.h"

namespace zerandi {

class RouterConfigDoc;
struct ConfigViewSettings;
struct RouterBackup;

// The router's configuration as "Read All" reads it and "Write All" writes it. Indices are the
// numbers the router carries (the configuration view's list positions).
struct BackupConfiguration {
    using Levels = std::array<RouterLevel, PartitionParameters::kMaxLevels>;

    int32_t startupMode = 0;  // 0 default source, 1 last known state
    bool scrambleMapEnabled = false;
    int32_t cardAddress = 0;
    // Serial parameters.
    int32_t baudIndex = 0;
    int32_t replyWhenIndex = 0;  // 0 active only, 1 always
    int32_t rearDiagIndex = 0;   // 0 RS485, 1 RS232
    int32_t serialExtra1 = 0;    // carried through unchanged
    bool mainPortEnabled = false;
    bool auxPortEnabled = false;
    // Nothing when the control card has no such settings (not an extended card, or it refuses
    // the commands).
    std::optional<std::vector<EthernetEntry>> ethernet;
    std::optional<ExpansionSettings> expansion;
    // The partition's levels, every row as the document holds it; the first levelCount are in
    // use.
    int32_t levelCount = 0;
    Levels levels{};

    bool operator==(const BackupConfiguration&) const = default;
};

// The configuration a complete "Read All" left in the document and the view's settings.
BackupConfiguration ConfigurationFromReadAll(const RouterConfigDoc& doc,
                                             const ConfigViewSettings& settings);

// Makes "Write All" write the backup's configuration: sets the document's protocol and levels
// and the settings from the backup, and returns the form values to run ConfigWriteSequence
// with. The document must already know the router being written (its product id and control
// card, from a "Read All" of it). Only the first Ethernet entry is written, as "Write All"
// does; Ethernet control is switched on only under the QR serial protocol, as the view offers.
ConfigFormValues PrepareWriteAll(const RouterBackup& backup, RouterConfigDoc& doc,
                                 ConfigViewSettings& settings);

// The settings a restore of `backup` must write to a router that holds `router`: those that
// differ, as "Write All" groups them. The protocol is written with the serial settings; only
// the first Ethernet entry is written; rows beyond the levels in use are not compared.
ConfigWriteSteps ConfigurationStepsToWrite(const RouterBackup& router, const RouterBackup& backup);

// "partition, serial settings": the steps for people.
QString ConfigWriteStepsText(const ConfigWriteSteps& steps);

}  // namespace zerandi
