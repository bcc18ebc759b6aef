#include <gtest/gtest.h>

#include <string>

#include "SimTestFrames.h"
#include "sim/SimRouter.h"

namespace zsim {
namespace {

using test::Bytes;
using test::RequestFrame;
using test::SplitFrames;
using test::Word;

std::vector<Bytes> Ask(SimRouter& router, uint8_t command, const Bytes& data = {}) {
    return SplitFrames(test::Sent(router.Feed(RequestFrame(command, data))));
}

Bytes WordBytes(uint16_t value) {
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

void ExpectRefusal(const std::vector<Bytes>& replies, uint8_t code) {
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0],
              (Bytes{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x02, 0x80, code,
                     static_cast<uint8_t>(0xFC + 0xFC + 0xFD + 0xFD + 2 + 0x80 + code)}));
}

TEST(SimRouterTest, ProductIdReplyCarriesTheModelsId) {
    const struct {
        const char* model;
        uint8_t id;
    } cases[] = {{"QR1206", 64}, {"QR1202", 60}, {"QR1209", 12}, {"QR1207", 28}, {"QS1214", 99}};
    const Bytes request{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x01, 0x10, 0x03};
    for (const auto& c : cases) {
        SimRouter router(c.model);
        const Bytes reply = test::Sent(router.Feed(request));
        const auto sum = static_cast<uint8_t>(0xFC + 0xFC + 0xFD + 0xFD + 3 + 0x90 + c.id);
        EXPECT_EQ(reply, (Bytes{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x03, 0x90, 0x00, c.id, sum}))
            << c.model;
    }
}

TEST(SimRouterTest, EveryModelIsReadyAndAnswersItsSizedCommands) {
    for (const std::string& name : SimRouter::ModelNames()) {
        SimRouter router(name);
        const RouterState state = router.Snapshot();
        EXPECT_EQ(state.model, name);
        EXPECT_EQ(state.crosspoints.size(), state.outputs) << name;
        EXPECT_GE(state.levels.size(), 1u) << name;
        EXPECT_LE(state.levels.size(), 4u) << name;
        EXPECT_EQ(state.levels.back().physicalInputEnd, state.inputs) << name;
        EXPECT_EQ(state.levels.back().physicalOutputEnd, state.outputs) << name;
        for (const uint8_t command : {0x10, 0x11, 0x13}) {
            const auto replies = Ask(router, command);
            ASSERT_EQ(replies.size(), 1u) << name;
            EXPECT_EQ(replies[0][6], command | 0x80) << name;
        }
    }
}

TEST(SimRouterTest, BadChecksumIsRefusedWithCode3AndNotRecorded) {
    SimRouter router;
    Bytes request = RequestFrame(0x10);
    ++request.back();
    ExpectRefusal(SplitFrames(test::Sent(router.Feed(request))), 3);
    EXPECT_TRUE(router.ReceivedFrames().empty());
    ExpectRefusal(Ask(router, 0x77), 4);  // an unknown command
}

TEST(SimRouterTest, RequestsAreFoundInNoiseAndAcrossFeeds) {
    SimRouter router;
    Bytes stream{0x00, 0x12, 0xFF, 0x01, 0xFF, 0xFC, 0x33};  // garbage with false starts
    const Bytes request = RequestFrame(0x10);
    stream.insert(stream.end(), request.begin(), request.end());
    for (size_t i = 0; i + 1 < stream.size(); ++i) {
        EXPECT_TRUE(router.Feed(Bytes{stream[i]}).empty()) << "byte " << i;
    }
    const auto replies = SplitFrames(test::Sent(router.Feed(Bytes{stream.back()})));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][6], 0x90);
    EXPECT_EQ(router.ReceivedFrames(), std::vector<Bytes>{request});
}

