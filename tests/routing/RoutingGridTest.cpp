#include <gtest/gtest.h>

#include <vector>

#include "names/RouterNames.h"
#include "routing/RoutingGrid.h"
#include "routing/RoutingTexts.h"

namespace zerandi {
namespace {

constexpr int kQR1205 = 8;   // 16 x 8, can disconnect an output
constexpr int kQR1206 = 64;  // 64 x 64
constexpr int kQR1207 = 28;  // 128 x 128 data router

RoutingGrid GridOf(int32_t productId, const std::vector<int32_t>& words = {}) {
    RoutingGrid grid;
    grid.Reset(RoutingGrid::ShapeOf(productId));
    grid.ShowRead(1, words);
    return grid;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

TEST(RoutingGridTest, ReadWordsLightTheirSource) {
    const struct {
        int32_t productId;
        int32_t word;
        std::optional<int> source;
    } cases[] = {
        {kQR1206, 12, 12},
        {kQR1207, 0x4000 | 12, 12},  // a data router's flag bits are not part of the source
        {kQR1207, 0xC000 | 0x7FF, 0x7FF},
        {kQR1207, 0xF3F3, RoutingGrid::kTriState},
        {kQR1205, 0xF3F3, RoutingGrid::kTriState},
        {kQR1205, 255, RoutingGrid::kTriState},  // the small router's own "disconnected"
        {kQR1206, 0xF3F3, 0xF3F3},  // no tri-state on this model: a source beyond the inputs
    };
    for (const auto& c : cases) {
        const RoutingGrid grid = GridOf(c.productId, {c.word});
        EXPECT_EQ(grid.SourceOf(1), c.source) << c.productId << " " << c.word;
        EXPECT_EQ(grid.SourceOf(2), std::nullopt) << "not read";
    }
}

TEST(RoutingGridTest, ATakeReadBackReplacesOneOutputAndAFailedReadForgetsIt) {
    RoutingGrid grid = GridOf(kQR1206, {1, 2, 3});
    grid.ShowOutput(2, 40);
    EXPECT_TRUE(grid.Routed(2, 40));
    EXPECT_FALSE(grid.Routed(2, 2));
    grid.ShowOutput(3, std::nullopt);
    EXPECT_EQ(grid.SourceOf(3), std::nullopt);
    EXPECT_TRUE(grid.Routed(1, 1));
}

// Outputs 1..8 of a 16 x 8 router fed by 3, 3, 5, tri-state, 16, 5, 5, 1.
TEST(RoutingGridTest, FilterAndRoutedOnlyChooseTheRowsAndColumns) {
    RouterNames names;
    names.SetName(NameKind::Output, 2, QStringLiteral("VTR 1"));
    names.SetName(NameKind::Output, 7, QStringLiteral("vtr 2"));
    names.SetName(NameKind::Input, 3, QStringLiteral("CAM 1"));
    names.SetName(NameKind::Input, 9, QStringLiteral("CAM 2"));
    const struct {
        const char* filter;
        bool routedOnly;
        std::vector<int> outputs;
        std::vector<int> inputs;
    } cases[] = {
        {"", false, Range(1, 8), Range(0, 16)},
        {"", true, Range(1, 8), {0, 1, 3, 5, 16}},
        {"5", false, {5}, {5}},
        {"2-4, 7", false, {2, 3, 4, 7}, {2, 3, 4, 7}},
        {" 4 - 2 ,", false, {2, 3, 4}, {2, 3, 4}},
        {"vtr", false, {2, 7}, Range(0, 16)},  // no input matches: every input stays
        {"VTR", true, {2, 7}, {3, 5}},
        {"cam", false, Range(1, 8), {3, 9}},
        {"VTR, CAM", false, {2, 7}, {3, 9}},
        {"VTR, CAM", true, {2, 7}, {3}},
        {"tri", false, Range(1, 8), {0}},
        {"12", false, Range(1, 8), {12}},
        {"nothing", false, {}, {}},
        {"99", true, {}, {}},
    };
    RoutingGrid grid = GridOf(kQR1205, {3, 3, 5, 0xF3F3, 16, 5, 5, 1});
    grid.SetNames(names);
    for (const auto& c : cases) {
        grid.SetFilter(QString::fromUtf8(c.filter));
        grid.SetRoutedOnly(c.routedOnly);
        EXPECT_EQ(grid.Outputs(), c.outputs) << c.filter << " " << c.routedOnly;
        EXPECT_EQ(grid.Inputs(), c.inputs) << c.filter << " " << c.routedOnly;
        for (size_t row = 0; row < c.outputs.size(); ++row) {
            EXPECT_EQ(grid.RowOf(c.outputs[row]), static_cast<int>(row));
        }
    }
}

TEST(RoutingGridTest, RoutedOnlyFollowsTakesAndTheFilterSurvivesANewRouter) {
    RoutingGrid grid = GridOf(kQR1206, {1, 1});
    grid.SetRoutedOnly(true);
    EXPECT_EQ(grid.Inputs(), std::vector<int>{1});
    EXPECT_FALSE(grid.ShowOutput(1, 1)) << "the columns did not change";
    EXPECT_TRUE(grid.ShowOutput(2, 9));
    EXPECT_EQ(grid.Inputs(), (std::vector<int>{1, 9}));
    EXPECT_EQ(grid.ColumnOf(9), 1);
    EXPECT_EQ(grid.ColumnOf(5), -1);

    grid.SetFilter(QStringLiteral("1-3"));
    grid.Reset(RoutingGrid::ShapeOf(kQR1205));
    EXPECT_EQ(grid.Outputs(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(grid.Inputs(), std::vector<int>{}) << "nothing read yet: nothing routed";
}

TEST(RoutingGridTest, CellsAndQuestionsNameThePortsTheyConcern) {
    RouterNames names;
    names.SetName(NameKind::Output, 7, QStringLiteral("VTR 2"));
    names.SetName(NameKind::Input, 12, QStringLiteral("CAM 3"));
    const struct {
        int output;
        int input;
        bool routed;
        const char* text;
    } cases[] = {
        {7, 12, true, "Output 7 VTR 2, input 12 CAM 3, routed"},
        {7, 11, false, "Output 7 VTR 2, input 11, not routed"},
        {8, 12, false, "Output 8, input 12 CAM 3, not routed"},
        {3, RoutingGrid::kTriState, true, "Output 3, tri-state, routed"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CellAccessibleText(names, c.output, c.input, c.routed), c.text);
    }
    EXPECT_EQ(TakeQuestion(names, 7, 12), "Take input 12 CAM 3 to output 7 VTR 2?");
    EXPECT_EQ(TakeQuestion(names, 7, RoutingGrid::kTriState),
              "Disconnect output 7 VTR 2 (tri-state)?");
    EXPECT_EQ(InputHeaderText(names, RoutingGrid::kTriState), "Tri-state");
}

}  // namespace
}  // namespace zerandi
