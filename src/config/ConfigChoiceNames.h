#pragma once

#include <QStringList>

namespace zerandi {

// The entries of the configuration's drop-down lists, in the order of the indices the
// router carries: an index picks its entry.
struct ConfigChoiceNames {
    static QStringList StartupModes();  // "Default Source", "Last known state"
    static QStringList RearDiagPorts();
    static QStringList ReplyWhen();
    // The router's own baud list, as it names its rates.
    static QStringList BaudRates();
    static QStringList ScrambleMap();  // "Disabled", "Enabled"
};

}  // namespace zerandi
