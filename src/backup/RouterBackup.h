#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "backup/BackupConfiguration.h"
#include "names/RouterNames.h"
#include "porttypes/PortTypesTransfer.h"
#include "protocol/ControlCardInfo.h"
#include "protocol/ScrambleTableWords.h"
#include "protocol/SoftwareVersion.h"

namespace zerandi {

// Who the router is: what "Read All" identifies before it reads the configuration.
struct BackupIdentity {
    int32_t productId = 0;  // the model; its name, inputs and outputs follow from it
    ControlCardInfo controlCard;
    int32_t protocol = 0;  // the control protocol number, as the serial parameters carry it
    std::vector<SoftwareVersion> softwareVersions;

    bool operator==(const BackupIdentity&) const = default;
};

// What feeds one output, as a source word read from the router says it. The flags are those
// of a data router's word; on other models they stay false.
struct RoutedSource {
    std::optional<int32_t> input;  // nothing: the output is tri-stated (disconnected)
    bool forwardTake = false;      // bit 15
    bool localControl = false;     // bit 14
    bool flag13 = false;
    bool flag12 = false;

    bool TriState() const { return !input.has_value(); }
    // A tri-stated output has no source whose flags could be set: the router's tri-state word
    // carries its own bits, and a take of tri-state sends that word. Two tri-states are the
    // same whatever flags they were noted with.
    bool operator==(const RoutedSource& other) const {
        if (TriState() || other.TriState()) {
            return TriState() == other.TriState();
        }
        return input == other.input && forwardTake == other.forwardTake &&
               localControl == other.localControl && flag13 == other.flag13 &&
               flag12 == other.flag12;
    }
};

// The source a word read from an output of this model names.
RoutedSource RoutedSourceFromWord(int32_t word, int32_t productId);
// The word a take sends to route the source again: a tri-stated output takes the tri-state
// source, a data router's input carries its flag bits.
uint16_t RoutedSourceWord(const RoutedSource& source, int32_t productId);
// "input 12", "tri-state"; a data router's set flags follow: "input 12 (local control)".
QString RoutedSourceText(const RoutedSource& source, int32_t productId);

// Everything Zerandi keeps of a router in a backup: who it is, its configuration as "Read
// All" reads it and "Write All" writes it, what every output and monitor shows, and the
// tables the model has. Sizes follow the model: one routing entry per output, one monitor
// entry per monitor output (none for a model whose sizes are not known).
struct RouterBackup {
    QDateTime takenAt;       // when it was read from the router, with the UTC offset of then
    QString zerandiVersion;  // VersionInfo::FileVersion() of the program that took it

    BackupIdentity identity;
    BackupConfiguration configuration;
    std::vector<RoutedSource> routing;              // [o - 1]: output o
    std::vector<std::optional<int32_t>> monitors;   // [m - 1]: the output monitor m shows
    std::optional<PortTypesTable> portTypes;        // data routers only
    std::optional<ScrambleTableWords> scrambleMap;  // only when the map is switched on
    RouterNames names;                              // empty when none were given

    bool operator==(const RouterBackup&) const = default;
};

// The word of a monitor entry as the router carries it: TriStateSource for "none".
int32_t MonitorWord(const std::optional<int32_t>& output);
std::optional<int32_t> MonitoredOutput(int32_t word);

}  // namespace zerandi