TEST(SimRouterTest, TakesChangeWhatTheStatusReadReturns) {
    const struct {
        const char* model;
        uint16_t source;
        uint16_t destination;
        int refusal;  // 0: accepted
    } cases[] = {
        {"QR1206", 12, 7, 0},     {"QR1206", 64, 64, 0},    {"QR1206", 65, 1, 1},
        {"QR1206", 0, 1, 1},      {"QR1206", 1, 65, 1},     {"QR1206", 0xF3F3, 3, 1},
        {"QR1207", 0xF3F3, 3, 0}, {"QR1207", 0x4005, 9, 0}, {"QR1207", 0xC080, 2, 0},
        {"QR1207", 0x4000, 2, 1}, {"QR1209", 2048, 512, 0}, {"QR1209", 1, 513, 1},
        {"QR1205", 0xF3F3, 8, 0},
    };
    for (const auto& c : cases) {
        const std::string label = std::string(c.model) + " " + std::to_string(c.source) + "->" +
                                  std::to_string(c.destination);
        SimRouter router(c.model);
        const std::vector<uint16_t> before = router.Snapshot().crosspoints;
        const Bytes take = Concat({{0}, WordBytes(c.source), WordBytes(c.destination)});
        const auto replies = Ask(router, 0x49, take);
        if (c.refusal != 0) {
            ExpectRefusal(replies, static_cast<uint8_t>(c.refusal));
            EXPECT_EQ(router.Snapshot().crosspoints, before) << label;
            continue;
        }
        ASSERT_EQ(replies.size(), 1u) << label;
        EXPECT_EQ(Bytes(replies[0].begin() + 6, replies[0].end() - 1), Concat({{0xC9}, take}))
            << label;
        const auto status = Ask(router, 0x4A, Concat({{0}, WordBytes(c.destination), {0, 1}}));
        ASSERT_EQ(status.size(), 1u) << label;
        EXPECT_EQ(status[0][5], 2 * 1 + 5) << label;
        EXPECT_EQ(Word(status[0], 11), c.source) << label;
    }
}

// On every model the last output and the last monitor take what they are sent, and a data
// router's flag bits come back as they were sent.
TEST(SimRouterTest, EveryModelReadsBackItsLastTakeAndMonitor) {
    for (const std::string& name : SimRouter::ModelNames()) {
        SimRouter router(name);
        const RouterState state = router.Snapshot();
        const uint16_t source = state.dataRouter ? 0xB000 | 2 : 2;
        const Bytes take = Concat({{0}, WordBytes(source), WordBytes(state.outputs)});
        ASSERT_EQ(Ask(router, 0x49, take).at(0)[6], 0xC9) << name;
        const auto read = Ask(router, 0x4A, Concat({{0}, WordBytes(state.outputs), {0, 1}}));
        EXPECT_EQ(Word(read.at(0), 11), source) << name;
        if (state.monitorOutputs == 0) {
            continue;
        }
        const uint16_t last = state.monitorOutputs;
        const Bytes set = Concat({{1}, WordBytes(state.outputs), WordBytes(last)});
        ASSERT_EQ(Ask(router, 0x49, set).at(0)[6], 0xC9) << name;
        const auto monitors = Ask(router, 0x4A, Concat({{1}, WordBytes(last), {0, 1}}));
        EXPECT_EQ(Word(monitors.at(0), 11), state.outputs) << name;
    }
}

TEST(SimRouterTest, TimedTakeKeepsItsTimestampForTheHealthRead) {
    SimRouter router;
    const auto replies = Ask(router, 0x49, {0, 0, 3, 0, 4, 0x12, 0x34});
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][5], 6);  // sub, source and destination echoed, no timestamp
    const auto health = Ask(router, 0x12, {0});
    ASSERT_EQ(health.size(), 1u);
    EXPECT_EQ(Word(health[0], 11), 0x1234);
}

TEST(SimRouterTest, StatusReadsCoverTheAskedBlock) {
    const struct {
        const char* model;
        uint8_t sub;
        uint16_t start;
        uint16_t count;
        int refusal;
    } cases[] = {
        {"QR1206", 0, 1, 64, 0}, {"QR1206", 0, 33, 32, 0}, {"QR1206", 0, 1, 65, 6},
        {"QR1206", 0, 1, 0, 6},  {"QR1206", 0, 34, 32, 1}, {"QR1206", 1, 1, 1, 1},
        {"QR1209", 1, 1, 6, 0},  {"QR1209", 1, 2, 6, 1},   {"QS1213", 1, 1, 8, 0},
    };
    for (const auto& c : cases) {
        SimRouter router(c.model);
        const auto replies =
            Ask(router, 0x4A, Concat({{c.sub}, WordBytes(c.start), WordBytes(c.count)}));
        const std::string label = std::string(c.model) + " start " + std::to_string(c.start);
        if (c.refusal != 0) {
            ExpectRefusal(replies, static_cast<uint8_t>(c.refusal));
            continue;
        }
        ASSERT_EQ(replies.size(), 1u) << label;
        const Bytes& reply = replies[0];
        ASSERT_TRUE(test::ChecksumOk(reply)) << label;
        EXPECT_EQ(reply[5], 2 * c.count + 5) << label;
        EXPECT_EQ(reply[7], c.sub) << label;
        EXPECT_EQ(Word(reply, 8), c.start) << label;
        EXPECT_EQ(reply[10], c.count) << label;
        const RouterState state = router.Snapshot();
        const auto& table = c.sub == 0 ? state.crosspoints : state.monitors;
        for (uint16_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(Word(reply, 11 + 2 * i), table[c.start - 1 + i]) << label << " entry " << i;
        }
    }
}

