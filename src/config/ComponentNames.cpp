#include "config/ComponentNames.h"

#include <array>

#include "config/TableLookup.h"

namespace zerandi {

namespace {

constexpr int32_t kBootImage = 0;
constexpr int32_t kApplicationImage = 1;
constexpr qsizetype kComponentNameWidth = 9;

struct ComponentRow {
    int32_t type;
    const char* name;
    bool hasImageKinds;  // the logic devices carry a single image
};

constexpr std::array<ComponentRow, 6> kComponents{{
    {0, "Diag", true},
    {1, "Mtrx", true},
    {2, "Comm", true},
    {16, "PLD0", false},
    {17, "PLD1", false},
    {18, "PLD2", false},
}};

QString ImageKindSuffix(int32_t imageKind) {
    switch (imageKind) {
        case kBootImage:
            return QStringLiteral(" Boot");
        case kApplicationImage:
            return QStringLiteral(" Appl");
        default:
            return {};
    }
}

}  // namespace

QString ComponentName(int32_t componentType, int32_t imageKind) {
    const ComponentRow* row =
        FindLastRow(kComponents, [&](const ComponentRow& c) { return c.type == componentType; });
    if (row == nullptr) {
        return {};
    }
    const QString name = QString::fromLatin1(row->name);
    return row->hasImageKinds ? name + ImageKindSuffix(imageKind) : name;
}

QString FormatVersionLine(const SoftwareVersion& version) {
    QString line = ComponentName(version.componentType, version.imageKind)
                       .rightJustified(kComponentNameWidth) +
                   QStringLiteral(":: Ver:") + QString::number(version.major) + u'.' +
                   QString::number(version.minor) + u'.' + QString::number(version.build) +
                   QStringLiteral(", Part#:") + version.name;
    if (!version.partString.isEmpty()) {
        line += QStringLiteral(",Rev:") + version.partString;
    }
    return line;
}

}  // namespace zerandi
