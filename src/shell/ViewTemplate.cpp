#include "shell/ViewTemplate.h"

#include <array>

namespace zerandi {

namespace {

constexpr bool kMinimized = true;
constexpr bool kNormalSize = false;
constexpr bool kWithHelpContents = true;
constexpr bool kWithoutHelpContents = false;

}  // namespace

std::span<const ViewTemplate> StartupViewTemplates() {
    static const std::array<ViewTemplate, 8> templates = {{
        {ViewId::StatusMessages, QStringLiteral("Status Messages"),
         QStringLiteral("RouterStatusMessagesFormView"), kMinimized, kWithoutHelpContents},
        {ViewId::Configuration, QStringLiteral("Configuration"),
         QStringLiteral("RouterConfigFormView"), kNormalSize, kWithHelpContents},
        {ViewId::FlashMemory, QStringLiteral("Flash Memory"), QStringLiteral("RouterFlashFormView"),
         kMinimized, kWithoutHelpContents},
        {ViewId::Connections, QStringLiteral("Connections"),
         QStringLiteral("RouterConnectFormView"), kMinimized, kWithHelpContents},
        {ViewId::ScrambleMap, QStringLiteral("Scramble Map"),
         QStringLiteral("RouterScrambleMapFromView"), kMinimized, kWithHelpContents},
        {ViewId::Monitors, QStringLiteral("Monitors"), QStringLiteral("RouterMonitorsFormView"),
         kMinimized, kWithHelpContents},
        {ViewId::SystemStatus, QStringLiteral("System Status"), QStringLiteral("SystemStatusView"),
         kMinimized, kWithoutHelpContents},
        {ViewId::PortTypes, QStringLiteral("Port Types"), QStringLiteral("RouterPortTypesFormView"),
         kMinimized, kWithHelpContents},
    }};
    return templates;
}

}  // namespace zerandi
