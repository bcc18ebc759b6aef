// A ".prt" file for a router whose port count the first byte chooses.
#include <algorithm>

#include "FuzzCheck.h"
#include "porttypes/PortTypeFile.h"

using namespace zerandi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // Up to 510 ports, so routers with more ports than the file holds are tried too.
    const size_t portCount = static_cast<size_t>(data[0]) * 2;
    const QByteArray bytes = FuzzBytes(data + 1, size - 1);
    const PortTypeFile::Contents contents = PortTypeFile::Decode(bytes, portCount);

    Require(contents.outcome == PortTypeFile::Outcome::Read);
    Require(contents.types.size() == portCount);
    const size_t held = std::min<size_t>(size - 1, PortTypeFile::kFileBytes);
    Require(contents.shortFile == (held < portCount));
    for (size_t k = 0; k < portCount; ++k) {
        const int expected =
            k < held ? static_cast<uint8_t>(bytes.at(static_cast<qsizetype>(k))) : 0;
        Require(static_cast<int>(contents.types[k]) == expected);
    }
    // Written back, the file reads as the same table.
    const QByteArray image = PortTypeFile::Encode(contents.types);
    Require(image.size() == PortTypeFile::kFileBytes);
    if (portCount <= PortTypeFile::kFileBytes) {
        Require(PortTypeFile::Decode(image, portCount).types == contents.types);
    }
    return 0;
}
