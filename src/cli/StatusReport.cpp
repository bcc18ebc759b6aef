#include "cli/StatusReport.h"

#include <algorithm>

#include "cli/CliResult.h"
#include "cli/CliTime.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/UiServices.h"
#include "status/ControllerStates.h"
#include "status/StatusPanelLayout.h"
#include "status/StatusPanelReading.h"

namespace zerandi {

namespace {

// The processors of "CPU Has Reset"; an extended card shows one box for the whole card.
const QStringList kCpuNames{QStringLiteral("DIAG"), QStringLiteral("MTRX"), QStringLiteral("COMM")};
const QString kWholeCardCpu = QStringLiteral("card");

CliTable CpuResetTable(const StatusPanelReading& reading, const StatusPanelLayout& layout) {
    CliTable table{{QStringLiteral("CPU"), QStringLiteral("Reset")}, {}};
    if (!layout.cpuResetNames) {
        table.rows.push_back({kWholeCardCpu, reading.cpuHasReset.front()});
        return table;
    }
    for (qsizetype i = 0; i < kCpuNames.size(); ++i) {
        table.rows.push_back({kCpuNames[i], reading.cpuHasReset.at(static_cast<size_t>(i))});
    }
    return table;
}

CliTable ReferenceTable(const StatusPanelReading& reading, const StatusPanelLayout& layout) {
    CliTable table{{QStringLiteral("Reference"), QStringLiteral("On")}, {}};
    for (const StatusPanelLayout::ShownReference& shown : layout.ShownReferences()) {
        table.rows.push_back({shown.label, reading.Reference(shown.control).value_or(false)});
    }
    return table;
}

CliTable AlarmTable(const GeneralHealthStatus& health) {
    CliTable table{{QStringLiteral("Alarm"), QStringLiteral("Name"), QStringLiteral("On")}, {}};
    if (!health.hasAlarmsAndTemperatures) {
        return table;
    }
    for (size_t i = 0; i < StatusPanelReading::kShownAlarms; ++i) {
        table.rows.push_back(
            {static_cast<int>(i) + 1, StatusPanelReading::AlarmName(i), health.alarms.at(i)});
    }
    return table;
}

CliTable FanTable(const std::vector<uint8_t>& fans) {
    CliTable table{{QStringLiteral("Fan"), QStringLiteral("State"), QStringLiteral("Problem"),
                    QStringLiteral("Code")},
                   {}};
    int number = 0;
    for (const uint8_t code : fans) {
        const bool problem = code != 0;
        table.rows.push_back(
            {++number, problem ? QStringLiteral("problem") : QStringLiteral("ok"), problem, code});
    }
    return table;
}

}  // namespace

std::optional<StatusReport> StatusReport::Read(RouterConfigDoc& doc) {
    StatusReport report;
    if (!doc.CommPort().GetGeneralHealth(report.health_)) {
        doc.Ui().showMessage(kStatusReadFailedText, MessageIcon::Warning);
        return std::nullopt;
    }
    report.readAt_ = QDateTime::currentDateTime();
    if (!doc.CommPort().GetFanStatus(report.fans_)) {
        report.fans_.clear();
    }
    report.productId_ = doc.ProductId();
    report.firstLevelSignalType_ = doc.levels.front().signalType;
    report.extendedCard_ = doc.IsExtendedControlCard();
    return report;
}

StatusPanelLayout StatusReport::Layout() const {
    return StatusPanelLayout::For(productId_, ModelPowerSupplyCount(productId_), extendedCard_);
}

std::optional<bool> StatusReport::SupplyTemperatureOk(size_t supply,
                                                      const StatusPanelLayout& layout) const {
    if (!layout.temperatureColumns.at(supply) || !health_.hasAlarmsAndTemperatures) {
        return std::nullopt;
    }
    return health_.powerSupplyTempOk.at(supply);
}

bool StatusReport::SupplyHasProblem(size_t supply, const StatusPanelLayout& layout) const {
    return health_.powerSupplyPresent.at(supply) && SupplyTemperatureOk(supply, layout) == false;
}

CliTable StatusReport::SupplyTable(const StatusPanelLayout& layout) const {
    CliTable table{{QStringLiteral("Supply"), QStringLiteral("Present"),
                    QStringLiteral("Temperature OK"), QStringLiteral("Problem")},
                   {}};
    for (size_t i = 0; i < layout.supplyPresentColumns.size(); ++i) {
        if (layout.supplyPresentColumns.at(i)) {
            const std::optional<bool> temperatureOk = SupplyTemperatureOk(i, layout);
            table.rows.push_back({static_cast<int>(i) + 1, health_.powerSupplyPresent.at(i),
                                  temperatureOk ? QJsonValue(*temperatureOk) : QJsonValue(),
                                  SupplyHasProblem(i, layout)});
        }
    }
    return table;
}

QStringList StatusReport::Problems() const {
    QStringList problems;
    for (size_t i = 0; health_.hasAlarmsAndTemperatures && i < StatusPanelReading::kShownAlarms;
         ++i) {
        if (health_.alarms.at(i)) {
            problems << QStringLiteral("alarm %1 (%2) is on")
                            .arg(i + 1)
                            .arg(StatusPanelReading::AlarmName(i));
        }
    }
    for (size_t fan = 0; fan < fans_.size(); ++fan) {
        if (fans_[fan] != 0) {
            problems << QStringLiteral("fan %1 has a problem").arg(fan + 1);
        }
    }
    const StatusPanelLayout layout = Layout();
    for (size_t supply = 0; supply < health_.powerSupplyPresent.size(); ++supply) {
        if (SupplyHasProblem(supply, layout)) {
            problems << QStringLiteral("power supply %1 is too hot").arg(supply + 1);
        }
    }
    return problems;
}

void StatusReport::AddTo(CliResult& result) const {
    const StatusPanelReading reading =
        StatusPanelReading::FromHealth(health_, productId_, firstLevelSignalType_);
    const StatusPanelLayout layout = Layout();
    result.Add(QStringLiteral("Read at"), CliTimeText(readAt_));
    result.Add(QStringLiteral("Card state"),
               StatusPanelReading::CardStateNames().value(reading.cardState));
    result.Add(QStringLiteral("This card healthy"), reading.thisCardHealthy);
    result.Add(QStringLiteral("In primary slot"), reading.inPrimarySlot);
    result.Add(QStringLiteral("Other card healthy"), reading.otherCardHealthy);
    result.Add(QStringLiteral("Other card active"), reading.otherCardActive);
    result.Add(QStringLiteral("Last timestamp"), health_.lastTimestamp);
    result.Add(QStringLiteral("Aux data"), health_.auxData);
    result.Add(QStringLiteral("Problem"), !Problems().isEmpty());
    result.AddTable(QStringLiteral("References"), ReferenceTable(reading, layout));
    result.AddTable(QStringLiteral("CPU resets"), CpuResetTable(reading, layout));
    result.AddTable(QStringLiteral("Power supplies"), SupplyTable(layout));
    result.AddTable(QStringLiteral("Alarms"), AlarmTable(health_));
    result.AddTable(QStringLiteral("Fans"), FanTable(fans_));
}

}  // namespace zerandi
