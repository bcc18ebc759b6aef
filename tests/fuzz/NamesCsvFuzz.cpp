// A names file a user imports or gives to the command line: the names the reader accepts
// are written back and read again unchanged.
#include "FuzzCheck.h"
#include "names/RouterNames.h"
#include "names/RouterNamesCsv.h"

using namespace zerandi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString fault;
    const auto names = RouterNamesFromCsv(FuzzBytes(data, size), RouterNames::kMaxNumber,
                                          RouterNames::kMaxNumber, fault);
    Require(names.has_value() == fault.isEmpty());
    if (!names) {
        return 0;
    }
    QString againFault;
    const auto again = RouterNamesFromCsv(RouterNamesToCsv(*names), RouterNames::kMaxNumber,
                                          RouterNames::kMaxNumber, againFault);
    Require(again.has_value());
    Require(*again == *names);
    return 0;
}
