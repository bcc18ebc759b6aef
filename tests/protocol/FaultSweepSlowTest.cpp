#include "protocol/FaultSweep.h"

namespace zerandi::test {
namespace {

// Each cell waits out a real reply time-out, up to the flash exit's thirty seconds.
TEST_F(FaultSweepTest, EveryOperationSurvivesEveryFaultThatWaitsOutTheTimeout) {
    Sweep(true);
}

}  // namespace
}  // namespace zerandi::test
