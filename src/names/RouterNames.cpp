#include "names/RouterNames.h"

namespace zerandi {

const std::map<int, QString>& RouterNames::Of(NameKind kind) const {
    return names_.at(kind == NameKind::Input ? 0 : 1);
}

std::map<int, QString>& RouterNames::Of(NameKind kind) {
    return names_.at(kind == NameKind::Input ? 0 : 1);
}

QString RouterNames::Name(NameKind kind, int number) const {
    const auto& names = Of(kind);
    const auto found = names.find(number);
    return found == names.end() ? QString() : found->second;
}

void RouterNames::SetName(NameKind kind, int number, const QString& name) {
    // A line break is kept as "\n" alone: a carriage return would not come back the same
    // from the names file, whose line ends may be CR LF.
    QString lines = name;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QString trimmed = lines.trimmed();
    if (trimmed.isEmpty()) {
        Of(kind).erase(number);
    } else {
        Of(kind)[number] = trimmed;
    }
}

bool RouterNames::IsEmpty() const {
    return Of(NameKind::Input).empty() && Of(NameKind::Output).empty();
}

QString RouterNames::Label(NameKind kind, int number) const {
    const QString name = Name(kind, number);
    return name.isEmpty() ? QString::number(number) : QStringLiteral("%1 %2").arg(number).arg(name);
}

std::vector<RouterName> RouterNames::All() const {
    std::vector<RouterName> all;
    for (const NameKind kind : {NameKind::Input, NameKind::Output}) {
        for (const auto& [number, name] : Of(kind)) {
            all.push_back({kind, number, name});
        }
    }
    return all;
}

QString NameKindText(NameKind kind) {
    return kind == NameKind::Input ? QStringLiteral("Input") : QStringLiteral("Output");
}

}  // namespace zerandi
