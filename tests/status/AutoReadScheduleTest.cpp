#include <gtest/gtest.h>

#include <vector>

#include "status/AutoReadSchedule.h"

namespace zerandi::test {
namespace {

TEST(AutoReadSchedule, ReadsWhenTheTicksAddUpToThePeriod) {
    struct Case {
        QString entry;
        std::vector<bool> due;  // tick by tick
    };
    const Case cases[] = {
        {"2 sec", {true, true, true}},
        {"", {true, true}},
        {"6 sec", {false, false, true, false, false, true}},
        {"nonsense", {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        AutoReadSchedule schedule;
        schedule.Restart(AutoReadSchedule::ReadPeriodMs(c.entry));
        std::vector<bool> due;
        for (size_t i = 0; i < c.due.size(); ++i) {
            due.push_back(schedule.Tick());
        }
        EXPECT_EQ(due, c.due);
    }
}

TEST(AutoReadSchedule, RestartCountsAfresh) {
    AutoReadSchedule schedule;
    schedule.Restart(4000);
    EXPECT_FALSE(schedule.Tick());
    schedule.Restart(4000);
    EXPECT_FALSE(schedule.Tick()) << "the tick before the restart no longer counts";
    EXPECT_TRUE(schedule.Tick());
}

}  // namespace
}  // namespace zerandi::test
