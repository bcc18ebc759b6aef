#include "protocol/RouterCommandNames.h"

#include <array>

#include "protocol/RouterCommands.h"

namespace zerandi::command {

namespace {

struct CommandNameRow {
    uint8_t command;
    const char* name;
};

constexpr std::array<CommandNameRow, 22> kCommandNames{{
    {kAcknowledge, "Acknowledge"},
    {kSetControllerState, "Set Controller State"},
    {kGetProductId, "Get Product Id"},
    {kGetVersionSummary, "Get Version Summary"},
    {kGetStatus, "Get Status"},
    {kGetControlCardInfo, "Get Control Card Info"},
    {kGetSoftwareVersions, "Get Software Versions"},
    {kEnterFlashWriteMode, "Enter Flash Write Mode"},
    {kFlashRecord, "Flash Record"},
    {kExitFlashDownloadMode, "Exit Flash Download Mode"},
    {kSetRouterType, "Set Router Type"},
    {kCardAddress, "Card Address"},
    {kCommParameters, "Comm Parameters"},
    {kScrambleTable, "Scramble Table"},
    {kPartitionParameters, "Partition Parameters"},
    {kDataRouterParameters, "Data Router Parameters"},
    {kTake, "Take"},
    {kCrosspointStatus, "Crosspoint Status"},
    {kResetController, "Reset Controller"},
    {kExpansionParameters, "Expansion Parameters"},
    {kTextMessage, "Text Message"},
    {kSequenceError, "Sequence Error"},
}};

}  // namespace

std::optional<QString> NameOf(uint8_t commandByte) {
    for (const CommandNameRow& row : kCommandNames) {
        if (row.command == commandByte) {
            return QString::fromLatin1(row.name);
        }
    }
    return std::nullopt;
}

}  // namespace zerandi::command
