#include "routing/RoutingTexts.h"

#include "names/RouterNames.h"
#include "routing/RoutingGrid.h"

namespace zerandi {

namespace {

constexpr int kTriStateInput = RoutingGrid::kTriState;

// "input 12 CAM 3", or "tri-state" for input 0.
QString InputPhrase(const RouterNames& names, int input) {
    if (input == kTriStateInput) {
        return QStringLiteral("tri-state");
    }
    return QStringLiteral("input %1").arg(names.Label(NameKind::Input, input));
}

}  // namespace

QString TriStateColumnTitle() {
    return QStringLiteral("Tri-state");
}

QString InputHeaderText(const RouterNames& names, int input) {
    return input == kTriStateInput ? TriStateColumnTitle() : names.Label(NameKind::Input, input);
}

QString CellAccessibleText(const RouterNames& names, int output, int input, bool routed) {
    return QStringLiteral("Output %1, %2, %3")
        .arg(names.Label(NameKind::Output, output), InputPhrase(names, input),
             routed ? QStringLiteral("routed") : QStringLiteral("not routed"));
}

QString TakeQuestion(const RouterNames& names, int output, int input) {
    const QString outputLabel = names.Label(NameKind::Output, output);
    if (input == kTriStateInput) {
        return QStringLiteral("Disconnect output %1 (tri-state)?").arg(outputLabel);
    }
    return QStringLiteral("Take input %1 to output %2?")
        .arg(names.Label(NameKind::Input, input), outputLabel);
}

}  // namespace zerandi
