#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "protocol/ScrambleTableWords.h"

namespace zerandi {

// One controller address and the up to two physical addresses it maps to.
struct ScrambleEntry {
    static constexpr uint32_t kNoAddress = 0xFFFF;  // the entry has no such address
    // The router keeps each address in one table word.
    static constexpr uint32_t kMaxAddress =
        std::numeric_limits<ScrambleTableWords::value_type>::max();

    uint32_t a1a2 = kNoAddress;
    uint32_t a3a4 = kNoAddress;
    QString description;

    bool operator==(const ScrambleEntry&) const = default;
};

// Where the first level's controller addresses start: a row's displayed address is its
// index plus the start of its table.
struct ControllerStarts {
    int32_t input = 0;
    int32_t output = 0;
};

// The router's scramble map: a table of controller inputs and one of controller outputs,
// 256 entries each; descriptions stay on this side and never go to the router.
struct ScrambleMap {
    static constexpr size_t kEntries = kScrambleBankEntries;
    using Table = std::array<ScrambleEntry, kEntries>;

    uint32_t inputCount = 0;   // controller inputs in use
    uint32_t outputCount = 0;  // controller outputs in use
    Table inputs{};
    Table outputs{};
    uint32_t tableSize = 0;

    // The default map of a router with these many inputs and outputs.
    static ScrambleMap ForRouter(int32_t inputs, int32_t outputs);

    // Entries in use map to their own number (A1A2 = index + 1); the rest map to nothing.
    // The counts stay.
    void ResetToDefaults();

    // The router's copy: input A1A2, input A3A4, output A1A2, output A3A4.
    ScrambleTableWords ToTableWords() const;
    // Takes what the router sent; a word equal to what this side would have sent leaves
    // the entry as it is, so entries the router did not send keep their values.
    void TakeTableWords(const ScrambleTableWords& words);

    // The first output other than `except` whose A1A2 or A3A4 is `address`.
    std::optional<size_t> FindOutputUsing(uint32_t address, size_t except) const;
    // Why the output at `index` may not take these addresses, or nothing when it may.
    std::optional<QString> CheckOutputEdit(size_t index, uint32_t a1a2, uint32_t a3a4,
                                           const ControllerStarts& starts) const;
};

// Whether a description keeps this character through a ".scr" file: the file is Latin-1,
// one line an entry, and a double quote ends the description.
bool ScrambleDescriptionHolds(QChar c);

// A list cell: "\t--" for no address, otherwise "\t" and the number.
QString AddressCell(uint32_t address);
// A list row: "\t", the displayed address, both cells, "\t" and the description.
QString ScrambleRowText(int64_t displayedAddress, const ScrambleEntry& entry);

}  // namespace zerandi
