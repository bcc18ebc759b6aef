// Times GetProductId transactions through the facade: against the simulator unpaced (what
// one transaction costs the program and the pseudo-terminal) and paced at 115200 baud, each
// beside the line time the same bytes take on a real serial line.
#include <QCoreApplication>
#include <cstdint>

#include "bench/BenchSupport.h"

namespace {

constexpr int kTransactions = 1000;
constexpr uint32_t kUnpaced = 0;

zbench::WireRun TimeProductIds(zbench::PacedRouter& paced) {
    return zbench::MeasureTransfer(paced, kTransactions, [&] {
        uint8_t maker = 0;
        uint8_t product = 0;
        return paced.facade.GetProductId(maker, product);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zbench::PacedRouter unpaced(zsim::SimRouter::kDefaultModel, kUnpaced);
    zbench::PacedRouter paced(zsim::SimRouter::kDefaultModel);
    if (!unpaced.Open() || !paced.Open()) {
        return 1;
    }
    const zbench::WireRun overhead = TimeProductIds(unpaced);
    zbench::WireRun onLine = TimeProductIds(paced);
    zbench::AddBareClient(paced, onLine, kTransactions);
    zbench::PrintRows("transaction overhead, product id (unpaced)", overhead);
    zbench::PrintRows("product id at 115200", onLine);
    return overhead.ok && onLine.ok ? 0 : 1;
}
