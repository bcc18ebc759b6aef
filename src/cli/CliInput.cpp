#include "cli/CliInput.h"

#include <array>
#include <cstdio>

#include "cli/CliStandardStream.h"
#include "cli/CliUiServices.h"

namespace zerandi {

namespace {

constexpr size_t kReadChunkBytes = 65536;

}  // namespace

std::optional<QByteArray> ReadCliInput(CliUiServices& ui, const QString& path,
                                       const UserFileRead& how) {
    if (path != kStandardStream) {
        return ReadUserFile(ui, path, how);
    }
    QByteArray bytes;
    std::array<char, kReadChunkBytes> chunk{};
    size_t got = 0;
    while (bytes.size() <= how.maxBytes &&
           (got = std::fread(chunk.data(), 1, chunk.size(), stdin)) > 0) {
        bytes.append(chunk.data(), static_cast<qsizetype>(got));
    }
    if (std::ferror(stdin) != 0) {
        ui.TellError(QStringLiteral("standard input could not be read."));
        return std::nullopt;
    }
    if (bytes.size() > how.maxBytes) {
        ui.TellError(QStringLiteral("standard input holds more than %1 bytes.").arg(how.maxBytes));
        return std::nullopt;
    }
    if (how.text) {
        bytes.replace("\r\n", "\n");
    }
    return bytes;
}

}  // namespace zerandi
