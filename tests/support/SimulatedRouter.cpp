#include "support/SimulatedRouter.h"

#include <QString>

namespace zerandi::test {

bool SimulatedRouter::Start(const std::string& model) {
    pty_.reset();
    router_ = std::make_unique<zsim::SimRouter>(model);
    pty_ = std::make_unique<zsim::PtySimulator>(*router_);
    return pty_->Start();
}

void SimulatedRouter::Stop() {
    pty_.reset();
}

PortChoice SimulatedRouter::Port() const {
    return PortChoice::Device(QString::fromStdString(pty_->DevicePath()));
}

}  // namespace zerandi::test
