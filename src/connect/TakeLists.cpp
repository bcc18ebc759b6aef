#include "connect/TakeLists.h"

namespace zerandi {

namespace {

// Pairs input(k) with output first+k for k = 0 .. last-first.
template <typename InputOf>
TakeList BuildTakeList(int first, int last, InputOf inputOf) {
    TakeList takes;
    if (last >= first) {
        takes.reserve(static_cast<size_t>(last - first + 1));
    }
    for (int output = first; output <= last; ++output) {
        takes.emplace_back(static_cast<uint16_t>(inputOf(output - first)),
                           static_cast<uint16_t>(output));
    }
    return takes;
}

}  // namespace

TakeList RangeTakeList(int input, int first, int last) {
    return BuildTakeList(first, last, [input](int) { return input; });
}

TakeList DiagonalTakeList(int input, int first, int last) {
    return BuildTakeList(first, last, [input](int k) { return input + k; });
}

std::optional<TakeList> ReverseDiagonalTakeList(int input, int first, int last) {
    const int destinations = last - first + 1;
    if (input < destinations) {
        return std::nullopt;
    }
    return BuildTakeList(first, last, [input](int k) { return input - k; });
}

QString ReverseDiagonalRefusal(int input, int first, int last) {
    return QStringLiteral(
               "Starting Input value of %1 is not large enough for the number of destinations "
               "(%2) in reverse diagonal.")
        .arg(input)
        .arg(last - first + 1);
}

TakeList ReadBackTakeList(int first, const std::vector<int32_t>& words) {
    TakeList takes;
    takes.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        takes.emplace_back(static_cast<uint16_t>(words[i]),
                           static_cast<uint16_t>(first + static_cast<int>(i)));
    }
    return takes;
}

}  // namespace zerandi
