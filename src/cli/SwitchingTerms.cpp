#include "cli/SwitchingTerms.h"

#include <limits>

#include "cli/CliContext.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/OutputRangeRead.h"
#include "connect/SalvoFileCheck.h"

namespace zerandi {

namespace {

constexpr int kMaxWord = std::numeric_limits<uint16_t>::max();

}  // namespace

std::optional<int> ParseWordArgument(const QString& text, int min) {
    return ParseNumberArgument(text, min, kMaxWord);
}

QJsonValue InputValue(int32_t word, int32_t productId) {
    const std::optional<int32_t> input = SourceInput(word, productId);
    return input ? QJsonValue(*input) : QJsonValue();
}

std::optional<OutputRangeWords> OutputRangeWords::Parse(const QStringList& arguments,
                                                        qsizetype at) {
    OutputRangeWords words;
    if (arguments.size() <= at) {
        return words;
    }
    const std::optional<int> first = ParseWordArgument(arguments[at]);
    const std::optional<int> last =
        arguments.size() > at + 1 ? ParseWordArgument(arguments[at + 1]) : first;
    if (!first || !last || *last < *first) {
        return std::nullopt;
    }
    words.first_ = *first;
    words.last_ = *last;
    return words;
}

std::optional<OutputRange> OutputRangeWords::On(const CliContext& context) const {
    const int32_t productId = context.Doc().ProductId();
    const int32_t outputs = ModelOutputCount(productId);
    if (!last_ && outputs <= 0) {
        context.Usage(QStringLiteral("the number of outputs of the %1 is not known: give FIRST "
                                     "and LAST.")
                          .arg(ModelName(productId)));
        return std::nullopt;
    }
    const int last = last_.value_or(outputs);
    if (last > HighestNumber(outputs)) {
        context.Usage(
            QStringLiteral("the %1 has outputs 1 to %2.").arg(ModelName(productId)).arg(outputs));
        return std::nullopt;
    }
    return OutputRange{first_, last};
}

std::variant<OutputsRead, CliExit> ReadNamedOutputs(CliContext& context, qsizetype at) {
    const std::optional<OutputRangeWords> rangeWords =
        OutputRangeWords::Parse(context.Arguments(), at);
    if (!rangeWords) {
        return context.Usage(QStringLiteral("give outputs FIRST <= LAST, from 1 to 65535."));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    const std::optional<OutputRange> range = rangeWords->On(context);
    if (!range) {
        return CliExit::Usage;
    }
    auto words =
        OutputRangeRead(context.Doc().CommPort(), context.Ui()).Run(range->first, range->last);
    if (!words) {
        return CliExit::RouterFailed;
    }
    return OutputsRead{*range, std::move(*words)};
}

}  // namespace zerandi
