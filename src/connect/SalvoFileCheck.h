#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "connect/TakeLists.h"

namespace zerandi {

// The input a source word names on this model, as the connections list counts it (a data
// router's flag bits aside); nothing for a tri-state source.
std::optional<int32_t> SourceInput(int32_t word, int32_t productId);

// The highest number a model takes from `count`, its number of inputs, outputs or monitors:
// any 16-bit number for a model without a size row, which only the router can judge.
int32_t HighestNumber(int32_t count);

// A salvo file read strictly, for a run that makes every take of the file or sends nothing:
// the whole file is read and checked before the first take. It reads what SalvoFileBytes
// writes and what the salvo loader reads the same way, and refuses anything the two could
// read differently: every word is a decimal number from 0 to 65535 without leading zeros,
// every input has its output, and the file holds at least one take. A UTF-8 byte-order mark
// at the start is skipped. A fault names the file, the line and the word.
class SalvoFileCheck {
public:
    // `fileName` is how the faults name the file.
    explicit SalvoFileCheck(QString fileName);

    // Reads every take of `bytes`, once; false at the first fault, with Fault() saying it.
    bool Read(QByteArrayView bytes);
    // Whether every take read fits the model: each output one the router has, each input one
    // of its inputs or its tri-state source. A model without a known size is not checked
    // beyond the 16-bit words. False at the first take that does not fit, with Fault().
    bool FitsModel(int32_t productId);

    const TakeList& Takes() const { return takes_; }
    const QString& Fault() const { return fault_; }

private:
    struct Lines {
        int input = 0;
        int output = 0;
    };

    bool ReadWord(QByteArrayView word, int line);
    bool Refuse(int line, const QString& problem);

    QString fileName_;
    TakeList takes_;
    std::vector<Lines> lines_;  // where each take stands in the file
    std::optional<uint16_t> input_;
    int inputLine_ = 0;
    QString fault_;
};

}  // namespace zerandi
