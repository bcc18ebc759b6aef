#include "connect/SalvoFileCheck.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "protocol/RouterLevel.h"

namespace zerandi {

namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";
constexpr int32_t kMaxWord = std::numeric_limits<uint16_t>::max();
constexpr qsizetype kMaxDigits = 5;
constexpr int kDecimalBase = 10;
constexpr qsizetype kQuotedBytes = 20;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The word as a fault quotes it: printable characters as they stand, any other byte as \xNN,
// a long word cut short.
QString QuotedWord(QByteArrayView word) {
    QString text;
    for (const char c : word.first(std::min(word.size(), kQuotedBytes))) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= kFirstPrintable && byte < kDelete && c != '"' && c != '\\';
        text += plain ? QString(QLatin1Char(c))
                      : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    if (word.size() > kQuotedBytes) {
        text += QStringLiteral("...");
    }
    return u'"' + text + u'"';
}

}  // namespace

int32_t HighestNumber(int32_t count) {
    return count > 0 ? count : kMaxWord;
}

std::optional<int32_t> SourceInput(int32_t word, int32_t productId) {
    const int32_t input = ConnectionSource(word, IsDataRouter(productId));
    if (IsTriStateSource(word, productId) || IsTriStateSource(input, productId)) {
        return std::nullopt;
    }
    return input;
}

SalvoFileCheck::SalvoFileCheck(QString fileName) : fileName_(std::move(fileName)) {}

bool SalvoFileCheck::Read(QByteArrayView bytes) {
    if (bytes.startsWith(kByteOrderMark)) {
        bytes = bytes.sliced(kByteOrderMark.size());
    }
    int line = 1;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= bytes.size(); ++at) {
        if (at < bytes.size() && !IsSpace(bytes[at])) {
            continue;
        }
        if (at > start && !ReadWord(bytes.sliced(start, at - start), line)) {
            return false;
        }
        if (at < bytes.size() && bytes[at] == '\n') {
            ++line;
        }
        start = at + 1;
    }
    if (input_) {
        return Refuse(inputLine_, QStringLiteral("input %1 has no output after it.").arg(*input_));
    }
    if (takes_.empty()) {
        fault_ = QStringLiteral("%1 holds no take.").arg(fileName_);
        return false;
    }
    return true;
}

bool SalvoFileCheck::ReadWord(QByteArrayView word, int line) {
    if (!std::all_of(word.begin(), word.end(), IsDigit)) {
        return Refuse(line, QStringLiteral("%1 is not a number.").arg(QuotedWord(word)));
    }
    if (word.size() > 1 && word.front() == '0') {
        return Refuse(line, QStringLiteral("%1 begins with 0, which other readers take for an "
                                           "octal number; write it without leading zeros.")
                                .arg(QuotedWord(word)));
    }
    int32_t value = 0;
    for (const char digit : word.first(std::min(word.size(), kMaxDigits + 1))) {
        value = value * kDecimalBase + (digit - '0');
    }
    if (value > kMaxWord) {
        return Refuse(line, QStringLiteral("%1 is above %2.").arg(QuotedWord(word)).arg(kMaxWord));
    }
    const auto number = static_cast<uint16_t>(value);
    if (!input_) {
        input_ = number;
        inputLine_ = line;
        return true;
    }
    takes_.emplace_back(*input_, number);
    lines_.push_back({inputLine_, line});
    input_.reset();
    return true;
}

bool SalvoFileCheck::FitsModel(int32_t productId) {
    const int32_t inputs = HighestNumber(ModelInputCount(productId));
    const int32_t outputs = HighestNumber(ModelOutputCount(productId));
    const QString model = ModelName(productId);
    const QString triState = SupportsTriState(productId)
                                 ? QStringLiteral(" (%1 disconnects an output)").arg(TriStateSource)
                                 : QString();
    for (size_t i = 0; i < takes_.size(); ++i) {
        const auto [source, output] = takes_[i];
        if (output < 1 || output > outputs) {
            return Refuse(lines_[i].output, QStringLiteral("output %1 is outside outputs 1 to %2 "
                                                           "of the %3.")
                                                .arg(output)
                                                .arg(outputs)
                                                .arg(model));
        }
        const std::optional<int32_t> input = SourceInput(source, productId);
        if (input && (*input < 1 || *input > inputs)) {
            const QString named =
                *input == source ? QStringLiteral("input %1").arg(source)
                                 : QStringLiteral("source %1 (input %2)").arg(source).arg(*input);
            return Refuse(lines_[i].input,
                          QStringLiteral("%1 is outside inputs 1 to %2 of the %3%4.")
                              .arg(named)
                              .arg(inputs)
                              .arg(model, triState));
        }
    }
    return true;
}

bool SalvoFileCheck::Refuse(int line, const QString& problem) {
    fault_ = QStringLiteral("%1 line %2: %3").arg(fileName_, QString::number(line), problem);
    return false;
}

}  // namespace zerandi
