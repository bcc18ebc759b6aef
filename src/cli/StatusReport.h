#pragma once

#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/GeneralHealthStatus.h"

namespace zerandi {

class CliResult;
class RouterConfigDoc;
struct CliTable;
struct StatusPanelLayout;

// One status read as the system status view shows it for the router's model: the card
// states, references and clocks, processor resets, power supplies and their temperatures,
// alarms and fans, with the moment it was read.
class StatusReport {
public:
    // Reads the general health and then the fans; nothing when the health could not be
    // read, after saying so. A fan list the router refuses is left empty, as the view hides it.
    static std::optional<StatusReport> Read(RouterConfigDoc& doc);

    void AddTo(CliResult& result) const;
    // Each alarm on, fan with a problem, and present power supply whose temperature is
    // reported not OK, in words ("alarm 1 (Major) is on"); empty when all is well.
    QStringList Problems() const;

private:
    StatusPanelLayout Layout() const;
    // Nothing where the panel shows no temperature for the supply.
    std::optional<bool> SupplyTemperatureOk(size_t supply, const StatusPanelLayout& layout) const;
    bool SupplyHasProblem(size_t supply, const StatusPanelLayout& layout) const;
    CliTable SupplyTable(const StatusPanelLayout& layout) const;

    QDateTime readAt_;
    int32_t productId_ = 0;
    int32_t firstLevelSignalType_ = 0;
    bool extendedCard_ = false;
    GeneralHealthStatus health_;
    std::vector<uint8_t> fans_;  // 0 = the fan is OK
};

}  // namespace zerandi
