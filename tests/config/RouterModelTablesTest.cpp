#include "config/RouterModelTables.h"

#include <gtest/gtest.h>

#include "protocol/RouterLevel.h"

namespace zerandi {
namespace {

struct SizeCase {
    int32_t productId;
    const char* name;
    int32_t inputs;
    int32_t outputs;
    int32_t monitors;
    int32_t powerSupplies;
};

TEST(RouterModelTablesTest, NamesAndSizesByProductId) {
    const SizeCase cases[] = {
        {8, "QR1205", 16, 8, 0, 2},
        {64, "QR1206", 64, 64, 0, 2},
        {28, "QR1207", 128, 128, 0, 2},
        {56, "QR1208", 256, 256, 0, 4},
        {12, "QR1209", 2048, 512, 6, 2},
        {96, "QS1210", 64, 64, 4, 2},
        {97, "QS1211", 128, 128, 4, 4},
        {98, "QS1212", 1024, 1024, 4, 8},
        {69, "QS1213", 1024, 1024, 8, 8},
        {99, "QS1214", 2048, 2048, 4, 2},
        {63, "QS1215", 256, 256, 2, 8},
        // Named, but without sizes.
        {55, "QR1201", 0, 0, 0, 0},
        {60, "QR1202", 0, 0, 0, 0},
        {61, "QR1203", 0, 0, 0, 0},
        {62, "QR1204", 0, 0, 0, 0},
        {95, "QR1216", 0, 0, 0, 0},
        {90, "QR1217", 0, 0, 0, 0},
        // Not a model.
        {1, "unknown", 0, 0, 0, 0},
        {255, "unknown", 0, 0, 0, 0},
        {-1, "unknown", 0, 0, 0, 0},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.productId);
        EXPECT_EQ(ModelName(c.productId).toStdString(), c.name);
        EXPECT_EQ(ModelInputCount(c.productId), c.inputs);
        EXPECT_EQ(ModelOutputCount(c.productId), c.outputs);
        EXPECT_EQ(ModelMonitorCount(c.productId), c.monitors);
        EXPECT_EQ(ModelPowerSupplyCount(c.productId), c.powerSupplies);
    }
}

TEST(RouterModelTablesTest, ModelListAgreesWithModelName) {
    const auto models = RouterModelNames();
    ASSERT_EQ(models.size(), 17u);
    EXPECT_EQ(models.front().productId, 55);
    EXPECT_EQ(models.back().productId, 90);
    for (const RouterModelName& model : models) {
        EXPECT_EQ(ModelName(model.productId), QString::fromLatin1(model.name));
    }
}

TEST(RouterModelTablesTest, ModelPredicates) {
    const struct {
        int32_t productId;
        bool dataRouter;
        bool triState;
        bool selectableRearDiag;
    } cases[] = {
        {8, false, true, true},    {28, true, true, false},  {56, true, true, false},
        {64, false, false, false}, {12, false, false, true}, {99, false, false, true},
        {284, false, false, true},  // 28 + 256 must not pass for a data router
        {255, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.productId);
        EXPECT_EQ(IsDataRouter(c.productId), c.dataRouter);
        EXPECT_EQ(SupportsTriState(c.productId), c.triState);
        EXPECT_EQ(HasSelectableRearDiag(c.productId), c.selectableRearDiag);
    }
}

TEST(RouterModelTablesTest, TriStateSourceDependsOnTheModel) {
    const struct {
        int32_t source;
        int32_t productId;
        bool triState;
    } cases[] = {
        {TriStateSource, 8, true},
        {TriStateSource, 28, true},
        {TriStateSource, 56, true},
        {TriStateSource, 64, false},  // the model cannot tri-state at all
        {255, 8, true},
        {256, 8, true},
        {255, 28, true},
        {256, 28, true},
        {257, 28, false},
        {254, 8, false},
        {255, 56, false},
        {256, 56, false},
        {0xFFFF, 56, true},
        {0xFFFF, 28, false},
        {0xFFFF, 8, false},
        {255, 12, false},
        {0, 8, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTriStateSource(c.source, c.productId), c.triState)
            << c.source << " on " << c.productId;
    }
}

TEST(RouterModelTablesTest, SignalTypesEachModelSupports) {
    const struct {
        int32_t productId;
        int32_t code;
        bool supported;
    } cases[] = {
        {12, 4, true},   // six monitor outputs
        {64, 4, false},  // none
        {96, 4, true},   {90, 8, true},   {1, 8, true},   {28, 3, true},  {56, 5, true},
        {28, 1, false},  {56, 6, false},  {64, 3, false}, {8, 1, true},   {8, 2, true},
        {12, 2, true},   {64, 1, true},   {8, 7, false},  {63, 6, true},  {69, 127, true},
        {96, 6, true},   {97, 127, true}, {98, 6, true},  {98, 1, false}, {99, 1, true},
        {99, 2, true},   {99, 7, true},   {99, 6, false}, {90, 1, false}, {55, 4, false},
        {12, 99, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SupportsSignalType(c.productId, c.code), c.supported)
            << "id " << c.productId << " code " << c.code;
    }
}

}  // namespace
}  // namespace zerandi
