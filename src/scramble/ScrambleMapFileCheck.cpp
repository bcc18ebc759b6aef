#include "scramble/ScrambleMapFileCheck.h"

#include <QTextStream>
#include <algorithm>

#include "scramble/ScrambleMapFile.h"

namespace zerandi {

namespace {

// A description no line of a file can give, since a quote ends every description: the
// entries that still hold it after a parse are those the file does not hold.
const QString kNotInFile(1, QChar(ScrambleMapFile::kDescriptionQuote));

bool Parse(const QByteArray& text, ScrambleMap& map) {
    QTextStream in(text);
    in.setEncoding(QStringConverter::Latin1);
    return ScrambleMapFile::Parse(in, map);
}

void Mark(ScrambleMap::Table& table) {
    for (ScrambleEntry& entry : table) {
        entry.description = kNotInFile;
    }
}

uint32_t EntriesRead(const ScrambleMap::Table& table) {
    const auto first = std::find_if(table.begin(), table.end(), [](const ScrambleEntry& entry) {
        return entry.description == kNotInFile;
    });
    return static_cast<uint32_t>(first - table.begin());
}

}  // namespace

std::optional<ScrambleMapFileCheck::Held> ScrambleMapFileCheck::EntriesHeld(
    const QByteArray& text) {
    ScrambleMap marked;
    Mark(marked.inputs);
    Mark(marked.outputs);
    if (!Parse(text, marked)) {
        return std::nullopt;
    }
    return Held{EntriesRead(marked.inputs), EntriesRead(marked.outputs)};
}

bool ScrambleMapFileCheck::Covers(const Held& held, const ScrambleMap& map) {
    return held.inputs >= map.inputCount && held.outputs >= map.outputCount;
}

bool ScrambleMapFileCheck::Load(const QByteArray& text, ScrambleMap& map) {
    map.ResetToDefaults();
    return Parse(text, map);
}

}  // namespace zerandi
