#include "flash/SRecordChecker.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace zerandi {

namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kEndOfFile = '\x1A';  // ^Z
// What may follow a record on its line (and a final ^Z) without being sent.
constexpr std::string_view kTrailingBlanks = " \t\r\v\f\n";
constexpr size_t kTypeOffset = 1;
constexpr size_t kHexOffset = 2;  // after "S" and the type digit
constexpr size_t kHexDigitsPerByte = 2;
constexpr unsigned kByteMask = 0xFF;
// Address bytes by record type S0 .. S9; S4 is reserved and carries none.
constexpr std::array<size_t, 10> kAddressBytes{2, 2, 3, 4, 0, 2, 3, 4, 3, 2};

QString HexByteText(unsigned value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return -1;
}

QString CharacterText(char character) {
    const auto code = static_cast<unsigned char>(character);
    if (code < 0x20 || code >= 0x7F) {
        return QStringLiteral("the byte 0x%1").arg(HexByteText(code));
    }
    return QStringLiteral("\"%1\"").arg(QLatin1Char(character));
}

// The bytes the hex digits spell, or what is wrong with the digits.
std::optional<QString> DecodeHex(std::string_view digits, std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < digits.size(); ++i) {
        if (HexValue(digits[i]) < 0) {
            return QStringLiteral("%1 at column %2 is not a hex digit")
                .arg(CharacterText(digits[i]))
                .arg(kHexOffset + i + 1);
        }
    }
    if (digits.size() % kHexDigitsPerByte != 0) {
        return QStringLiteral("it has an odd number of hex digits");
    }
    for (size_t i = 0; i < digits.size(); i += kHexDigitsPerByte) {
        bytes.push_back(static_cast<uint8_t>(HexValue(digits[i]) * 16 + HexValue(digits[i + 1])));
    }
    return std::nullopt;
}

// Count, address and data bytes summed; the checksum is the ones' complement of the low byte.
std::optional<QString> CheckBytes(int type, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        return QStringLiteral("it holds no byte count");
    }
    const size_t counted = bytes.front();
    const size_t present = bytes.size() - 1;
    if (counted != present) {
        return QStringLiteral("its byte count says %1 bytes follow, but %2 do")
            .arg(counted)
            .arg(present);
    }
    const size_t needed = kAddressBytes[static_cast<size_t>(type)] + 1;
    if (present < needed) {
        return QStringLiteral("an S%1 record needs at least %2 bytes after its count, it has %3")
            .arg(type)
            .arg(needed)
            .arg(present);
    }
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        sum += bytes[i];
    }
    const unsigned expected = ~sum & kByteMask;
    if (bytes.back() != expected) {
        return QStringLiteral("its checksum is %1, but its bytes give %2")
            .arg(HexByteText(bytes.back()), HexByteText(expected));
    }
    return std::nullopt;
}

bool IsBlank(char character) {
    return kTrailingBlanks.find(character) != std::string_view::npos;
}

// Without a ^Z that only white space follows: the end-of-file mark of older tools.
std::string_view WithoutFinalEndOfFile(std::string_view text) {
    const size_t mark = text.rfind(kEndOfFile);
    if (mark == std::string_view::npos ||
        !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(mark) + 1, text.end(), IsBlank)) {
        return text;
    }
    return text.substr(0, mark);
}

// The line without its trailing white space, with the carriage return it ended in kept; empty
// for a blank line.
std::string RecordAsSent(std::string_view line) {
    const bool endsInCarriageReturn = line.ends_with(kCarriageReturn);
    while (!line.empty() && IsBlank(line.back())) {
        line.remove_suffix(1);
    }
    std::string record(line);
    if (!record.empty() && endsInCarriageReturn) {
        record += kCarriageReturn;
    }
    return record;
}

}  // namespace

std::optional<QString> SRecordChecker::CheckLine(std::string_view line) {
    if (line.size() > kMaxLineChars) {
        return QStringLiteral("it is %1 characters long; a record line holds at most %2")
            .arg(line.size())
            .arg(kMaxLineChars);
    }
    if (line.ends_with(kCarriageReturn)) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return QStringLiteral("it is empty");
    }
    if (line.front() != 'S') {
        return QStringLiteral("it does not start with \"S\"");
    }
    if (line.size() <= kTypeOffset || HexValue(line[kTypeOffset]) < 0 ||
        HexValue(line[kTypeOffset]) > 9) {
        return QStringLiteral("\"S\" is not followed by a record type digit 0-9");
    }
    std::vector<uint8_t> bytes;
    if (auto problem = DecodeHex(line.substr(kHexOffset), bytes)) {
        return problem;
    }
    return CheckBytes(HexValue(line[kTypeOffset]), bytes);
}

std::optional<SRecordProblem> SRecordChecker::Check(QByteArrayView image) {
    lines_.clear();
    const std::string_view text =
        WithoutFinalEndOfFile(std::string_view(image.data(), static_cast<size_t>(image.size())));
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(kLineFeed, start), text.size());
        ++lineNumber;
        const std::string record = RecordAsSent(text.substr(start, end - start));
        start = end + 1;
        if (record.empty()) {
            continue;
        }
        if (auto problem = CheckLine(record)) {
            lines_.clear();
            return SRecordProblem{lineNumber, *problem};
        }
        lines_.push_back(record);
    }
    if (lines_.size() < kMinRecords) {
        lines_.clear();
        return SRecordProblem{
            lineNumber + 1,
            QStringLiteral("the file ends; an image holds at least %1 records").arg(kMinRecords)};
    }
    return std::nullopt;
}

}  // namespace zerandi
