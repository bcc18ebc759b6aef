#pragma once

#include <QStringList>
#include <cstdint>
#include <vector>

#include "protocol/EthernetEntry.h"
#include "protocol/ExpansionSettings.h"
#include "protocol/SoftwareVersion.h"

namespace zerandi {

// What the configuration view holds of the router besides the document: filled by
// "Read All", shown by the view, and written back by "Write All". -1 means no selection.
struct ConfigViewSettings {
    int32_t cardAddress = 0;
    QStringList softwareVersions;
    std::vector<SoftwareVersion> versionRecords;  // what the lines above show
    int32_t baudIndex = -1;
    int32_t rearDiagIndex = -1;   // 0 "RS485", 1 "RS232"
    int32_t replyWhenIndex = -1;  // 0 "active only", 1 "always"
    int32_t serialExtra1 = 0;     // carried through unchanged
    bool mainPortEnabled = false;
    bool auxPortEnabled = false;
    bool ethernetSupported = true;   // cleared for good once the router refuses Ethernet
    bool expansionSupported = true;  // likewise for the expansion commands
    int32_t startupMode = -1;        // 0 "Default Source", 1 "Last known state"
    ExpansionSettings expansion;
    std::vector<EthernetEntry> ethernetEntries;
    // Set only when the last "Read All" got through to the partition: a read that stopped
    // half way leaves defaults in the form that must not be written over the router's own.
    bool readComplete = false;
};

}  // namespace zerandi
