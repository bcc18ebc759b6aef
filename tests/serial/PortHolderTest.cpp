#include <gtest/gtest.h>

#include <optional>

#include "serial/PortHolder.h"

namespace zerandi {
namespace {

const PortHolder::DeviceId kPts3{0x00, 0x1a, 3};

TEST(PortHolderTest, TheLockOnTheDeviceNamesItsProcess) {
    const struct {
        const char* name;
        QByteArray locks;
        std::optional<int64_t> pid;
    } cases[] = {
        {"an exclusive lock on the device", "1: FLOCK  ADVISORY  WRITE 1234 00:1a:3 0 EOF\n", 1234},
        {"among locks on other files",
         "1: POSIX  ADVISORY  WRITE 88 08:01:3 0 EOF\n"
         "2: FLOCK  ADVISORY  WRITE 4321 00:1a:3 0 EOF\n",
         4321},
        {"a lock on another device with the same inode",
         "1: FLOCK  ADVISORY  WRITE 1234 00:1b:3 0 EOF\n", std::nullopt},
        {"a lock on another inode", "1: FLOCK  ADVISORY  WRITE 1234 00:1a:33 0 EOF\n",
         std::nullopt},
        {"a process waiting for the lock is not its holder",
         "1: -> FLOCK  ADVISORY  WRITE 999 00:1a:3 0 EOF\n"
         "1: FLOCK  ADVISORY  WRITE 1234 00:1a:3 0 EOF\n",
         1234},
        {"a line cut short", "1: FLOCK  ADVISORY  WRITE 1234\n", std::nullopt},
        {"no locks at all", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PortHolder::PidFromLocks(c.locks, kPts3), c.pid);
    }
}

TEST(PortHolderTest, TheLockFileNamesItsProcess) {
    const struct {
        const char* name;
        QByteArray text;
        std::optional<int64_t> pid;
    } cases[] = {
        {"as Qt writes it", "11975\nzerandi\nbench-pc\n3d1219c7\n", 11975},
        {"as UUCP programs write it", "      4711\n", 4711},
        {"empty", "", std::nullopt},
        {"not a number", "zerandi\n", std::nullopt},
        {"not a process", "0\n", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PortHolder::PidFromLockFile(c.text), c.pid);
    }
}

}  // namespace
}  // namespace zerandi
