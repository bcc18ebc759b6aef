#include "porttypes/PortTypesTransfer.h"

#include <cstdint>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

const QString kReadFailedText =
    QStringLiteral("Unable to read the Port Type data from the Router.");
const QString kWriteFailedText = QStringLiteral("Unable to write the Port Config. data.");

}  // namespace

PortTypesTransfer::PortTypesTransfer(RouterConfigDoc& doc) : doc_(doc) {}

size_t PortTypesTransfer::PortCount() const {
    return RouterPortCount(ModelInputCount(doc_.ProductId()));
}

bool PortTypesTransfer::Read(PortTypesTable& table) {
    std::vector<uint8_t> codes(PortCount(), 0);
    bool reverse = false;
    uint8_t takeDelay = 0;
    bool read = false;
    {
        BusyScope busy(doc_.Ui());
        read = doc_.CommPort().GetDataRouterParameters(reverse, takeDelay, codes);
    }
    if (!read) {
        doc_.Ui().showMessage(kReadFailedText, MessageIcon::Warning);
        return false;
    }
    table = PortTypesTable{std::vector<PortType>(codes.begin(), codes.end()), reverse, takeDelay};
    return true;
}

bool PortTypesTransfer::Write(const PortTypesTable& table, bool keepUnknownCodes) {
    const uint8_t reverse = table.reverse && !doc_.IsExtendedControlCard() ? 1 : 0;
    const auto takeDelay = static_cast<uint8_t>(table.takeDelay & 0xFF);
    bool written = false;
    {
        BusyScope busy(doc_.Ui());
        const std::vector<uint8_t> codes =
            keepUnknownCodes ? std::vector<uint8_t>(table.types.begin(), table.types.end())
                             : PortTypeWireCodes(table.types);
        written =
            doc_.CommPort().SetDataRouterParameters(reverse, takeDelay, codes, keepUnknownCodes);
        if (written) {
            doc_.Ui().sleep(RouterConfigDoc::kWriteSettleMs);
        }
    }
    if (!written) {
        doc_.Ui().showMessage(kWriteFailedText, MessageIcon::Warning);
    }
    return written;
}

}  // namespace zerandi
