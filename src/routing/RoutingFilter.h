#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace zerandi {

// The text typed into the grid's filter: terms separated by commas, each a number ("7"), a
// range of numbers ("1-16") or a piece of a name ("VTR"), matched without regard to case.
class RoutingFilter {
public:
    explicit RoutingFilter(const QString& text = {});

    // True when nothing was typed: everything matches.
    bool IsEmpty() const { return ranges_.empty() && words_.isEmpty(); }
    // Whether a port with this number and name matches a term.
    bool Matches(int number, const QString& name) const;

private:
    std::vector<std::pair<int, int>> ranges_;
    QStringList words_;
};

}  // namespace zerandi
