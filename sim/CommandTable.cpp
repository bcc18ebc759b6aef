#include "CommandTable.h"

#include <algorithm>
#include <array>

#include "ControllerCommands.h"
#include "CrosspointCommands.h"
#include "FlashCommands.h"
#include "SettingsCommands.h"
#include "TableCommands.h"

namespace zsim {
namespace {

using Handler = Frames (*)(RouterState&, const Request&);

struct Command {
    uint8_t code;
    Handler handler;
};

constexpr std::array kCommands{
    Command{0x06, AnswerControllerState},
    Command{0x10, AnswerProductId},
    Command{0x11, AnswerBriefVersions},
    Command{0x12, AnswerHealth},
    Command{0x13, AnswerControlCardInfo},
    Command{0x15, AnswerSoftwareVersions},
    Command{0x40, AnswerEnterFlash},
    Command{0x41, AnswerFlashRecord},
    Command{0x42, AnswerExitFlash},
    Command{0x43, AnswerRouterType},
    Command{0x44, AnswerCardAddress},
    Command{0x45, AnswerCommParameters},
    Command{0x46, AnswerScrambleTable},
    Command{0x47, AnswerPartition},
    Command{0x48, AnswerDataRouterParameters},
    Command{0x49, AnswerTake},
    Command{0x4A, AnswerCrosspointStatus},
    Command{0x4E, AnswerReset},
    Command{0x4F, AnswerExpansion},
    Command{kTextCommand, AnswerText},
};

}  // namespace

Frames AnswerRequest(RouterState& state, const Request& request) {
    const auto command =
        std::find_if(kCommands.begin(), kCommands.end(),
                     [&](const Command& candidate) { return candidate.code == request.command; });
    if (command == kCommands.end()) {
        return Refusal(request, kUnknownCommand);
    }
    return command->handler(state, request);
}

}  // namespace zsim
