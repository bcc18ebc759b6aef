#pragma once

#include <cstddef>
#include <vector>

#include "porttypes/PortType.h"

namespace zerandi {

class RouterConfigDoc;

// A data router's port types as they are read and written: one type a port, the reverse
// choice and the take delay in fields.
struct PortTypesTable {
    std::vector<PortType> types;
    bool reverse = false;
    int takeDelay = 0;

    bool operator==(const PortTypesTable&) const = default;
};

// Reads and writes the port types of the data router in the document. The exchange with
// the router runs in the busy state; a failure is told after it.
class PortTypesTransfer {
public:
    explicit PortTypesTransfer(RouterConfigDoc& doc);

    // One port for each input of the router's model, at most as many as a ".prt" file holds.
    size_t PortCount() const;

    // Fills `table` with the router's; on failure it keeps what it held.
    bool Read(PortTypesTable& table);
    // Sends the table, then waits while the router stores it. An extended card has no
    // reverse setting, and only the low byte of the take delay goes out. A code no port type
    // has goes out as 0 unless `keepUnknownCodes` (a restore puts back what the router held).
    bool Write(const PortTypesTable& table, bool keepUnknownCodes = false);

private:
    RouterConfigDoc& doc_;
};

}  // namespace zerandi
