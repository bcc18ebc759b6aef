#include "connect/SalvoFile.h"

#include <QList>
#include <optional>

#include "services/UserFileRead.h"

namespace zerandi {

namespace {

constexpr int kDecimal = 10;
constexpr int kHexadecimal = 16;
constexpr int kOctal = 8;

std::optional<int> DigitValue(char c, int base) {
    int value = kHexadecimal;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + kDecimal;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + kDecimal;
    }
    return value < base ? std::optional<int>(value) : std::nullopt;
}

// The word's value modulo 65536 (its low 16 bits, however long the number); nothing when
// the word is not an unsigned number.
std::optional<uint16_t> ParseNumber(QByteArrayView word) {
    int base = kDecimal;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = kHexadecimal;
        word = word.sliced(2);
    } else if (word.size() > 1 && word[0] == '0') {
        base = kOctal;
        word = word.sliced(1);
    }
    uint16_t value = 0;
    for (const char c : word) {
        const std::optional<int> digit = DigitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        value = static_cast<uint16_t>(value * base + *digit);
    }
    return value;
}

}  // namespace

SalvoFileContents ReadSalvoText(const QByteArray& bytes) {
    SalvoFileContents contents;
    std::optional<uint16_t> input;
    for (const QByteArray& word : bytes.simplified().split(' ')) {
        if (word.isEmpty()) {
            continue;
        }
        const std::optional<uint16_t> number = ParseNumber(word);
        if (!number) {
            contents.endedAtText = true;
            break;
        }
        if (input) {
            contents.entries.emplace_back(*input, *number);
            input.reset();
        } else {
            input = number;
        }
    }
    return contents;
}

QByteArray SalvoFileBytes(const TakeList& salvo) {
    QByteArray bytes;
    for (const auto& [input, output] : salvo) {
        bytes += QByteArray::number(input) + ' ' + QByteArray::number(output) + "\r\n";
    }
    return bytes;
}

std::optional<SalvoFileContents> LoadSalvoFile(UiServices& ui, const QString& path) {
    const std::optional<QByteArray> bytes =
        ReadUserFile(ui, path, {.maxBytes = kMaxSalvoFileBytes});
    return bytes ? std::optional<SalvoFileContents>(ReadSalvoText(*bytes)) : std::nullopt;
}

QString SalvoTextStopMessage(size_t entriesRead) {
    return QStringLiteral(
               "The salvo file holds a word that is not a number; reading stopped there.\n"
               "%1 entries were read.")
        .arg(entriesRead);
}

}  // namespace zerandi
