#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

#include "scramble/ScrambleMap.h"

namespace zerandi {

// What the text of a ".scr" file holds before it goes to a router: how many input and
// output entries, so that a file written for a smaller router is not taken for a whole map.
class ScrambleMapFileCheck {
public:
    struct Held {
        uint32_t inputs = 0;
        uint32_t outputs = 0;
    };

    // The entries the file's text holds; nothing when it is not a scramble map file.
    static std::optional<Held> EntriesHeld(const QByteArray& text);
    // Whether the file holds an entry for every input and output the map uses.
    static bool Covers(const Held& held, const ScrambleMap& map);
    // Loads the text over the map's defaults as a file is loaded: the entries the file does
    // not hold keep their defaults.
    static bool Load(const QByteArray& text, ScrambleMap& map);
};

}  // namespace zerandi