TEST(SimRouterTest, MonitorSettingShowsInTheMonitorRead) {
    SimRouter router("QS1215");
    ASSERT_EQ(Ask(router, 0x49, {1, 0, 200, 0, 2}).at(0)[6], 0xC9);
    ExpectRefusal(Ask(router, 0x49, {1, 0, 200, 0, 3}), 1);  // only two monitor outputs
    ExpectRefusal(Ask(router, 0x49, {1, 1, 1, 0, 1}), 1);    // output 257 of 256
    const auto status = Ask(router, 0x4A, {1, 0, 1, 0, 2});
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(Word(status[0], 11), 1);
    EXPECT_EQ(Word(status[0], 13), 200);
}

// Reads the records the way the client does: ids, 16-byte name, 4-byte part, four words and a
// NUL-terminated description, while more than 29 bytes remain.
std::vector<std::string> VersionNames(const std::vector<Bytes>& replies) {
    std::vector<std::string> names;
    for (const Bytes& reply : replies) {
        size_t at = 9;
        const size_t end = 9 + reply[5] - 3u;
        while (end - at > 29) {
            std::string name(reply.begin() + static_cast<std::ptrdiff_t>(at + 2),
                             reply.begin() + static_cast<std::ptrdiff_t>(at + 18));
            names.push_back(name.substr(0, name.find('\0')));
            size_t nul = at + 30;
            while (reply.at(nul) != 0) {
                ++nul;
            }
            at = nul + 1;
        }
    }
    return names;
}

TEST(SimRouterTest, SoftwareVersionRepliesChainWithTheMoreFlag) {
    for (const std::string model : {"QR1206", "QS1213"}) {
        SimRouter router(model);
        const auto replies = Ask(router, 0x15, {0});
        ASSERT_GE(replies.size(), 2u) << model;
        for (size_t i = 0; i < replies.size(); ++i) {
            EXPECT_TRUE(test::ChecksumOk(replies[i])) << model << " reply " << i;
            EXPECT_LE(replies[i].size(), 248u) << model << " reply " << i;
            EXPECT_EQ(replies[i][6], 0x95);
            EXPECT_EQ(replies[i][7] != 0, i + 1 < replies.size()) << model << " reply " << i;
            EXPECT_EQ(replies[i][8], 0);
        }
        std::vector<std::string> expected;
        for (const VersionRecord& version : router.Snapshot().versions) {
            expected.push_back(version.name);
        }
        EXPECT_EQ(VersionNames(replies), expected) << model;
    }
}

TEST(SimRouterTest, VersionOptionsAndTheBriefList) {
    SimRouter router;
    router.Update([](RouterState& state) {
        state.versionErrorFlag = true;
        state.versions[0].name = std::string(16, 'N');  // a full name has no terminator
    });
    const auto replies = Ask(router, 0x15, {0});
    ASSERT_FALSE(replies.empty());
    EXPECT_EQ(replies[0][8], 1);
    EXPECT_EQ(VersionNames(replies).front(), std::string(16, 'N'));

    const auto brief = Ask(router, 0x11);
    ASSERT_EQ(brief.size(), 1u);
    const auto& entries = router.Snapshot().briefVersions;
    ASSERT_EQ(brief[0][5], 1 + 7 * entries.size());
    EXPECT_EQ(brief[0][7 + 7 * 5], entries[5].componentType);
    EXPECT_EQ(Word(brief[0], 7 + 7 * 5 + 2), entries[5].number);
}

