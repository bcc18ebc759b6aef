#include "flash/FlashImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace zerandi::test {

namespace {

constexpr unsigned kAddressBytes = 2;
constexpr unsigned kChecksumBytes = 1;

std::string Hex(unsigned byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte & 0xFFu);
    return text;
}

// "S" and the type, then count, address, data and the ones' complement checksum.
std::string Record(char type, unsigned address, const std::vector<unsigned>& data) {
    const unsigned count = kAddressBytes + static_cast<unsigned>(data.size()) + kChecksumBytes;
    unsigned sum = count + (address >> 8) + (address & 0xFFu);
    std::string line = std::string("S") + type + Hex(count) + Hex(address >> 8) + Hex(address);
    for (unsigned byte : data) {
        sum += byte;
        line += Hex(byte);
    }
    return line + Hex(~sum);
}

}  // namespace

std::string DataRecord(int index, int dataBytes) {
    std::vector<unsigned> data;
    for (int i = 0; i < dataBytes; ++i) {
        data.push_back(static_cast<unsigned>(index * 7 + i));
    }
    return Record('1', static_cast<unsigned>(index) * 0x10u, data);
}

std::vector<std::string> ImageLines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i + 1 < count; ++i) {
        lines.push_back(DataRecord(i));
    }
    lines.push_back(Record('9', 0, {}));
    return lines;
}

QString WriteImage(const QString& name, const std::vector<std::string>& lines, bool endLastLine,
                   const std::string& lineEnd) {
    // Tests of one program run side by side in the same temporary folder.
    const QString path = QDir::temp().filePath(
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        file.write(lines[i].data(), static_cast<qint64>(lines[i].size()));
        if (endLastLine || i + 1 < lines.size()) {
            file.write(lineEnd.data(), static_cast<qint64>(lineEnd.size()));
        }
    }
    return path;
}

}  // namespace zerandi::test
