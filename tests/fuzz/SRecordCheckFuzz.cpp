// A firmware image before it goes to the router: an image that passes holds at least two
// records, each within the line limit and each passing the line check; a problem names a
// line the image has.
#include <QByteArrayView>
#include <algorithm>

#include "FuzzCheck.h"
#include "flash/SRecordChecker.h"

using namespace zerandi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray image = FuzzBytes(data, size);
    SRecordChecker checker;
    const std::optional<SRecordProblem> problem = checker.Check(QByteArrayView(image));
    const auto lineCount = static_cast<int>(image.count('\n')) + 1;

    if (problem) {
        Require(checker.Lines().empty());
        Require(problem->lineNumber >= 1 && problem->lineNumber <= lineCount + 1);
        Require(!problem->description.isEmpty());
        return 0;
    }
    const auto& lines = checker.Lines();
    Require(lines.size() >= SRecordChecker::kMinRecords);
    Require(static_cast<int>(lines.size()) <= lineCount);
    size_t bytesInLines = 0;
    for (const std::string& line : lines) {
        Require(line.size() <= SRecordChecker::kMaxLineChars);
        Require(line.find('\n') == std::string::npos);
        Require(!SRecordChecker::CheckLine(line));
        bytesInLines += line.size() + 1;
    }
    // The records come from the image cut at its line feeds; only blanks and a ^Z are dropped.
    Require(bytesInLines <= size + 1);
    return 0;
}
