#include "protocol/FaultSweep.h"

namespace zerandi::test {
namespace {

// Each cell waits out a real reply time-out, up to the flash exit's thirty seconds, so the
// cells are dealt out to shards that CTest runs side by side.
constexpr size_t kSweepShards = 8;

class FaultSweepShardTest : public FaultSweepTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(FaultSweepShardTest, EveryOperationSurvivesEveryFaultThatWaitsOutTheTimeout) {
    Sweep(true, GetParam(), kSweepShards);
}

INSTANTIATE_TEST_SUITE_P(Shard, FaultSweepShardTest, ::testing::Range<size_t>(0, kSweepShards));

}  // namespace
}  // namespace zerandi::test
