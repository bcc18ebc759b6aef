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

QString PendingTakeText(const RouterNames& names, int output, int input) {
    return QStringLiteral("Output %1 \u2190 %2")
        .arg(names.Label(NameKind::Output, output), InputPhrase(names, input));
}

QString NoPendingTakeText() {
    return QStringLiteral("Choose a cell, then Take (Enter or a double-click)");
}

QString OutputSourceText(const RouterNames& names, std::optional<int> source) {
    if (!source) {
        return {};
    }
    return QStringLiteral("\u2190 %1").arg(InputHeaderText(names, *source));
}

QString OutputHeaderAccessibleText(const RouterNames& names, int output,
                                   std::optional<int> source) {
    const QString from = !source ? QStringLiteral("source not read")
                         : *source == kTriStateInput
                             ? QStringLiteral("tri-state")
                             : QStringLiteral("from ") + InputPhrase(names, *source);
    return QStringLiteral("Output %1, %2").arg(names.Label(NameKind::Output, output), from);
}

QString InputHeaderToolTip(const RouterNames& names, int input, int outputsFed) {
    const QString outputs =
        outputsFed == 1 ? QStringLiteral("1 output") : QStringLiteral("%1 outputs").arg(outputsFed);
    if (input == kTriStateInput) {
        return QStringLiteral("%1: %2 disconnected").arg(TriStateColumnTitle(), outputs);
    }
    return QStringLiteral("%1: feeds %2")
        .arg(names.Label(NameKind::Input, input),
             outputsFed == 0 ? QStringLiteral("no output") : outputs);
}

QString UndoTakeToolTip(const RouterNames& names, std::optional<std::pair<int, int>> undo) {
    if (!undo) {
        return QStringLiteral("No take from this window to undo");
    }
    const auto [output, input] = *undo;
    if (input == kTriStateInput) {
        return QStringLiteral("Disconnect output %1 again (tri-state)")
            .arg(names.Label(NameKind::Output, output));
    }
    return QStringLiteral("Take input %1 back to output %2")
        .arg(names.Label(NameKind::Input, input), names.Label(NameKind::Output, output));
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
