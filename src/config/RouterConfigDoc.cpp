#include "config/RouterConfigDoc.h"

#include <utility>

#include "config/RouterModelTables.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

constexpr int kLinkDataBits = 8;

}  // namespace

RouterConfigDoc::RouterConfigDoc(UiServices& ui, std::unique_ptr<SerialDevice> device, Clock& clock,
                                 const PortChoice& port, uint32_t baud)
    : ui_(ui), commPort_(ui, std::move(device), clock) {
    if (!port.IsNone()) {
        commPort_.Reopen(port, baud, kLinkDataBits, StopBits::One, Parity::None,
                         kLinkReadTimeoutMs);
    }
}

// The link's own destructor closes the port and the log.
RouterConfigDoc::~RouterConfigDoc() = default;

void RouterConfigDoc::SetProductId(int32_t productId) {
    if (std::exchange(productId_, productId) != productId) {
        UpdateAllViews();
    }
}

void RouterConfigDoc::UpdateAllViews() {
    levels = LevelsForModel(levels);
    emit ViewsRefresh();
}

void RouterConfigDoc::SetLevels(int32_t count, const Levels& newLevels) {
    levelCount = count;
    levels = newLevels;
}

RouterConfigDoc::Levels RouterConfigDoc::LevelsForModel(const Levels& original) const {
    Levels adjusted = original;
    if (IsDataRouter(productId_)) {
        for (RouterLevel& level : adjusted) {
            level.defaultInput = TriStateSource;
        }
    }
    return adjusted;
}

void RouterConfigDoc::SetScrambleMapEnabled(uint8_t enabled) {
    if (std::exchange(scrambleMapEnabled_, enabled) != enabled) {
        UpdateAllViews();
    }
}

QString RouterConfigDoc::ConfigurationResetQuestion() {
    return QStringLiteral(
        "The controller must be reset for the modified configuration to take effect.\n"
        "Do you want to reset now?");
}

bool RouterConfigDoc::AskAndResetController(const QString& question) {
    const MessageAnswer answer =
        ui_.showMessage(question, MessageIcon::Warning, MessageButtons::YesNo);
    return answer == MessageAnswer::Yes && commPort_.ResetController();
}

}  // namespace zerandi
