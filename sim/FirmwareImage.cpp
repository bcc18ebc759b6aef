#include "FirmwareImage.h"

#include <cstdio>
#include <fstream>

namespace zsim {

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

bool WriteImageFile(const std::string& path, const std::vector<std::string>& lines,
                    bool endLastLine, const std::string& lineEnd) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (size_t i = 0; i < lines.size() && file; ++i) {
        file << lines[i];
        if (endLastLine || i + 1 < lines.size()) {
            file << lineEnd;
        }
    }
    file.close();
    return static_cast<bool>(file);
}

}  // namespace zsim
