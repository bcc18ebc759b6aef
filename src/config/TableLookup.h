#pragma once

namespace zerandi {

// Scans every row; the last row that matches wins. nullptr when none matches.
template <typename Rows, typename Predicate>
constexpr const typename Rows::value_type* FindLastRow(const Rows& rows, Predicate matches) {
    const typename Rows::value_type* found = nullptr;
    for (const auto& row : rows) {
        if (matches(row)) {
            found = &row;
        }
    }
    return found;
}

}  // namespace zerandi
