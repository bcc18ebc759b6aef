// A ".scr" file a user loads: no table takes more than its 256 entries, the entries read
// are the first ones of each table, and a file that parses is written and read back alike.
#include <QTextStream>

#include "FuzzCheck.h"
#include "scramble/ScrambleMapFile.h"
#include "services/VersionInfo.h"

using namespace zerandi;

namespace {

// A description no file line can give: parsed descriptions never hold a double quote.
const QString kUntouched = QStringLiteral("\"untouched\"");

template <typename Change>
void ForEachEntry(ScrambleMap& map, Change change) {
    for (auto* table : {&map.inputs, &map.outputs}) {
        for (ScrambleEntry& entry : *table) {
            change(entry);
        }
    }
}

// Built once: each run starts from a copy.
const ScrambleMap& MarkedMap() {
    static const ScrambleMap marked = [] {
        ScrambleMap map = ScrambleMap::ForRouter(16, 16);
        ForEachEntry(map, [](ScrambleEntry& entry) { entry.description = kUntouched; });
        return map;
    }();
    return marked;
}

// The entries a parse wrote form a prefix of the table.
void RequireReadPrefix(const ScrambleMap::Table& table) {
    bool untouchedSeen = false;
    for (const ScrambleEntry& entry : table) {
        const bool untouched = entry.description == kUntouched;
        Require(untouched || !untouchedSeen);
        untouchedSeen = untouchedSeen || untouched;
    }
}

}  // namespace

// The header the program writes carries its version.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ReadVersionInfo();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    QTextStream in(bytes);
    in.setEncoding(QStringConverter::Latin1);
    const ScrambleMap& before = MarkedMap();
    ScrambleMap map = before;
    const bool parsed = ScrambleMapFile::Parse(in, map);

    Require(map.inputCount == before.inputCount && map.outputCount == before.outputCount &&
            map.tableSize == before.tableSize);
    RequireReadPrefix(map.inputs);
    RequireReadPrefix(map.outputs);
    if (!parsed) {
        return 0;
    }
    // The marks are no file's descriptions: they go before the round trip.
    ForEachEntry(map, [](ScrambleEntry& entry) {
        if (entry.description == kUntouched) {
            entry.description.clear();
        }
    });
    QString text = ScrambleMapFile::Format(map);
    QTextStream again(&text);
    ScrambleMap reread = MarkedMap();
    Require(ScrambleMapFile::Parse(again, reread));
    Require(reread.inputs == map.inputs && reread.outputs == map.outputs);
    return 0;
}
