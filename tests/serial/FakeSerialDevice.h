#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

#include "serial/SerialDevice.h"

namespace zerandi::test {

// A SerialDevice that records what the link asks of it and answers reads from a script.
// An empty script reads nothing (a time-out).
class FakeSerialDevice : public SerialDevice {
public:
    struct Record {
        int opens = 0;
        std::vector<uint32_t> readTimeouts;     // every setReadTimeout, in order
        std::vector<uint32_t> timeoutsAtReads;  // the time-out in force at each read
        int writes = 0;
    };
    enum class ReadOutcome { Bytes, Fail, Throw };
    struct ScriptedRead {
        ReadOutcome outcome = ReadOutcome::Bytes;
        std::vector<uint8_t> bytes;
    };

    // The record outlives the device, which the link owns.
    explicit FakeSerialDevice(Record& record) : record_(record) {}

    void ScriptRead(ScriptedRead read) { reads_.push_back(std::move(read)); }
    void RefuseReadTimeouts() { refuseTimeouts_ = true; }

    bool open(const QString&, const LineSettings&) override {
        ++record_.opens;
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setReadTimeout(uint32_t milliseconds) override {
        if (!open_ || refuseTimeouts_) {
            return false;
        }
        record_.readTimeouts.push_back(milliseconds);
        timeout_ = milliseconds;
        return true;
    }
    std::optional<size_t> read(std::span<uint8_t> into) override {
        record_.timeoutsAtReads.push_back(timeout_);
        if (reads_.empty()) {
            return open_ ? std::optional<size_t>(0) : std::nullopt;
        }
        const ScriptedRead next = reads_.front();
        reads_.pop_front();
        if (next.outcome == ReadOutcome::Throw) {
            throw std::runtime_error("scripted read failure");
        }
        if (next.outcome == ReadOutcome::Fail) {
            return std::nullopt;
        }
        const size_t count = std::min(into.size(), next.bytes.size());
        std::copy_n(next.bytes.begin(), count, into.begin());
        return count;
    }
    bool write(std::span<const uint8_t>) override {
        ++record_.writes;
        return open_;
    }
    bool hungUp() const override { return false; }
    QString lastErrorText() const override { return {}; }

private:
    Record& record_;
    std::deque<ScriptedRead> reads_;
    bool open_ = false;
    bool refuseTimeouts_ = false;
    uint32_t timeout_ = 0;
};

}  // namespace zerandi::test
