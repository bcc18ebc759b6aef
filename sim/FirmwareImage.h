#pragma once

#include <string>
#include <vector>

namespace zsim {

// Firmware images as a control card receives them: S-record lines with two address bytes.

// A well-formed S1 record at address `index` * 16, carrying `dataBytes` bytes that vary with
// it.
std::string DataRecord(int index, int dataBytes = 16);
// `count` well-formed records: data records, then a termination record.
std::vector<std::string> ImageLines(int count);
// Writes the lines into the file at `path`, each followed by `lineEnd`, the last one only when
// `endLastLine` is set; false when the file could not be written.
bool WriteImageFile(const std::string& path, const std::vector<std::string>& lines,
                    bool endLastLine = true, const std::string& lineEnd = "\n");

}  // namespace zsim
