#include "protocol/FacadeFixture.h"

#include <QString>

#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"

namespace zerandi::test {

namespace {

std::string IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return "none";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Warning:
            return "warning";
        case MessageIcon::Stop:
            return "stop";
        case MessageIcon::Question:
            return "question";
    }
    return {};
}

}  // namespace

FacadeFixture::FacadeFixture() : port(ui, std::make_unique<QtSerialDevice>(), clock) {}

void FacadeFixture::SetUp() {
    StartRouter(zsim::SimRouter::kDefaultModel);
}

void FacadeFixture::TearDown() {
    port.Close();
    pty.reset();
}

void FacadeFixture::StartRouter(const std::string& model) {
    port.Close();
    pty.reset();
    router = std::make_unique<zsim::SimRouter>(model);
    pty = std::make_unique<zsim::PtySimulator>(*router);
    ASSERT_TRUE(pty->Start());
    ASSERT_TRUE(port.Reopen(PortChoice::Device(QString::fromStdString(pty->DevicePath())), kBaud, 8,
                            StopBits::One, Parity::None, kRestingReadTimeoutMs));
    ClearRecords();
}

void FacadeFixture::InjectFault(zsim::SimFault::Kind kind, int command, int param, int times,
                                int subCommand) {
    router->InjectFault({kind, param, command, subCommand, times, {}, 0});
}

void FacadeFixture::ClearRecords() {
    router->ClearReceivedFrames();
    ui.ClearMessages();
    clock.ClearSleeps();
}

uint8_t FacadeFixture::CommandOf(const std::vector<uint8_t>& frame) {
    constexpr size_t kCommandOffset = 6;
    return frame.size() > kCommandOffset ? frame[kCommandOffset] : 0;
}

uint16_t FacadeFixture::WordAt(const std::vector<uint8_t>& frame, size_t offset) {
    if (frame.size() < offset + 2) {
        return 0;
    }
    return static_cast<uint16_t>(frame[offset] << 8 | frame[offset + 1]);
}

std::vector<std::string> FacadeFixture::Boxes() const {
    std::vector<std::string> boxes;
    for (const auto& message : ui.Messages()) {
        boxes.push_back(message.text.toStdString() + "|" + IconName(message.icon) + "|" +
                        message.caption.toStdString());
    }
    return boxes;
}

std::string FacadeFixture::Box(const std::string& text, const std::string& caption) {
    return text + "|warning|" + caption;
}

}  // namespace zerandi::test
