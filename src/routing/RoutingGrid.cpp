#include "routing/RoutingGrid.h"

#include <algorithm>
#include <numeric>

#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "routing/RoutingTexts.h"

namespace zerandi {

namespace {

std::vector<int> Numbers(int first, int last) {
    std::vector<int> numbers(static_cast<size_t>(std::max(0, last - first + 1)));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

int IndexIn(const std::vector<int>& sorted, int value) {
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), value);
    return found != sorted.end() && *found == value ? static_cast<int>(found - sorted.begin()) : -1;
}

}  // namespace

RoutingGrid::Shape RoutingGrid::ShapeOf(int32_t productId) {
    return {productId, ModelInputCount(productId), ModelOutputCount(productId),
            SupportsTriState(productId), IsDataRouter(productId)};
}

void RoutingGrid::Reset(const Shape& shape) {
    shape_ = shape;
    sources_.assign(static_cast<size_t>(std::max(0, shape.outputs)), kNotRead);
    Refilter();
}

void RoutingGrid::SetNames(const RouterNames& names) {
    names_ = names;
    Refilter();
}

int RoutingGrid::SourceOfWord(int32_t word) const {
    const int32_t source = ConnectionSource(word, shape_.dataRouter);
    if (IsTriStateSource(word, shape_.productId) || IsTriStateSource(source, shape_.productId)) {
        return kTriState;
    }
    return source;
}

bool RoutingGrid::ShowRead(int first, const std::vector<int32_t>& words) {
    for (size_t i = 0; i < words.size(); ++i) {
        const int output = first + static_cast<int>(i);
        if (output >= 1 && output <= shape_.outputs) {
            sources_[static_cast<size_t>(output - 1)] = SourceOfWord(words[i]);
        }
    }
    return Refilter();
}

bool RoutingGrid::ShowOutput(int output, std::optional<int32_t> word) {
    if (output < 1 || output > shape_.outputs) {
        return false;
    }
    sources_[static_cast<size_t>(output - 1)] = word ? SourceOfWord(*word) : kNotRead;
    return routedOnly_ && Refilter();
}

std::optional<int> RoutingGrid::SourceOf(int output) const {
    if (output < 1 || output > shape_.outputs) {
        return std::nullopt;
    }
    const int source = sources_[static_cast<size_t>(output - 1)];
    return source == kNotRead ? std::nullopt : std::optional<int>(source);
}

bool RoutingGrid::Routed(int output, int input) const {
    return SourceOf(output) == input;
}

int RoutingGrid::OutputsFedBy(int input) const {
    return static_cast<int>(std::count(sources_.begin(), sources_.end(), input));
}

void RoutingGrid::SetFilter(const QString& text) {
    filter_ = RoutingFilter(text);
    Refilter();
}

void RoutingGrid::SetRoutedOnly(bool routedOnly) {
    routedOnly_ = routedOnly;
    Refilter();
}

int RoutingGrid::RowOf(int output) const {
    return IndexIn(outputs_, output);
}

int RoutingGrid::ColumnOf(int input) const {
    return IndexIn(inputs_, input);
}

std::vector<int> RoutingGrid::MatchingOutputs() const {
    std::vector<int> matching;
    for (int output = 1; output <= shape_.outputs; ++output) {
        if (filter_.Matches(output, names_.Name(NameKind::Output, output))) {
            matching.push_back(output);
        }
    }
    return matching;
}

std::vector<int> RoutingGrid::MatchingInputs() const {
    std::vector<int> matching;
    if (shape_.triStateColumn && filter_.Matches(kTriState, TriStateColumnTitle())) {
        matching.push_back(kTriState);
    }
    for (int input = 1; input <= shape_.inputs; ++input) {
        if (filter_.Matches(input, names_.Name(NameKind::Input, input))) {
            matching.push_back(input);
        }
    }
    return matching;
}

std::vector<int> RoutingGrid::FeedingInputs(const std::vector<int>& inputs) const {
    std::vector<bool> feeds(static_cast<size_t>(shape_.inputs) + 1, false);
    for (const int output : outputs_) {
        const int source = sources_[static_cast<size_t>(output - 1)];
        if (source >= 0 && source <= shape_.inputs) {
            feeds[static_cast<size_t>(source)] = true;
        }
    }
    std::vector<int> routed;
    std::copy_if(inputs.begin(), inputs.end(), std::back_inserter(routed),
                 [&feeds](int input) { return feeds[static_cast<size_t>(input)]; });
    return routed;
}

bool RoutingGrid::Refilter() {
    std::vector<int> outputs = Numbers(1, shape_.outputs);
    std::vector<int> inputs = Numbers(shape_.triStateColumn ? kTriState : 1, shape_.inputs);
    if (!filter_.IsEmpty()) {
        std::vector<int> matchingOutputs = MatchingOutputs();
        std::vector<int> matchingInputs = MatchingInputs();
        const bool anyMatch = !matchingOutputs.empty() || !matchingInputs.empty();
        if (!matchingOutputs.empty() || !anyMatch) {
            outputs = std::move(matchingOutputs);
        }
        if (!matchingInputs.empty() || !anyMatch) {
            inputs = std::move(matchingInputs);
        }
    }
    const bool changed = outputs != outputs_;
    outputs_ = std::move(outputs);
    if (routedOnly_) {
        inputs = FeedingInputs(inputs);
    }
    const bool columnsChanged = inputs != inputs_;
    inputs_ = std::move(inputs);
    return changed || columnsChanged;
}

}  // namespace zerandi
