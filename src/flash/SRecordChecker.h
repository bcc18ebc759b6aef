#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerandi {

// The first thing wrong with a firmware image: its line (numbered from 1) and what is wrong.
struct SRecordProblem {
    int lineNumber = 0;
    QString description;
    bool operator==(const SRecordProblem&) const = default;
};

// Checks a whole firmware image of S-record lines before any of it goes to the router: a
// download that stops half way can leave a control card that does not start.
class SRecordChecker {
public:
    // The longest line (carriage return included, line feed not) that one record message carries.
    static constexpr size_t kMaxLineChars = 199;
    // The first two records travel in their own transactions before the rest.
    static constexpr size_t kMinRecords = 2;

    // Splits the image at its line feeds and checks every line; a last line without a line
    // feed is a line like the others. Blank lines, trailing white space and a final ^Z are
    // skipped; problems are numbered by the file's lines. Lines() then holds the records as
    // they are sent: without the line feed or trailing blanks, with the carriage return that
    // ended the line kept.
    std::optional<SRecordProblem> Check(QByteArrayView image);
    const std::vector<std::string>& Lines() const { return lines_; }

    // What is wrong with one line (without its line feed), or nothing.
    static std::optional<QString> CheckLine(std::string_view line);

private:
    std::vector<std::string> lines_;
};

}  // namespace zerandi
