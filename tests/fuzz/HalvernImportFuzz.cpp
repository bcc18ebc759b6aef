// A Halvern configuration file to import: every entry whose bytes the file holds is taken
// whole, the others keep what they had, and what is taken fits a scramble entry and a
// ".scr" file.
#include "FuzzCheck.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMapFile.h"

using namespace zerandi;

namespace {

constexpr uint32_t kUntouchedAddress = 0x10000;  // wider than any word in the file
const QString kUntouched = QStringLiteral("a description longer than twenty characters");
constexpr qsizetype kDescriptionChars = 20;

void Mark(ScrambleMap::Table& table) {
    for (ScrambleEntry& entry : table) {
        entry = {kUntouchedAddress, kUntouchedAddress, kUntouched};
    }
}

// Entries past the last one the file reaches are untouched; taken fields are in range.
void RequireTable(const ScrambleMap::Table& table, bool wholeFile) {
    bool untouchedSeen = false;
    for (const ScrambleEntry& entry : table) {
        const bool taken = entry.a1a2 != kUntouchedAddress;
        Require(!taken || !untouchedSeen);
        untouchedSeen = untouchedSeen || !taken;
        Require(!wholeFile || taken);
        Require(entry.a1a2 <= kUntouchedAddress && entry.a3a4 <= kUntouchedAddress);
        if (entry.description != kUntouched) {
            Require(taken && entry.a3a4 != kUntouchedAddress);
            Require(entry.description.size() <= kDescriptionChars);
            for (const QChar c : entry.description) {
                Require(c.isPrint() && c != ScrambleMapFile::kDescriptionQuote);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScrambleMap map = ScrambleMap::ForRouter(16, 16);
    Mark(map.inputs);
    Mark(map.outputs);
    const bool whole = HalvernImport::Decode(FuzzBytes(data, size), map);
    Require(whole == (size >= static_cast<size_t>(HalvernImport::kFileBytes)));
    RequireTable(map.inputs, whole);
    RequireTable(map.outputs, whole);
    Require(map.inputCount == 16 && map.outputCount == 16);
    return 0;
}
