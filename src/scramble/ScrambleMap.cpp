#include "scramble/ScrambleMap.h"

#include <algorithm>

#include "scramble/ScrambleMapFile.h"

namespace zerandi {

namespace {

constexpr size_t kInputA = 0;
constexpr size_t kInputB = 1;
constexpr size_t kOutputA = 2;
constexpr size_t kOutputB = 3;

void ResetTable(ScrambleMap::Table& table, uint32_t count) {
    for (size_t k = 0; k < table.size(); ++k) {
        table[k] = ScrambleEntry{};
        if (k < count) {
            table[k].a1a2 = static_cast<uint32_t>(k + 1);
        }
    }
}

uint16_t Word(uint32_t address) {
    return static_cast<uint16_t>(address & 0xFFFF);
}

void TakeWord(uint32_t& address, uint16_t word) {
    if (word != Word(address)) {
        address = word;
    }
}

size_t At(size_t table, size_t index) {
    return table * kScrambleBankEntries + index;
}

QString DuplicateText(uint32_t address, int64_t usedBy) {
    return QStringLiteral("Output %1 used in controller output: %2\nDuplicates not allowed.")
        .arg(address)
        .arg(usedBy);
}

}  // namespace

ScrambleMap ScrambleMap::ForRouter(int32_t inputs, int32_t outputs) {
    const auto tableCount = [](int32_t count) {
        return static_cast<uint32_t>(std::clamp<int32_t>(count, 0, kEntries));
    };
    ScrambleMap map;
    map.tableSize = kEntries;
    map.inputCount = tableCount(inputs);
    map.outputCount = tableCount(outputs);
    map.ResetToDefaults();
    return map;
}

void ScrambleMap::ResetToDefaults() {
    ResetTable(inputs, inputCount);
    ResetTable(outputs, outputCount);
}

ScrambleTableWords ScrambleMap::ToTableWords() const {
    ScrambleTableWords words{};
    for (size_t k = 0; k < kEntries; ++k) {
        words[At(kInputA, k)] = Word(inputs[k].a1a2);
        words[At(kInputB, k)] = Word(inputs[k].a3a4);
        words[At(kOutputA, k)] = Word(outputs[k].a1a2);
        words[At(kOutputB, k)] = Word(outputs[k].a3a4);
    }
    return words;
}

void ScrambleMap::TakeTableWords(const ScrambleTableWords& words) {
    for (size_t k = 0; k < kEntries; ++k) {
        TakeWord(inputs[k].a1a2, words[At(kInputA, k)]);
        TakeWord(inputs[k].a3a4, words[At(kInputB, k)]);
        TakeWord(outputs[k].a1a2, words[At(kOutputA, k)]);
        TakeWord(outputs[k].a3a4, words[At(kOutputB, k)]);
    }
}

std::optional<size_t> ScrambleMap::FindOutputUsing(uint32_t address, size_t except) const {
    for (size_t d = 0; d < std::min<size_t>(tableSize, kEntries); ++d) {
        if (d != except && (outputs[d].a1a2 == address || outputs[d].a3a4 == address)) {
            return d;
        }
    }
    return std::nullopt;
}

std::optional<QString> ScrambleMap::CheckOutputEdit(size_t index, uint32_t a1a2, uint32_t a3a4,
                                                    const ControllerStarts& starts) const {
    if (a1a2 != ScrambleEntry::kNoAddress && a3a4 == a1a2) {
        return QStringLiteral("A1A2 and A3A4 values can not be equal.");
    }
    for (const uint32_t address : {a1a2, a3a4}) {
        if (address == ScrambleEntry::kNoAddress) {
            continue;
        }
        if (const std::optional<size_t> used = FindOutputUsing(address, index)) {
            // Named as the output list shows it.
            return DuplicateText(address, starts.output + static_cast<int64_t>(*used));
        }
    }
    return std::nullopt;
}

bool ScrambleDescriptionHolds(QChar c) {
    return c.unicode() <= std::numeric_limits<uint8_t>::max() && c.isPrint() &&
           c != ScrambleMapFile::kDescriptionQuote;
}

QString AddressCell(uint32_t address) {
    return address == ScrambleEntry::kNoAddress ? QStringLiteral("\t--")
                                                : QStringLiteral("\t%1").arg(address);
}

QString ScrambleRowText(int64_t displayedAddress, const ScrambleEntry& entry) {
    return QStringLiteral("\t%1").arg(displayedAddress) + AddressCell(entry.a1a2) +
           AddressCell(entry.a3a4) + QStringLiteral("\t") + entry.description;
}

}  // namespace zerandi
