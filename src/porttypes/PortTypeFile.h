#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <span>
#include <vector>

#include "porttypes/PortType.h"

namespace zerandi {

class UiServices;

// The ".prt" file: a 256-byte binary image, byte k the type code of port k + 1, 0 past
// the router's last port. No header, count or checksum.
class PortTypeFile {
public:
    static constexpr qsizetype kFileBytes = 256;
    // Bytes past the 256 are ignored as they always were, up to a size no table file reaches.
    static constexpr qint64 kMaxFileBytes = 64 * 1024;

    // Refused: no path was given. NotOpened: it would not open, or is no file or far too large.
    enum class Outcome { Read, Refused, NoSuchFile, NotOpened };

    struct Contents {
        Outcome outcome = Outcome::Refused;
        std::vector<PortType> types;  // one per port of the router
        bool shortFile = false;       // the file ended before the router's last port
    };

    // The file image of the table: low 8 bits of each code, zeros after the last port.
    static QByteArray Encode(std::span<const PortType> types);
    // The types of `portCount` ports from a file image; ports past its end get 0.
    static Contents Decode(const QByteArray& bytes, size_t portCount);

    // Reads the file for a router of `portCount` ports, telling the user what went wrong
    // (and when the file was short).
    static Contents Read(UiServices& ui, const QString& path, size_t portCount);
    // Writes the table atomically; the earlier file stays when the write fails.
    static bool Write(UiServices& ui, const QString& path, std::span<const PortType> types);
};

}  // namespace zerandi
