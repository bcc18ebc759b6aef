#include "routing/RoutingFilter.h"

#include <QRegularExpression>
#include <algorithm>

namespace zerandi {

RoutingFilter::RoutingFilter(const QString& text) {
    static const QRegularExpression kRange(QStringLiteral(R"(^(\d+)\s*(?:-\s*(\d+))?$)"));
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString term = part.trimmed();
        if (term.isEmpty()) {
            continue;
        }
        const QRegularExpressionMatch range = kRange.match(term);
        if (!range.hasMatch()) {
            words_ << term;
            continue;
        }
        const int first = range.captured(1).toInt();
        const int last = range.captured(2).isEmpty() ? first : range.captured(2).toInt();
        ranges_.emplace_back(std::min(first, last), std::max(first, last));
    }
}

bool RoutingFilter::Matches(int number, const QString& name) const {
    const bool inRange = std::any_of(ranges_.begin(), ranges_.end(), [number](const auto& range) {
        return number >= range.first && number <= range.second;
    });
    return inRange || std::any_of(words_.begin(), words_.end(), [&name](const QString& word) {
               return name.contains(word, Qt::CaseInsensitive);
           });
}

}  // namespace zerandi
