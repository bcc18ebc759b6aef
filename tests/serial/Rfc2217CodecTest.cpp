#include <gtest/gtest.h>

#include <QByteArray>
#include <vector>

#include "serial/Rfc2217Codec.h"

namespace zerandi {
namespace {

using Bytes = std::vector<uint8_t>;

QByteArray Raw(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

TEST(Rfc2217CodecTest, DataBytesOf0xFFGoDoubled) {
    EXPECT_EQ(Rfc2217Codec::EscapeData(Bytes{0xFF, 0xFC, 0x00, 0xFF, 0xFF}),
              Raw({0xFF, 0xFF, 0xFC, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Rfc2217Codec::EscapeData(Bytes{}), QByteArray());
}

TEST(Rfc2217CodecTest, OpeningOffersTheOptionsThenSetsTheLine) {
    struct Case {
        const char* name;
        LineSettings settings;
        Bytes lineCommands;
    };
    const Case cases[] = {
        {"9600 8N1",
         {9600, 8, StopBits::One, Parity::None},
         {0xFF, 0xFA, 44,   1,  0, 0, 0x25, 0x80, 0xFF, 0xF0, 0xFF, 0xFA, 44, 2,    8,   0xFF,
          0xF0, 0xFF, 0xFA, 44, 3, 1, 0xFF, 0xF0, 0xFF, 0xFA, 44,   4,    1,  0xFF, 0xF0}},
        {"115200 7E2",
         {115200, 7, StopBits::Two, Parity::Even},
         {0xFF, 0xFA, 44,   1,  0, 0x01, 0xC2, 0x00, 0xFF, 0xF0, 0xFF, 0xFA, 44, 2,    7,   0xFF,
          0xF0, 0xFF, 0xFA, 44, 3, 3,    0xFF, 0xF0, 0xFF, 0xFA, 44,   4,    2,  0xFF, 0xF0}},
        // A baud byte of 0xFF is data inside the command and goes doubled too.
        {"0xFF in the rate, odd parity, 1.5 stop bits",
         {0x0000FF00, 5, StopBits::OneAndHalf, Parity::Odd},
         {0xFF, 0xFA, 44,   1,    0,  0, 0xFF, 0xFF, 0,    0xFF, 0xF0, 0xFF, 0xFA, 44, 2,    5,
          0xFF, 0xF0, 0xFF, 0xFA, 44, 3, 2,    0xFF, 0xF0, 0xFF, 0xFA, 44,   4,    3,  0xFF, 0xF0}},
    };
    const QByteArray offers = Raw({0xFF, 0xFB, 0, 0xFF, 0xFD, 0, 0xFF, 0xFB, 44});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Rfc2217Codec::LineCommands(c.settings), Raw(c.lineCommands));
        EXPECT_EQ(Rfc2217Codec::Opening(c.settings), offers + Raw(c.lineCommands));
    }
}

// What a server sends, cut into pieces anywhere: the data comes out whole and in order, the
// server's commands do not, and options the client does not use are refused.
TEST(Rfc2217CodecTest, ServerCommandsLeaveTheDataInAnyCutting) {
    struct Case {
        const char* name;
        Bytes received;
        Bytes data;
        Bytes answers;
    };
    const Case cases[] = {
        {"plain data", {0x01, 0x02, 0x03}, {0x01, 0x02, 0x03}, {}},
        {"a doubled 0xFF is one data byte", {0xFF, 0xFF, 0xFC, 0xFF, 0xFF}, {0xFF, 0xFC, 0xFF}, {}},
        {"agreement to our options needs no answer",
         {0xFF, 0xFD, 44, 0xFF, 0xFB, 0, 0xFF, 0xFD, 0, 0x10},
         {0x10},
         {}},
        {"other options are refused",
         {0xFF, 0xFB, 3, 0xFF, 0xFD, 3, 0xFF, 0xFB, 1, 0x20},
         {0x20},
         {0xFF, 0xFE, 3, 0xFF, 0xFC, 3, 0xFF, 0xFE, 1}},
        {"refusals are not answered", {0xFF, 0xFE, 1, 0xFF, 0xFC, 3, 0x30}, {0x30}, {}},
        {"reports in subnegotiation, with a doubled 0xFF inside",
         {0x41, 0xFF, 0xFA, 44, 101, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xF0, 0x42},
         {0x41, 0x42},
         {}},
        {"two-byte commands", {0xFF, 0xF1, 0x50, 0xFF, 0xF9}, {0x50}, {}},
    };
    for (const Case& c : cases) {
        for (size_t cut = 0; cut <= c.received.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << c.name << ", cut at " << cut);
            Rfc2217Codec codec;
            const std::span<const uint8_t> all(c.received);
            QByteArray data = codec.Decode(all.first(cut));
            data += codec.Decode(all.subspan(cut));
            EXPECT_EQ(data, Raw(c.data));
            EXPECT_EQ(codec.TakeAnswers(), Raw(c.answers));
            EXPECT_TRUE(codec.TakeAnswers().isEmpty());
        }
    }
}

TEST(Rfc2217CodecTest, ResetForgetsAHalfReceivedCommand) {
    Rfc2217Codec codec;
    codec.Decode(Bytes{0x01, 0xFF, 0xFA, 44, 1});
    codec.Reset();
    EXPECT_EQ(codec.Decode(Bytes{0x02, 0x03}), Raw({0x02, 0x03}));
}

}  // namespace
}  // namespace zerandi
