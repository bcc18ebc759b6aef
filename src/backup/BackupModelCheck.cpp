#include "backup/BackupModelCheck.h"

#include "backup/RouterBackup.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/SalvoFileCheck.h"
#include "porttypes/PortType.h"

namespace zerandi {

namespace {

// The model's sizes, as the faults name them.
struct Model {
    explicit Model(int32_t productId)
        : id(productId),
          name(ModelName(productId)),
          inputs(ModelInputCount(productId)),
          outputs(ModelOutputCount(productId)),
          monitors(ModelMonitorCount(productId)) {}

    int32_t id;
    QString name;
    int32_t inputs;
    int32_t outputs;
    int32_t monitors;
};

// "" when `count` entries were given for `expected`; otherwise the fault of the first extra
// or missing one: "routing, output 65: the QS1210 has 64 outputs".
QString CountFault(size_t count, int32_t expected, const QString& part, const QString& item,
                   const QString& items, const Model& model) {
    const auto want = static_cast<size_t>(std::max(expected, 0));
    if (count > want && want == 0) {
        return QStringLiteral("%1, %2 1: the %3 has no %4 Zerandi knows of")
            .arg(part, item, model.name, items);
    }
    if (count > want) {
        return QStringLiteral("%1, %2 %3: the %4 has %5 %6")
            .arg(part, item)
            .arg(want + 1)
            .arg(model.name)
            .arg(want)
            .arg(items);
    }
    if (count < want) {
        return QStringLiteral("%1, %2 %3: missing; the %4 has %5 %6")
            .arg(part, item)
            .arg(count + 1)
            .arg(model.name)
            .arg(want)
            .arg(items);
    }
    return {};
}

QString NumberFault(int32_t number, int32_t count, const QString& items, const Model& model) {
    if (number >= 1 && number <= HighestNumber(count)) {
        return {};
    }
    return QStringLiteral("%1 %2 is not one of the %3's %4 1 to %5")
        .arg(items.chopped(1))
        .arg(number)
        .arg(model.name, items)
        .arg(HighestNumber(count));
}

QString RoutingFault(const RouterBackup& backup, const Model& model) {
    if (QString fault = CountFault(backup.routing.size(), model.outputs, QStringLiteral("routing"),
                                   QStringLiteral("output"), QStringLiteral("outputs"), model);
        !fault.isEmpty()) {
        return fault;
    }
    const bool dataRouter = IsDataRouter(model.id);
    for (size_t o = 0; o < backup.routing.size(); ++o) {
        const RoutedSource& source = backup.routing[o];
        QString fault;
        if (source.TriState() && !SupportsTriState(model.id)) {
            fault = QStringLiteral("the %1 cannot tri-state an output").arg(model.name);
        } else if (source.input) {
            fault = NumberFault(*source.input, model.inputs, QStringLiteral("inputs"), model);
        }
        if (fault.isEmpty() && !dataRouter &&
            (source.forwardTake || source.localControl || source.flag13 || source.flag12)) {
            fault = QStringLiteral("only a data router's outputs carry flags");
        }
        if (!fault.isEmpty()) {
            return QStringLiteral("routing, output %1: %2").arg(o + 1).arg(fault);
        }
    }
    return {};
}

QString MonitorsFault(const RouterBackup& backup, const Model& model) {
    if (QString fault =
            CountFault(backup.monitors.size(), model.monitors, QStringLiteral("monitors"),
                       QStringLiteral("monitor"), QStringLiteral("monitor outputs"), model);
        !fault.isEmpty()) {
        return fault;
    }
    for (size_t m = 0; m < backup.monitors.size(); ++m) {
        if (!backup.monitors[m]) {
            continue;
        }
        if (QString fault =
                NumberFault(*backup.monitors[m], model.outputs, QStringLiteral("outputs"), model);
            !fault.isEmpty()) {
            return QStringLiteral("monitors, monitor %1: %2").arg(m + 1).arg(fault);
        }
    }
    return {};
}

QString PortTypesFault(const RouterBackup& backup, const Model& model) {
    const bool dataRouter = IsDataRouter(model.id);
    if (backup.portTypes.has_value() != dataRouter) {
        return dataRouter
                   ? QStringLiteral("port types: missing; the %1 is a data router").arg(model.name)
                   : QStringLiteral("port types: the %1 is not a data router").arg(model.name);
    }
    if (!dataRouter) {
        return {};
    }
    const auto ports = static_cast<int32_t>(RouterPortCount(model.inputs));
    return CountFault(backup.portTypes->types.size(), ports, QStringLiteral("port types"),
                      QStringLiteral("port"), QStringLiteral("ports"), model);
}

QString ScrambleMapFault(const RouterBackup& backup) {
    const bool enabled = backup.configuration.scrambleMapEnabled;
    if (backup.scrambleMap.has_value() == enabled) {
        return {};
    }
    return enabled ? QStringLiteral("scramble map: missing; the configuration switches it on")
                   : QStringLiteral("scramble map: held, but the configuration switches it off");
}

QString NamesFault(const RouterBackup& backup, const Model& model) {
    for (const RouterName& name : backup.names.All()) {
        const bool input = name.kind == NameKind::Input;
        const QString fault =
            NumberFault(name.number, input ? model.inputs : model.outputs,
                        input ? QStringLiteral("inputs") : QStringLiteral("outputs"), model);
        if (!fault.isEmpty()) {
            return QStringLiteral("names, %1 %2: %3")
                .arg(NameKindText(name.kind).toLower())
                .arg(name.number)
                .arg(fault);
        }
    }
    return {};
}

}  // namespace

QString BackupModelFault(const RouterBackup& backup) {
    const Model model(backup.identity.productId);
    if (model.id == RouterConfigDoc::kUnknownProduct) {
        return QStringLiteral("identity, product id: %1 stands for a router never identified")
            .arg(model.id);
    }
    for (QString fault :
         {RoutingFault(backup, model), MonitorsFault(backup, model), PortTypesFault(backup, model),
          ScrambleMapFault(backup), NamesFault(backup, model)}) {
        if (!fault.isEmpty()) {
            return fault;
        }
    }
    return {};
}

}  // namespace zerandi