TEST(SimRouterTest, ScrambleReadGivesSixteenBlocksOfBothBanks) {
    SimRouter router("QS1210");
    router.Update([](RouterState& state) {
        state.scramble[5] = 1000;          // input A of entry 5
        state.scramble[256 + 40] = 1001;   // input B of entry 40
        state.scramble[512 + 255] = 1002;  // output A of entry 255
        state.scramble[768 + 100] = 1003;  // output B of entry 100
    });
    const auto replies = Ask(router, 0x46, {0});
    ASSERT_EQ(replies.size(), 16u);
    std::vector<uint16_t> table(1024, 0);
    for (size_t n = 0; n < replies.size(); ++n) {
        const Bytes& reply = replies[n];
        ASSERT_TRUE(test::ChecksumOk(reply)) << n;
        EXPECT_EQ(reply[6], 0xC6);
        EXPECT_EQ(reply[7], n < 8 ? 1 : 2) << n;
        EXPECT_EQ(reply[8] != 0, n < 15) << n;
        EXPECT_EQ(Word(reply, 9), 32 * (n % 8)) << n;
        ASSERT_EQ(reply[11], 32);
        const size_t base = n < 8 ? 0 : 512;
        for (size_t i = 0; i < 32; ++i) {
            table[base + Word(reply, 9) + i] = Word(reply, 12 + 4 * i);
            table[base + 256 + Word(reply, 9) + i] = Word(reply, 14 + 4 * i);
        }
    }
    const auto state = router.Snapshot().scramble;
    EXPECT_TRUE(std::equal(table.begin(), table.end(), state.begin()));
    EXPECT_EQ(table[768 + 100], 1003);
}

TEST(SimRouterTest, ScrambleBlocksAreStoredPerBank) {
    SimRouter router;
    Bytes block{2, 3, 0, 64, 2};  // bank 2, three to come, start 64, two entries
    block.insert(block.end(), {0, 7, 0xFF, 0xFF, 0, 9, 0, 10});
    ASSERT_EQ(Ask(router, 0x46, block).at(0)[6], 0x04);
    const auto table = router.Snapshot().scramble;
    EXPECT_EQ(table[512 + 64], 7);
    EXPECT_EQ(table[768 + 64], 0xFFFF);
    EXPECT_EQ(table[512 + 65], 9);
    EXPECT_EQ(table[768 + 65], 10);
    ExpectRefusal(Ask(router, 0x46, {1, 0, 0, 255, 2, 0, 1, 0, 1, 0, 2, 0, 2}), 1);  // past 256
    ExpectRefusal(Ask(router, 0x46, {1, 0, 0, 0, 2, 0, 1}), 6);  // fewer entries than counted
}

TEST(SimRouterTest, PortTypesOnlyOnDataRouters) {
    SimRouter router("QR1208");
    router.Update([](RouterState& state) {
        state.reverseFlag = 1;
        state.takeDelay = 44;
        state.portTypes[200] = 5;
    });
    const auto replies = Ask(router, 0x48, {0});
    ASSERT_EQ(replies.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(replies[k][7], 1 - k);
        EXPECT_EQ(replies[k][8], 1);
        EXPECT_EQ(replies[k][9], 44);
        EXPECT_EQ(Word(replies[k], 10), 128 * k);
        EXPECT_EQ(replies[k][12], 128);
    }
    EXPECT_EQ(replies[1][13 + 200 - 128], 5);

    Bytes block{1, 0, 0, 30, 0, 250, 3, 6, 4, 1};  // ports 251..253, reverse off, delay 30
    ASSERT_EQ(Ask(router, 0x48, block).at(0)[6], 0x04);
    const RouterState state = router.Snapshot();
    EXPECT_EQ(state.reverseFlag, 0);
    EXPECT_EQ(state.takeDelay, 30);
    EXPECT_EQ((Bytes(state.portTypes.begin() + 250, state.portTypes.begin() + 253)),
              (Bytes{6, 4, 1}));
    ExpectRefusal(Ask(router, 0x48, {1, 0, 0, 0, 0, 255, 2, 1, 1}), 1);  // port 257

    SimRouter plain("QR1206");
    ExpectRefusal(Ask(plain, 0x48, {0}), 9);
}

