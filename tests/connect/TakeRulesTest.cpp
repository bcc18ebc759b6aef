#include <gtest/gtest.h>

#include "connect/TakeLists.h"
#include "connect/TakeRules.h"

namespace zerandi::test {
namespace {

TEST(TakeRulesTest, SourceWordCarriesTheFlagsOnlyOnDataRouters) {
    const struct {
        const char* name;
        int input;
        SingleTakeTerms terms;
        uint16_t word;
    } cases[] = {
        {"ordinary router", 12, {}, 12},
        {"ordinary router ignores the menu", 12, {false, false, true, true, true}, 12},
        {"ordinary tri-state", 12, {true, false, false, false, false}, 0xF3F3},
        {"data router, both entries clear", 12, {false, true, false, false, false}, 0x400C},
        {"data router, distributed", 12, {false, true, false, true, false}, 12},
        {"data router, forward on an extended card", 12, {false, true, true, true, true}, 0x800C},
        {"data router, forward without distributed", 12, {false, true, true, false, true}, 0xC00C},
        {"data router, forward on a plain card", 12, {false, true, false, true, true}, 12},
        {"data router tri-state", 5, {true, true, true, false, true}, 0xF3F3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleTakeSource(c.input, c.terms), c.word) << c.name;
    }
}

TEST(TakeRulesTest, FieldsStepWithinOneToTheCount) {
    const struct {
        int value;
        int count;
        bool increment;
        bool decrement;
        int stepped;
    } cases[] = {
        {5, 64, true, false, 6}, {64, 64, true, false, 64}, {5, 64, false, true, 4},
        {1, 64, false, true, 1}, {5, 64, false, false, 5},  {64, 64, true, true, 63},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SteppedNumber(c.value, c.count, c.increment, c.decrement), c.stepped)
            << c.value << " of " << c.count;
    }
}

TEST(TakeListsTest, RangesAndDiagonalsPairInputsWithAscendingOutputs) {
    EXPECT_EQ(RangeTakeList(7, 3, 5), (TakeList{{7, 3}, {7, 4}, {7, 5}}));
    EXPECT_EQ(DiagonalTakeList(4, 2, 4), (TakeList{{4, 2}, {5, 3}, {6, 4}}));
    EXPECT_EQ(ReverseDiagonalTakeList(5, 1, 5), (TakeList{{5, 1}, {4, 2}, {3, 3}, {2, 4}, {1, 5}}));
    EXPECT_EQ(ReverseDiagonalTakeList(4, 1, 5), std::nullopt);
    EXPECT_EQ(ReverseDiagonalRefusal(4, 1, 5),
              "Starting Input value of 4 is not large enough for the number of destinations (5) "
              "in reverse diagonal.");
    // No check against the router's input count.
    const TakeList diagonal = DiagonalTakeList(100, 1, 128);
    ASSERT_EQ(diagonal.size(), 128u);
    EXPECT_EQ(diagonal.back(), (TakePair{227, 128}));
    EXPECT_EQ(ReadBackTakeList(3, {12, 0xF3F3}), (TakeList{{12, 3}, {0xF3F3, 4}}));
}

}  // namespace
}  // namespace zerandi::test
