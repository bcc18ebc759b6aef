#include "backup/BackupReadSequence.h"

#include "backup/BackupModelCheck.h"
#include "config/ConfigReadSequence.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/MonitorStatusRead.h"
#include "connect/OutputRangeRead.h"
#include "names/RouterNamesStore.h"
#include "porttypes/PortTypesTransfer.h"
#include "scramble/ScrambleMapTransfer.h"
#include "services/VersionInfo.h"

namespace zerandi {

namespace {

bool Always(const RouterConfigDoc& /*doc*/) {
    return true;
}
bool HasKnownOutputs(const RouterConfigDoc& doc) {
    return ModelOutputCount(doc.ProductId()) > 0;
}
bool HasMonitors(const RouterConfigDoc& doc) {
    return ModelMonitorCount(doc.ProductId()) > 0;
}
bool IsDataRouterDoc(const RouterConfigDoc& doc) {
    return IsDataRouter(doc.ProductId());
}
bool ScrambleMapOn(const RouterConfigDoc& doc) {
    return doc.ScrambleMapEnabled() != 0;
}

// Now, to the second, with the UTC offset of now.
QDateTime TakenNow() {
    const int offset = QDateTime::currentDateTime().offsetFromUtc();
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::OffsetFromUTC,
                                         offset);
}

}  // namespace

struct BackupReadSequence::Step {
    const char* name;
    bool (*needed)(const RouterConfigDoc& doc);  // after the configuration is read
    bool (BackupReadSequence::*read)(RouterBackup& backup);
};

const BackupReadSequence::Step BackupReadSequence::kSteps[kStepCount] = {
    {"configuration", Always, &BackupReadSequence::ReadConfiguration},
    {"routing", HasKnownOutputs, &BackupReadSequence::ReadRouting},
    {"monitors", HasMonitors, &BackupReadSequence::ReadMonitors},
    {"port types", IsDataRouterDoc, &BackupReadSequence::ReadPortTypes},
    {"scramble map", ScrambleMapOn, &BackupReadSequence::ReadScrambleMap},
};

BackupReadSequence::BackupReadSequence(RouterConfigDoc& doc) : doc_(doc) {}

std::optional<RouterBackup> BackupReadSequence::Run(const Progress& progress) {
    failure_.clear();
    RouterBackup backup;
    backup.takenAt = TakenNow();
    backup.zerandiVersion = VersionInfo::FileVersion();
    for (int i = 0; i < kStepCount; ++i) {
        const Step& step = kSteps[i];
        const QString name = QString::fromLatin1(step.name);
        if (!step.needed(doc_)) {
            continue;
        }
        if (progress && !progress(i, kStepCount, name)) {
            outcome_ = Outcome::Cancelled;
            return std::nullopt;
        }
        if (!(this->*step.read)(backup)) {
            return Fail(QStringLiteral("Backup not taken: reading the %1 failed.").arg(name));
        }
    }
    backup.names = RouterNamesStore::Load(doc_.Ui(), doc_.ProductId(), doc_.controlCard.partNumber);
    // What is saved must read back: a value the model cannot have is refused now, not later.
    if (const QString fault = BackupModelFault(backup); !fault.isEmpty()) {
        return Fail(
            QStringLiteral("Backup not taken: the router's answers do not fit its model: ") +
            fault);
    }
    outcome_ = Outcome::Taken;
    return backup;
}

std::optional<RouterBackup> BackupReadSequence::Fail(const QString& failure) {
    outcome_ = Outcome::Failed;
    failure_ = failure;
    return std::nullopt;
}

bool BackupReadSequence::ReadConfiguration(RouterBackup& backup) {
    settings_ = ConfigViewSettings{};
    if (!ConfigReadSequence(doc_, settings_).Run()) {
        return false;
    }
    backup.identity =
        BackupIdentity{doc_.ProductId(), doc_.controlCard, doc_.protocol, settings_.versionRecords};
    backup.configuration = ConfigurationFromReadAll(doc_, settings_);
    return true;
}

bool BackupReadSequence::ReadRouting(RouterBackup& backup) {
    const int32_t productId = doc_.ProductId();
    const auto words =
        OutputRangeRead(doc_.CommPort(), doc_.Ui()).Run(1, ModelOutputCount(productId));
    if (!words) {
        return false;
    }
    for (const int32_t word : *words) {
        backup.routing.push_back(RoutedSourceFromWord(word, productId));
    }
    return true;
}

bool BackupReadSequence::ReadMonitors(RouterBackup& backup) {
    const auto words = MonitorStatusRead(doc_.CommPort(), doc_.Ui()).Run(doc_.ProductId());
    if (!words) {
        return false;
    }
    for (const int32_t word : *words) {
        backup.monitors.push_back(MonitoredOutput(word));
    }
    return true;
}

bool BackupReadSequence::ReadPortTypes(RouterBackup& backup) {
    PortTypesTable table;
    if (!PortTypesTransfer(doc_).Read(table)) {
        return false;
    }
    backup.portTypes = std::move(table);
    return true;
}

bool BackupReadSequence::ReadScrambleMap(RouterBackup& backup) {
    ScrambleMapTransfer transfer(doc_);
    ScrambleMap map = transfer.RouterMap();
    if (!transfer.Read(map)) {
        return false;
    }
    backup.scrambleMap = map.ToTableWords();
    return true;
}

}  // namespace zerandi
