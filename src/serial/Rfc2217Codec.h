#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>

#include "serial/SerialDevice.h"

namespace zerandi {

// The Telnet side of a line behind a device server in RFC 2217 mode: data bytes of 0xFF go
// doubled both ways (every router frame starts with one), the client offers binary transfer
// and the COM port option and sets the far port's line, and the server's own commands are
// taken out of what it sends.
class Rfc2217Codec {
public:
    static constexpr uint8_t kIac = 0xFF;
    static constexpr uint8_t kSe = 0xF0;
    static constexpr uint8_t kSb = 0xFA;
    static constexpr uint8_t kWill = 0xFB;
    static constexpr uint8_t kWont = 0xFC;
    static constexpr uint8_t kDo = 0xFD;
    static constexpr uint8_t kDont = 0xFE;
    static constexpr uint8_t kBinaryOption = 0;
    static constexpr uint8_t kComPortOption = 44;
    static constexpr uint8_t kSetBaudRate = 1;
    static constexpr uint8_t kSetDataSize = 2;
    static constexpr uint8_t kSetParity = 3;
    static constexpr uint8_t kSetStopSize = 4;

    // What a client sends once connected: its option offers, then the line settings.
    static QByteArray Opening(const LineSettings& settings);
    // The four commands that set the far port's baud rate, data bits, parity and stop bits.
    static QByteArray LineCommands(const LineSettings& settings);
    static QByteArray EscapeData(std::span<const uint8_t> bytes);

    // The data bytes among what the server sent; a command cut off at the end of one piece
    // is completed by the next. Answers the server's option requests (see TakeAnswers).
    QByteArray Decode(std::span<const uint8_t> received);
    // What the client owes the server after Decode: refusals of options it does not use.
    QByteArray TakeAnswers();
    // Forgets a half-received command, for a new connection.
    void Reset();

private:
    enum class State { Data, Command, Option, Sub, SubCommand };

    void Take(uint8_t byte, QByteArray& data);
    void TakeCommand(uint8_t byte, QByteArray& data);
    void AnswerOption(uint8_t option);

    State state_ = State::Data;
    uint8_t verb_ = 0;
    QByteArray answers_;
};

}  // namespace zerandi
