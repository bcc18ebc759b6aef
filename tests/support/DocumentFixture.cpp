#include "support/DocumentFixture.h"

#include "serial/QtSerialDevice.h"

namespace zerandi::test {

void DocumentFixture::TearDown() {
    mainWindow.reset();
    doc.reset();
    simulator.Stop();
}

void DocumentFixture::StartDocument(const std::string& model, const RouterChange& change,
                                    uint32_t baud) {
    mainWindow.reset();
    doc.reset();
    ui.ClearMessages();
    ASSERT_TRUE(simulator.Start(model));
    if (change) {
        ChangeRouter(change);
    }
    doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                            simulator.Port(), baud);
    mainWindow = std::make_unique<QMainWindow>();
    mainWindow->setWindowTitle(QStringLiteral("Zerandi"));
}

void TellWhatReadAllWould(RouterConfigDoc& doc, SimulatedRouter& simulator) {
    const zsim::RouterState state = simulator.Router().Snapshot();
    doc.controlCard.partNumber = state.cardPartNumber;
    if (!state.levels.empty()) {
        doc.levels[0].controllerInputStart = state.levels.front().controllerInputStart;
        doc.levels[0].controllerOutputStart = state.levels.front().controllerOutputStart;
    }
    doc.SetScrambleMapEnabled(state.scrambleEnabled ? 1 : 0);
    doc.SetProductId(state.productId);
    doc.UpdateAllViews();
}

}  // namespace zerandi::test