TEST(SimRouterTest, PartitionWriteIsReadBack) {
    SimRouter router("QR1209");
    const Bytes level1{2, 0, 0, 1, 0, 100, 0, 0, 0, 1, 0, 1, 0, 50, 0, 0};
    const Bytes level2{1, 7, 0, 101, 0, 200, 0, 100, 0xF3, 0xF3, 0, 51, 0, 90, 0, 50};
    ASSERT_EQ(Ask(router, 0x47, Concat({{1, 1, 0, 2}, level1, level2})).at(0)[6], 0x04);
    const auto replies = Ask(router, 0x47, {0});
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][5], 16 * 2 + 4);
    EXPECT_EQ(Bytes(replies[0].begin() + 7, replies[0].end() - 1),
              Concat({{1, 0, 2}, level1, level2}));
    EXPECT_EQ(router.Snapshot().levels[1].defaultInput, 0xF3F3);
    ExpectRefusal(Ask(router, 0x47, Concat({{1, 0, 0, 2}, level1})), 6);
}

TEST(SimRouterTest, EthernetAndExpansionOnlyOnExtendedCards) {
    const struct {
        uint16_t card;
        bool available;
        uint8_t refusalCode;
        int expectedRefusal;  // 0: answered
    } cases[] = {{209, true, 9, 9}, {209, true, 6, 6}, {263, true, 9, 0},
                 {353, true, 9, 0}, {374, true, 9, 0}, {263, false, 1, 1}};
    for (const auto& c : cases) {
        SimRouter router;
        router.Update([&](RouterState& state) {
            state.cardPartNumber = c.card;
            state.ethernetAvailable = state.expansionAvailable = c.available;
            state.ethernetRefusalCode = state.expansionRefusalCode = c.refusalCode;
        });
        const auto ethernet = Ask(router, 0x45, {2});
        const auto expansion = Ask(router, 0x4F, {0x10});
        if (c.expectedRefusal != 0) {
            ExpectRefusal(ethernet, static_cast<uint8_t>(c.expectedRefusal));
            ExpectRefusal(expansion, static_cast<uint8_t>(c.expectedRefusal));
            ExpectRefusal(Ask(router, 0x45, {3, 0, 1, 1, 2, 3, 4, 255, 0, 0, 0}),
                          static_cast<uint8_t>(c.expectedRefusal));
            continue;
        }
        ASSERT_EQ(ethernet.size(), 1u);
        EXPECT_EQ(ethernet[0][6], 0xC5);
        EXPECT_EQ(ethernet[0][7], 0x83);
        EXPECT_EQ(ethernet[0][5], 22);
        EXPECT_EQ(Bytes(ethernet[0].begin() + 8, ethernet[0].begin() + 18),
                  (Bytes{0, 1, 192, 168, 1, 50, 255, 255, 255, 0}));
        ASSERT_EQ(expansion.size(), 1u);
        EXPECT_EQ(Bytes(expansion[0].begin() + 5, expansion[0].end() - 1),
                  (Bytes{6, 0xCF, 0x10, 255, 0, 0, 0}));

        ASSERT_EQ(Ask(router, 0x45, {3, 0, 0, 10, 1, 2, 3, 255, 255, 0, 0}).at(0)[6], 0x04);
        ASSERT_EQ(Ask(router, 0x4F, {0x11, 1, 4, 0, 0}).at(0)[6], 0x04);
        const auto again = Ask(router, 0x45, {2});
        EXPECT_EQ(again[0][5], 22);  // the second entry is kept
        EXPECT_EQ(Bytes(again[0].begin() + 8, again[0].begin() + 18),
                  (Bytes{0, 0, 10, 1, 2, 3, 255, 255, 0, 0}));
        EXPECT_EQ(Ask(router, 0x4F, {0x10}).at(0)[8], 1);
        EXPECT_EQ(Ask(router, 0x4F, {0x10}).at(0)[9], 4);
    }
}

TEST(SimRouterTest, SerialParametersAreStoredAndReadBackShifted) {
    SimRouter router;
    const Bytes written{1, 4, 0, 33, 2, 3, 9, 0, 44, 2, 0};
    ASSERT_EQ(Ask(router, 0x45, written).at(0)[6], 0x04);
    const auto replies = Ask(router, 0x45, {0});
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(Bytes(replies[0].begin() + 7, replies[0].end() - 1),
              Bytes(written.begin() + 1, written.end()));
    EXPECT_EQ(router.Snapshot().serial.protocolIndex, 4);
}

