#pragma once

#include <QString>

namespace zerandi {

// The program's identity strings, process-wide. Filled once at start-up by
// ReadVersionInfo and read-only afterwards; every field holds "Uninitialized" until then.
class VersionInfo {
public:
    static QString ProductName();
    static QString CompanyName();
    static QString LegalCopyright();
    static QString FileVersion();  // four numbers, e.g. "1.0.0.1"
};

// Fills VersionInfo from the values built into the program.
void ReadVersionInfo();

}  // namespace zerandi
