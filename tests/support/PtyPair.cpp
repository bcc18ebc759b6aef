#include "support/PtyPair.h"

#include <pty.h>
#include <unistd.h>

#include <array>

namespace zerandi::test {

namespace {

void CloseEnd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

PtyPair::PtyPair() {
    std::array<char, 256> name{};
    if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
        master_ = -1;
        slave_ = -1;
        return;
    }
    slavePath_ = QString::fromLocal8Bit(name.data());
}

PtyPair::~PtyPair() {
    CloseSlave();
    CloseMaster();
}

void PtyPair::CloseSlave() {
    CloseEnd(slave_);
}

void PtyPair::CloseMaster() {
    CloseEnd(master_);
}

void PtyPair::WriteToMaster(std::span<const uint8_t> bytes) const {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (count <= 0) {
            return;
        }
        done += static_cast<size_t>(count);
    }
}

}  // namespace zerandi::test
