#pragma once

#include <QString>
#include <string>
#include <vector>

namespace zerandi::test {

// A well-formed S1 record at address `index`, carrying `dataBytes` bytes that vary with it.
std::string DataRecord(int index, int dataBytes = 16);
// `count` well-formed records: data records, then a termination record.
std::vector<std::string> ImageLines(int count);
// Writes the lines, each followed by `lineEnd`, the last one only when `endLastLine` is
// set, into a file of this name (after this process's id) in the temporary folder; returns
// its path.
QString WriteImage(const QString& name, const std::vector<std::string>& lines,
                   bool endLastLine = true, const std::string& lineEnd = "\n");

}  // namespace zerandi::test
