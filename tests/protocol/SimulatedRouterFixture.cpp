#include "protocol/SimulatedRouterFixture.h"

#include <QString>

#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"

namespace zerandi::test {

SimulatedRouterFixture::SimulatedRouterFixture()
    : protocol(std::make_unique<QtSerialDevice>(), clock) {}

void SimulatedRouterFixture::SetUp() {
    StartRouter(zsim::SimRouter::kDefaultModel);
}

void SimulatedRouterFixture::TearDown() {
    protocol.Close();
    pty.reset();
}

void SimulatedRouterFixture::StartRouter(const std::string& model) {
    protocol.Close();
    pty.reset();
    router = std::make_unique<zsim::SimRouter>(model);
    pty = std::make_unique<zsim::PtySimulator>(*router);
    ASSERT_TRUE(pty->Start());
    ASSERT_TRUE(ReopenLink());
}

bool SimulatedRouterFixture::ReopenLink() {
    return protocol.Reopen(PortChoice::Device(QString::fromStdString(pty->DevicePath())), kBaud, 8,
                           StopBits::One, Parity::None, kRestingReadTimeoutMs);
}

std::vector<uint8_t> SimulatedRouterFixture::DataOf(const std::vector<uint8_t>& frame) {
    constexpr size_t kDataOffset = 7;
    if (frame.size() <= kDataOffset) {
        return {};
    }
    return {frame.begin() + kDataOffset, frame.end() - 1};
}

uint8_t SimulatedRouterFixture::CommandOf(const std::vector<uint8_t>& frame) {
    constexpr size_t kCommandOffset = 6;
    return frame.size() > kCommandOffset ? frame[kCommandOffset] : 0;
}

void SimulatedRouterFixture::ClearRecords() {
    router->ClearReceivedFrames();
    clock.ClearSleeps();
}

}  // namespace zerandi::test
