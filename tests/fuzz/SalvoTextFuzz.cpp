// A salvo file a user opens: what was read is written back and read again unchanged.
#include "FuzzCheck.h"
#include "connect/SalvoFile.h"

using namespace zerandi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SalvoFileContents read = ReadSalvoText(FuzzBytes(data, size));
    // Each take needs two words of at least one digit and a separator after each.
    Require(read.entries.size() * 4 <= size + 1);

    const QByteArray written = SalvoFileBytes(read.entries);
    const SalvoFileContents again = ReadSalvoText(written);
    Require(!again.endedAtText);
    Require(again.entries == read.entries);
    Require(written.count("\r\n") == static_cast<qsizetype>(read.entries.size()));
    return 0;
}