TEST(SimRouterTest, HealthFansAndCardInfoReplies) {
    SimRouter router("QS1212");
    const auto health = Ask(router, 0x12, {0});
    ASSERT_EQ(health.size(), 1u);
    EXPECT_EQ(health[0][5], 12);
    EXPECT_EQ(health[0][13], 0xFF);  // eight power supplies present
    EXPECT_EQ(health[0][16], 0);     // no alarm
    router.Update([](RouterState& state) {
        state.health.alarmBytes = false;
        state.fans = {0, 3, 0};
        state.cardInfoLength = 3;
    });
    EXPECT_EQ(Ask(router, 0x12, {0}).at(0)[5], 11);
    EXPECT_EQ(Ask(router, 0x12, {7}).at(0)[5], 6);
    EXPECT_EQ(Ask(router, 0x12, {7}).at(0)[7], 7);
    EXPECT_EQ(Ask(router, 0x12, {7}).at(0)[8], 3);
    EXPECT_EQ(Ask(router, 0x12, {7}).at(0)[10], 3);
    const auto card = Ask(router, 0x13);
    ASSERT_EQ(card.size(), 1u);
    EXPECT_EQ(card[0][5], 3);
    EXPECT_EQ(Word(card[0], 7), 209);
}

TEST(SimRouterTest, ControllerCommandsChangeTheState) {
    SimRouter router;
    EXPECT_EQ(Ask(router, 0x44, {1, 42}).at(0)[6], 0x04);
    EXPECT_EQ(Ask(router, 0x44, {0}).at(0)[7], 42);
    EXPECT_EQ(Ask(router, 0x43, {28}).at(0)[6], 0x04);
    EXPECT_EQ(Ask(router, 0x10).at(0)[8], 28);
    EXPECT_EQ(Ask(router, 0x06, {0}).at(0)[6], 0x04);
    EXPECT_EQ(Ask(router, 0x12, {0}).at(0)[10] & 0x03, 2);  // offline
    EXPECT_EQ(Ask(router, 0x4E, {0}).at(0)[6], 0x04);
    const RouterState state = router.Snapshot();
    EXPECT_EQ(state.lastControllerState, 0);
    EXPECT_EQ(state.resetCount, 1);
    EXPECT_EQ(state.health.cardStatus & 0x03, 0);
}

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(SimRouterTest, FlashRecordsAreKeptPerComponentInBothLayouts) {
    SimRouter router("QS1213");
    ExpectRefusal(Ask(router, 0x41, Concat({{1}, TextBytes("S00600004844521B")})), 2);
    ASSERT_EQ(Ask(router, 0x40, {1}).at(0)[6], 0x04);
    EXPECT_EQ(Ask(router, 0x41, Concat({{1}, TextBytes("S00600004844521B\r")})).at(0)[6], 0x04);
    EXPECT_EQ(Ask(router, 0x41, Concat({TextBytes("S1130000"), {0}})).at(0)[6], 0x04);
    ExpectRefusal(Ask(router, 0x41, Concat({{2}, TextBytes("S9030000FC")})), 1);  // other part
    router.Update([](RouterState& state) { state.refuseFlashVariant1 = true; });
    ExpectRefusal(Ask(router, 0x41, Concat({{1}, TextBytes("S9030000FC")})), 1);
    EXPECT_EQ(Ask(router, 0x41, Concat({TextBytes("S9030000FC"), {0x55}})).at(0)[6], 0x04);
    ExpectRefusal(Ask(router, 0x42, {2}), 2);
    EXPECT_EQ(Ask(router, 0x42, {1}).at(0)[6], 0x04);

    const RouterState state = router.Snapshot();
    EXPECT_EQ(state.flashRecords.at(1),
              (std::vector<std::string>{"S00600004844521B\r", "S1130000", "S9030000FC"}));
    EXPECT_EQ(state.flashCompleted, std::vector<int>{1});
    EXPECT_FALSE(state.flashMode);
}

TEST(SimRouterTest, TypedTextIsKeptWithoutAnswer) {
    SimRouter router;
    EXPECT_TRUE(router.Feed(RequestFrame(0x7E, TextBytes("STATUS\r\n"))).empty());
    EXPECT_EQ(router.Snapshot().receivedTexts, std::vector<std::string>{"STATUS\r\n"});
}

}  // namespace
}  // namespace zsim
