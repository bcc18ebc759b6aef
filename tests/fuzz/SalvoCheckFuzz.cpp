// A salvo file the command line runs: what the strict check accepts is written back and
// read again unchanged, and the window's salvo loader reads the same takes from it.
#include "FuzzCheck.h"
#include "connect/SalvoFile.h"
#include "connect/SalvoFileCheck.h"

using namespace zerandi;

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    SalvoFileCheck check(QStringLiteral("fuzz.svo"));
    if (!check.Read(bytes)) {
        Require(!check.Fault().isEmpty());
        return 0;
    }
    Require(!check.Takes().empty());

    SalvoFileCheck again(QStringLiteral("again.svo"));
    Require(again.Read(SalvoFileBytes(check.Takes())));
    Require(again.Takes() == check.Takes());

    // The two readers never disagree on a file the check lets through; the loader does not
    // skip a byte-order mark, so that one is left to the check.
    if (!bytes.startsWith(kByteOrderMark)) {
        const SalvoFileContents loaded = ReadSalvoText(bytes);
        Require(loaded.entries == check.Takes());
    }
    return 0;
}
