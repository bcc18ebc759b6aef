#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "WireFrame.h"

namespace zsim {

// The frames that answer one request, in the order they go out.
using Frames = std::vector<std::vector<uint8_t>>;

inline constexpr uint8_t kAckCommand = 0x04;
inline constexpr uint8_t kRefusalCommand = 0x80;
inline constexpr uint8_t kSequenceErrorCommand = 0x81;
inline constexpr uint8_t kAsciiErrorCommand = 0x8F;
inline constexpr uint8_t kTextCommand = 0x7E;
inline constexpr uint8_t kReplyBit = 0x80;

// Error codes of a refusal (0x80).
inline constexpr uint8_t kInvalidData = 1;
inline constexpr uint8_t kCannotExecute = 2;
inline constexpr uint8_t kChecksumError = 3;
inline constexpr uint8_t kUnknownCommand = 4;
inline constexpr uint8_t kCountError = 6;
inline constexpr uint8_t kNotSupported = 9;
inline constexpr uint8_t kBusy = 10;

// A reply to the request with the request's own command with bit 7 set.
Frames DataReply(const Request& request, std::span<const uint8_t> data);
Frames Ack(const Request& request);
Frames Refusal(const Request& request, uint8_t code);
std::vector<uint8_t> ReplyFrame(const Request& request, uint8_t command,
                                std::span<const uint8_t> data);
// Text frames (0x7E) carrying the text, split so that each fits the client's 200-byte
// text buffer; one empty frame for empty text.
std::vector<uint8_t> TextFrames(const Address& address, const std::string& text);

}  // namespace zsim
