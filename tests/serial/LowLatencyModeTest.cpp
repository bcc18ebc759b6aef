#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "serial/LowLatencyMode.h"

namespace zerandi {
namespace {

constexpr int kDescriptor = 7;
const QString kAdapterTimer = QStringLiteral("/sys/class/tty/ttyUSB0/device/latency_timer");

// The system as a test sets it up: what each control reads, whether each write is taken,
// and every write in order.
struct Settings {
    std::optional<bool> flag;
    bool flagWritable = true;
    std::optional<int> timerMs;
    bool timerWritable = true;
};

struct FakeSystem {
    Settings now;
    std::vector<bool> flagWrites;
    std::vector<int> timerWrites;
};

class FakeLatencyControls : public LatencyControls {
public:
    explicit FakeLatencyControls(FakeSystem& system) : system_(system) {}

    std::optional<bool> LowLatencyFlag(int descriptor) override {
        return descriptor == kDescriptor ? system_.now.flag : std::nullopt;
    }
    bool SetLowLatencyFlag(int descriptor, bool on) override {
        if (descriptor != kDescriptor || !system_.now.flag || !system_.now.flagWritable) {
            return false;
        }
        system_.flagWrites.push_back(on);
        system_.now.flag = on;
        return true;
    }
    std::optional<int> LatencyTimerMs(const QString& timerFile) override {
        return timerFile == kAdapterTimer ? system_.now.timerMs : std::nullopt;
    }
    bool SetLatencyTimerMs(const QString& timerFile, int milliseconds) override {
        if (timerFile != kAdapterTimer || !system_.now.timerMs || !system_.now.timerWritable) {
            return false;
        }
        system_.timerWrites.push_back(milliseconds);
        system_.now.timerMs = milliseconds;
        return true;
    }

private:
    FakeSystem& system_;
};

TEST(LowLatencyModeTest, DecidesSetsAndRestoresExactlyWhatItChanged) {
    struct Case {
        const char* name;
        Settings settings;
        QString text;
        std::vector<bool> flagWritesOnApply;
        std::vector<int> timerWritesOnApply;
        std::optional<bool> flagAfterClose;
        std::optional<int> timerAfterClose;
    };
    const Case cases[] = {
        {"the driver takes the flag", {false, true, std::nullopt}, "on", {true}, {}, false, {}},
        {"the flag was already set", {true, true, std::nullopt}, "already on", {}, {}, true, {}},
        {"the driver refuses the flag",
         {false, false, std::nullopt},
         "refused by the driver",
         {},
         {},
         false,
         {}},
        {"no such setting (a pseudo-terminal)",
         {std::nullopt, true, std::nullopt},
         "not available on this device; it is used as it is",
         {},
         {},
         std::nullopt,
         {}},
        {"flag and a writable timer",
         {false, true, 16},
         "on, latency timer 1 ms (was 16 ms)",
         {true},
         {1},
         false,
         16},
        {"timer not writable is left", {false, true, 16, false}, "on", {true}, {}, false, 16},
        {"a timer without the flag",
         {std::nullopt, true, 32},
         "latency timer 1 ms (was 32 ms)",
         {},
         {1},
         std::nullopt,
         32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system{c.settings, {}, {}};
        LowLatencyMode mode(std::make_unique<FakeLatencyControls>(system));

        EXPECT_EQ(mode.Apply(kDescriptor, kAdapterTimer), c.text);
        EXPECT_EQ(system.flagWrites, c.flagWritesOnApply);
        EXPECT_EQ(system.timerWrites, c.timerWritesOnApply);

        mode.Restore();
        EXPECT_EQ(system.now.flag, c.flagAfterClose);
        EXPECT_EQ(system.now.timerMs, c.timerAfterClose);
        const size_t writes = system.flagWrites.size() + system.timerWrites.size();
        mode.Restore();  // a second close puts nothing back again
        EXPECT_EQ(system.flagWrites.size() + system.timerWrites.size(), writes);
    }
}

// After a hang-up the descriptor is closed and may be reused: nothing is put back through it.
TEST(LowLatencyModeTest, AVanishedDeviceHasNothingPutBack) {
    FakeSystem system{{false, true, 16}, {}, {}};
    LowLatencyMode mode(std::make_unique<FakeLatencyControls>(system));
    mode.Apply(kDescriptor, kAdapterTimer);
    mode.Forget();
    mode.Restore();
    EXPECT_EQ(system.flagWrites, std::vector<bool>{true});
    EXPECT_EQ(system.timerWrites, std::vector<int>{1});
}

TEST(LowLatencyModeTest, TheTimerIsFoundThroughLinksToTheRealDevice) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("serial/by-id"));
    QFile device(dir.filePath("ttyUSB7"));
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link("../../ttyUSB7", dir.filePath("serial/by-id/usb-FTDI_FT232R-if00")));
    const struct {
        QString path;
        QString timerFile;
    } cases[] = {
        {dir.filePath("ttyUSB7"), "/sys/class/tty/ttyUSB7/device/latency_timer"},
        {dir.filePath("serial/by-id/usb-FTDI_FT232R-if00"),
         "/sys/class/tty/ttyUSB7/device/latency_timer"},
        {dir.filePath("ttyUSB9"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(LowLatencyMode::LatencyTimerFile(c.path), c.timerFile);
    }
}

}  // namespace
}  // namespace zerandi
