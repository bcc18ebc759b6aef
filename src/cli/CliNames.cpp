#include "cli/CliNames.h"

#include <algorithm>
#include <utility>

#include "cli/CliInput.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/RouterModelTables.h"
#include "names/RouterNamesCsv.h"
#include "names/RouterNamesStore.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

// The highest number a names file may give a port of which the model has `count`; a model
// without a known size is held to the largest router.
int HighestNamed(int32_t count) {
    return count > 0 ? std::min<int>(count, RouterNames::kMaxNumber) : RouterNames::kMaxNumber;
}

}  // namespace

CliNames::CliNames(std::optional<QString> path, CliUiServices& ui)
    : path_(std::move(path)), ui_(ui) {}

bool CliNames::ReadFile() {
    if (!path_) {
        return true;
    }
    const std::optional<QByteArray> bytes = ReadCliInput(
        ui_, *path_,
        {.maxBytes = kMaxRouterNamesCsvBytes,
         .openFailureText = QStringLiteral("--names: could not open %1.").arg(*path_)});
    if (!bytes) {
        return false;
    }
    bytes_ = *bytes;
    QString fault;
    names_ = RouterNamesFromCsv(bytes_, RouterNames::kMaxNumber, RouterNames::kMaxNumber, fault);
    if (!names_) {
        ui_.TellError(QStringLiteral("--names %1: %2 Nothing has been sent to the router.")
                          .arg(*path_, fault));
    }
    return names_.has_value();
}

bool CliNames::FitRouter(int32_t productId, int32_t controlCard) {
    router_ = RouterIdentity{productId, controlCard};
    if (!path_) {
        return true;
    }
    QString fault;
    names_ = RouterNamesFromCsv(bytes_, HighestNamed(ModelInputCount(productId)),
                                HighestNamed(ModelOutputCount(productId)), fault);
    if (!names_) {
        ui_.TellError(QStringLiteral("--names %1 does not fit the %2: %3 Nothing has been sent "
                                     "to the router beyond identifying it.")
                          .arg(*path_, ModelName(productId), fault));
    }
    return names_.has_value();
}

const RouterNames* CliNames::Names() {
    if (!path_ && !looked_ && router_) {
        looked_ = true;
        // A damaged file of this computer's names is told, but the command goes on unnamed.
        ui_.SetWarningsOnly(true);
        RouterNames kept = RouterNamesStore::Load(ui_, router_->productId, router_->controlCard);
        ui_.SetWarningsOnly(false);
        if (!kept.IsEmpty()) {
            names_ = std::move(kept);
        }
    }
    return names_ ? &*names_ : nullptr;
}

void CliNames::Show(CliTable& table, const QString& column, NameKind kind) {
    const RouterNames* names = Names();
    const qsizetype at = table.columns.indexOf(column);
    if (names == nullptr || at < 0) {
        return;
    }
    if (!ui_.Voice().json) {
        for (QList<QJsonValue>& row : table.rows) {
            row[at] = LabelOf(*names, kind, row.value(at));
        }
        return;
    }
    table.columns.insert(at + 1, NameLabel(column));
    for (QList<QJsonValue>& row : table.rows) {
        row.insert(at + 1, NameOf(*names, kind, row.value(at)));
    }
}

void CliNames::Add(CliResult& result, const QString& label, NameKind kind,
                   const QJsonValue& number) {
    const RouterNames* names = Names();
    if (names == nullptr) {
        result.Add(label, number);
    } else if (!ui_.Voice().json) {
        result.Add(label, LabelOf(*names, kind, number));
    } else {
        result.Add(label, number);
        result.Add(NameLabel(label), NameOf(*names, kind, number));
    }
}

QJsonValue CliNames::LabelOf(const RouterNames& names, NameKind kind, const QJsonValue& number) {
    return number.isDouble() ? QJsonValue(names.Label(kind, number.toInt())) : number;
}

QJsonValue CliNames::NameOf(const RouterNames& names, NameKind kind, const QJsonValue& number) {
    const QString name = number.isDouble() ? names.Name(kind, number.toInt()) : QString();
    return name.isEmpty() ? QJsonValue() : QJsonValue(name);
}

QString CliNames::NameLabel(const QString& label) {
    return label + QStringLiteral(" name");
}

}  // namespace zerandi
