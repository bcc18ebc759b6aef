#include "serial/Rfc2217Codec.h"

#include <array>

namespace zerandi {

namespace {

// The COM port option's numbers for the line settings.
uint8_t ParityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return 2;
        case Parity::Even:
            return 3;
        case Parity::Mark:
            return 4;
        case Parity::Space:
            return 5;
        case Parity::None:
            break;
    }
    return 1;
}

uint8_t StopSizeCode(StopBits stopBits) {
    switch (stopBits) {
        case StopBits::Two:
            return 2;
        case StopBits::OneAndHalf:
            return 3;
        case StopBits::One:
            break;
    }
    return 1;
}

bool IsOurOption(uint8_t option) {
    return option == Rfc2217Codec::kBinaryOption || option == Rfc2217Codec::kComPortOption;
}

QByteArray Command(uint8_t verb, uint8_t option) {
    QByteArray bytes;
    bytes.append(char(Rfc2217Codec::kIac)).append(char(verb)).append(char(option));
    return bytes;
}

QByteArray Subnegotiation(uint8_t command, std::span<const uint8_t> value) {
    QByteArray bytes = Command(Rfc2217Codec::kSb, Rfc2217Codec::kComPortOption);
    bytes.append(char(command));
    bytes.append(Rfc2217Codec::EscapeData(value));
    bytes.append(char(Rfc2217Codec::kIac)).append(char(Rfc2217Codec::kSe));
    return bytes;
}

}  // namespace

QByteArray Rfc2217Codec::Opening(const LineSettings& settings) {
    return Command(kWill, kBinaryOption) + Command(kDo, kBinaryOption) +
           Command(kWill, kComPortOption) + LineCommands(settings);
}

QByteArray Rfc2217Codec::LineCommands(const LineSettings& settings) {
    const uint32_t baud = settings.baud;
    const std::array<uint8_t, 4> baudBytes{uint8_t(baud >> 24), uint8_t(baud >> 16),
                                           uint8_t(baud >> 8), uint8_t(baud)};
    const std::array<uint8_t, 1> dataSize{uint8_t(settings.dataBits)};
    const std::array<uint8_t, 1> parity{ParityCode(settings.parity)};
    const std::array<uint8_t, 1> stopSize{StopSizeCode(settings.stopBits)};
    return Subnegotiation(kSetBaudRate, baudBytes) + Subnegotiation(kSetDataSize, dataSize) +
           Subnegotiation(kSetParity, parity) + Subnegotiation(kSetStopSize, stopSize);
}

QByteArray Rfc2217Codec::EscapeData(std::span<const uint8_t> bytes) {
    QByteArray escaped;
    escaped.reserve(static_cast<qsizetype>(bytes.size()));
    for (const uint8_t byte : bytes) {
        escaped.append(char(byte));
        if (byte == kIac) {
            escaped.append(char(kIac));
        }
    }
    return escaped;
}

QByteArray Rfc2217Codec::Decode(std::span<const uint8_t> received) {
    QByteArray data;
    for (const uint8_t byte : received) {
        Take(byte, data);
    }
    return data;
}

void Rfc2217Codec::Take(uint8_t byte, QByteArray& data) {
    switch (state_) {
        case State::Data:
            if (byte == kIac) {
                state_ = State::Command;
            } else {
                data.append(char(byte));
            }
            return;
        case State::Command:
            TakeCommand(byte, data);
            return;
        case State::Option:
            AnswerOption(byte);
            state_ = State::Data;
            return;
        case State::Sub:
            // The server's reports (line and modem state, settings confirmed) are not used.
            if (byte == kIac) {
                state_ = State::SubCommand;
            }
            return;
        case State::SubCommand:
            state_ = byte == kSe ? State::Data : State::Sub;
            return;
    }
}

void Rfc2217Codec::TakeCommand(uint8_t byte, QByteArray& data) {
    switch (byte) {
        case kIac:
            data.append(char(kIac));
            state_ = State::Data;
            return;
        case kWill:
        case kWont:
        case kDo:
        case kDont:
            verb_ = byte;
            state_ = State::Option;
            return;
        case kSb:
            state_ = State::Sub;
            return;
        default:  // a two-byte command such as no-operation
            state_ = State::Data;
            return;
    }
}

// The client offered its options at the start; the server's agreement needs no answer, and
// a refusal is never answered, so that no negotiation goes round in circles.
void Rfc2217Codec::AnswerOption(uint8_t option) {
    if (IsOurOption(option)) {
        return;
    }
    if (verb_ == kDo) {
        answers_.append(Command(kWont, option));
    } else if (verb_ == kWill) {
        answers_.append(Command(kDont, option));
    }
}

QByteArray Rfc2217Codec::TakeAnswers() {
    QByteArray answers;
    answers.swap(answers_);
    return answers;
}

void Rfc2217Codec::Reset() {
    state_ = State::Data;
    verb_ = 0;
    answers_.clear();
}

}  // namespace zerandi
