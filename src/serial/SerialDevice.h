#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zerandi {

enum class Parity { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class StopBits { One = 0, OneAndHalf = 1, Two = 2 };

struct LineSettings {
    uint32_t baud = 9600;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
    Parity parity = Parity::None;
};

// The operating system's serial port, as the link needs it. Reads return as soon
// as some bytes are there, or with none once the read time-out has run out.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device at this system path (e.g. /dev/ttyS0, /dev/ttyUSB0, /dev/pts/3)
    // with the line settings: no flow control, DTR and RTS asserted.
    virtual bool open(const QString& systemPath, const LineSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // The longest a read waits for its first byte; 0 returns at once with what is buffered.
    virtual bool setReadTimeout(uint32_t milliseconds) = 0;

    // Number of bytes read (0 on time-out), or nothing when the read call failed.
    // A device that went away (hang-up) fails and reports hungUp() from then on.
    virtual std::optional<size_t> read(std::span<uint8_t> into) = 0;

    // True only if every byte was written.
    virtual bool write(std::span<const uint8_t> bytes) = 0;

    virtual bool hungUp() const = 0;

    // Why the last open failed, in words for the user (empty when unknown).
    virtual QString lastErrorText() const = 0;

    // How the last open left the driver's low-latency mode, in words for the communication
    // log; empty for a device that has nothing to say about it.
    virtual QString lowLatencyText() const { return {}; }
};

}  // namespace zerandi
