#include "shell/ViewTemplate.h"

#include <array>

namespace zerandi {

namespace {

constexpr bool kMinimized = true;
constexpr bool kNormalSize = false;
constexpr bool kWithHelpContents = true;
constexpr bool kWithoutHelpContents = false;
const QString kNoViewMenuEntry;

}  // namespace

std::span<const ViewTemplate> StartupViewTemplates() {
    static const std::array<ViewTemplate, 9> templates = {{
        {ViewId::StatusMessages, QStringLiteral("Status Messages"),
         QStringLiteral("RouterStatusMessagesFormView"), kMinimized, kWithoutHelpContents,
         kNoViewMenuEntry},
        {ViewId::Configuration, QStringLiteral("Configuration"),
         QStringLiteral("RouterConfigFormView"), kNormalSize, kWithHelpContents, kNoViewMenuEntry},
        {ViewId::FlashMemory, QStringLiteral("Flash Memory"), QStringLiteral("RouterFlashFormView"),
         kMinimized, kWithoutHelpContents, kNoViewMenuEntry},
        {ViewId::Connections, QStringLiteral("Connections"),
         QStringLiteral("RouterConnectFormView"), kMinimized, kWithHelpContents, kNoViewMenuEntry},
        {ViewId::ScrambleMap, QStringLiteral("Scramble Map"),
         QStringLiteral("RouterScrambleMapFromView"), kMinimized, kWithHelpContents,
         kNoViewMenuEntry},
        {ViewId::Monitors, QStringLiteral("Monitors"), QStringLiteral("RouterMonitorsFormView"),
         kMinimized, kWithHelpContents, kNoViewMenuEntry},
        {ViewId::SystemStatus, QStringLiteral("System Status"), QStringLiteral("SystemStatusView"),
         kMinimized, kWithoutHelpContents, kNoViewMenuEntry},
        {ViewId::PortTypes, QStringLiteral("Port Types"), QStringLiteral("RouterPortTypesFormView"),
         kMinimized, kWithHelpContents, kNoViewMenuEntry},
        {ViewId::Routing, QStringLiteral("Routing"), QStringLiteral("RoutingGridView"), kMinimized,
         kWithoutHelpContents, QStringLiteral("&Routing")},
    }};
    return templates;
}

}  // namespace zerandi
