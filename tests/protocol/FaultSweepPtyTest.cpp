#include "protocol/FaultSweep.h"

namespace zerandi::test {
namespace {

TEST_F(FaultSweepTest, EveryOperationSurvivesEveryFaultThatAnswersAtOnce) {
    Sweep(false);
}

}  // namespace
}  // namespace zerandi::test
