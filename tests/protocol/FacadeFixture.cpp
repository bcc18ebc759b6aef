#include "protocol/FacadeFixture.h"

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
    simulator.Stop();
}

void FacadeFixture::StartRouter(const std::string& model) {
    port.Close();
    ASSERT_TRUE(simulator.Start(model));
    ASSERT_TRUE(port.Reopen(simulator.Port(), kBaud, 8, StopBits::One, Parity::None,
                            kRestingReadTimeoutMs));
    ClearRecords();
}

void FacadeFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();
    clock.ClearSleeps();
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
