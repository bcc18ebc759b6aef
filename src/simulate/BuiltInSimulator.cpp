#include "simulate/BuiltInSimulator.h"

#include <QStringList>
#include <string>

#include "sim/ServedRouter.h"
#include "sim/SimRouter.h"

namespace zerandi {

BuiltInSimulator::BuiltInSimulator() = default;

BuiltInSimulator::~BuiltInSimulator() = default;

bool BuiltInSimulator::HasModel(const QString& model) {
    return zsim::SimRouter::HasModel(model.toStdString());
}

QString BuiltInSimulator::ModelList() {
    QStringList names;
    for (const std::string& name : zsim::SimRouter::ModelNames()) {
        names << QString::fromStdString(name);
    }
    return names.join(QStringLiteral(", "));
}

std::optional<PortChoice> BuiltInSimulator::Start(const QString& model) {
    if (!HasModel(model)) {
        return std::nullopt;
    }
    router_ = std::make_unique<zsim::ServedRouter>(model.toStdString());
    if (!router_->Start()) {
        return std::nullopt;
    }
    return PortChoice::Device(QString::fromStdString(router_->DevicePath()));
}

}  // namespace zerandi
