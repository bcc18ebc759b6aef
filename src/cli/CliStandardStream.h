#pragma once

#include <QLatin1String>
#include <QString>

namespace zerandi {

// Where a command reads or writes a file, "-" stands for standard input or output.
inline constexpr QLatin1String kStandardStream("-");

// How a message names an input file: "-" is standard input.
inline QString CliInputName(const QString& path) {
    return path == kStandardStream ? QStringLiteral("standard input") : path;
}

}  // namespace zerandi
