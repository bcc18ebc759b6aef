#pragma once

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "config/RouterConfigDoc.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {

// What "Read All" would have told the document of the simulated router: product, control
// card, first level and the scramble-map switch; then every view refreshes.
void TellWhatReadAllWould(RouterConfigDoc& doc, SimulatedRouter& simulator);

// The document opened on a simulated router served on a pseudo-terminal, with the scripted
// services, and the main window a view test puts its view in.
class DocumentFixture : public ::testing::Test {
protected:
    using RouterChange = std::function<void(zsim::RouterState&)>;

    void TearDown() override;

    // A fresh router of the model, changed as given, and the document over it.
    void StartDocument(const std::string& model, const RouterChange& change, uint32_t baud);
    void ChangeRouter(const RouterChange& change) { simulator.Router().Update(change); }

    // The named widget below `root`; a missing one fails the test.
    template <typename Widget>
    static Widget& FindIn(const QWidget& root, const QString& name) {
        auto* widget = root.findChild<Widget*>(name);
        if (widget == nullptr) {
            ADD_FAILURE() << "no widget " << name.toStdString();
            throw std::runtime_error("missing widget");
        }
        return *widget;
    }

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;
    std::unique_ptr<QMainWindow> mainWindow;
};

}  // namespace zerandi::test
