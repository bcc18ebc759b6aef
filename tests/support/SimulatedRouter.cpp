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

uint16_t SimulatedRouter::SourceOn(int output) const {
    return router_->Snapshot().crosspoints.at(static_cast<size_t>(output - 1));
}

void SimulatedRouter::Route(int output, uint16_t source) {
    router_->Update(
        [&](zsim::RouterState& s) { s.crosspoints.at(static_cast<size_t>(output - 1)) = source; });
}

}  // namespace zerandi::test
