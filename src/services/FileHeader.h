#pragma once

#include <QString>
#include <QTextStream>
#include <cstdint>

namespace zerandi {

struct VersionTriple {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;

    bool operator==(const VersionTriple&) const = default;
};

// Writes the comment block that opens reports and scramble-map files, ending with the
// "$Version:" line of the program's file version. The caller checks the stream.
void WriteFileHeader(QTextStream& out, const QString& title);

// Skips the comment lines ("#...") and reads the version from the "$Version:" line that
// must follow them directly. False when that line is missing or malformed.
bool ReadHeaderVersion(QTextStream& in, VersionTriple& version);

// Parses "major.minor.build"; text after the build number is ignored. The version is
// changed only when the parse succeeds.
bool ParseVersionTriple(const QString& text, VersionTriple& version);

}  // namespace zerandi
