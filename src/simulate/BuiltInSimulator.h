#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "serial/PortChoice.h"

namespace zsim {
class ServedRouter;
}

namespace zerandi {

// The built-in simulated router that --simulate names, in the program and on the command line
// alike: a router of one model served on a pseudo-terminal of its own for as long as this
// object lives. Each program tells its own failures.
class BuiltInSimulator {
public:
    BuiltInSimulator();
    ~BuiltInSimulator();
    BuiltInSimulator(const BuiltInSimulator&) = delete;
    BuiltInSimulator& operator=(const BuiltInSimulator&) = delete;

    static bool HasModel(const QString& model);
    // Every model there is, as a usage message lists them: "QR1201, QR1203, ...".
    static QString ModelList();

    // Serves a router of `model`: the device to open, or nothing when the model is unknown or
    // no pseudo-terminal could be had.
    std::optional<PortChoice> Start(const QString& model);

private:
    std::unique_ptr<zsim::ServedRouter> router_;
};

}  // namespace zerandi
