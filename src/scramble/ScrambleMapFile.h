#pragma once

#include <QString>
#include <QTextStream>

#include "scramble/ScrambleMap.h"

namespace zerandi {

class UiServices;

// The ".scr" file: the header block, then for inputs and for outputs a count line "256"
// and one line per entry, "A1A2 A3A4 \"description\"", the tables apart by an empty line.
// Stored with CR LF.
class ScrambleMapFile {
public:
    static constexpr const char* kTitle = "Scramble Map File";
    // Ends a description on its line, so no description may hold one.
    static constexpr char16_t kDescriptionQuote = u'"';
    // Two tables of 256 lines even at the longest line read is far below this.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    // The whole file as text with "\n" line ends.
    static QString Format(const ScrambleMap& map);
    // Fills the map's entries from the file's; entries the file does not hold keep what
    // they had. False when the header, a count or an entry line is not as it should be.
    static bool Parse(QTextStream& in, ScrambleMap& map);

    // Saves atomically; the earlier file stays when the write fails.
    static bool Save(UiServices& ui, const QString& path, const ScrambleMap& map);
    // Resets the map to its defaults and loads the file over them, telling the user what
    // went wrong; a failed load keeps the entries read before the error.
    static bool Load(UiServices& ui, const QString& path, ScrambleMap& map);
};

}  // namespace zerandi
