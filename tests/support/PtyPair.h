#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace zerandi::test {

// A pseudo-terminal pair opened for a test: the code under test opens the slave by its path
// as a serial port, the test works the master. Both ends that are still open close with it.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // False when the system gave no pair; the path is then empty.
    bool IsOpen() const { return master_ >= 0; }
    QString SlavePath() const { return slavePath_; }
    int Master() const { return master_; }
    int Slave() const { return slave_; }

    void CloseSlave();
    // The slave side hangs up.
    void CloseMaster();
    // Writes all the bytes to the master, stopping at the first write that fails.
    void WriteToMaster(std::span<const uint8_t> bytes) const;

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

}  // namespace zerandi::test
