#pragma once

#include <QString>
#include <string>
#include <vector>

#include "sim/FirmwareImage.h"

namespace zerandi::test {

using zsim::DataRecord;
using zsim::ImageLines;

// Writes the lines, each followed by `lineEnd`, the last one only when `endLastLine` is
// set, into a file of this name (after this process's id) in the temporary folder; returns
// its path, or nothing when it could not be written.
QString WriteImage(const QString& name, const std::vector<std::string>& lines,
                   bool endLastLine = true, const std::string& lineEnd = "\n");

}  // namespace zerandi::test
