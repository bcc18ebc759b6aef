#pragma once

#include <QString>

#include "scramble/ScrambleMap.h"

namespace zerandi {

class UiServices;

// The scramble map as a text report: the header block, the table size, then every input
// and every output row with its controller address, A1A2, A3A4 and description. Stored
// with CR LF.
class ScrambleMapReport {
public:
    static constexpr const char* kTitle = "Scramble Map in Report (.TXT) format";

    // The whole report as text with "\n" line ends.
    static QString Format(const ScrambleMap& map, const ControllerStarts& starts);
    // Saves atomically; the earlier file stays when the write fails.
    static bool Write(UiServices& ui, const QString& path, const ScrambleMap& map,
                      const ControllerStarts& starts);
};

}  // namespace zerandi
