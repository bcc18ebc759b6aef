#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "cli/CliExit.h"

namespace zerandi {

class CliContext;

// An input, output or monitor number as the router's 16-bit words carry it: `min` to 65535.
std::optional<int> ParseWordArgument(const QString& text, int min = 1);

// The input a source word names on the model, as a result gives it: null for tri-state.
QJsonValue InputValue(int32_t word, int32_t productId);

// Outputs first to last.
struct OutputRange {
    int first = 0;
    int last = 0;
};

// FIRST and LAST of a command that reads outputs: checked as numbers before the line is
// opened, and against the router's outputs once it is known.
class OutputRangeWords {
public:
    // The words from `at` on: none (every output), FIRST alone, or FIRST and LAST; nothing
    // when they are not numbers from 1 with FIRST <= LAST.
    static std::optional<OutputRangeWords> Parse(const QStringList& arguments, qsizetype at);

    // The range on the identified router; nothing, after a usage error, when it reaches past
    // the router's outputs or names no output at all.
    std::optional<OutputRange> On(const CliContext& context) const;

private:
    int first_ = 1;
    std::optional<int> last_;  // nothing: every output
};

// The outputs a command names and the source word of each, as the router reported them.
struct OutputsRead {
    OutputRange range;
    std::vector<int32_t> words;
};

// Reads the outputs named by the arguments from `at` on (every output by default): the
// numbers checked before the line is opened, the range against the identified router, then
// read. The exit status instead, after saying why, when any step fails.
std::variant<OutputsRead, CliExit> ReadNamedOutputs(CliContext& context, qsizetype at);

}  // namespace zerandi
