#pragma once

#include <cstdint>

namespace zerandi {

// The router's serial control port settings as the configuration view edits them.
// A read fills every field but secondBaudIndex, secondReplyWhen and value6, which the
// view carries through from what it holds.
struct SerialCommParameters {
    bool mainPortEnabled = false;
    uint8_t protocolIndex = 0;
    uint8_t baudIndex = 0;
    uint8_t replyWhen = 0;
    uint8_t value3 = 0;
    bool auxiliaryPortEnabled = false;
    uint8_t secondBaudIndex = 0;
    uint8_t secondReplyWhen = 0;
    uint8_t value6 = 0;
    uint8_t rearDiagnosticPortType = 0;

    bool operator==(const SerialCommParameters&) const = default;
};

}  // namespace zerandi
