#include "SimRouter.h"

#include <optional>

#include "CommandTable.h"
#include "DefaultRouterState.h"
#include "ModelCatalog.h"

namespace zsim {
namespace {

const SimModel& ModelOrDefault(const std::string& name) {
    const SimModel* model = FindModel(name);
    return model != nullptr ? *model : *FindModel(SimRouter::kDefaultModel);
}

}  // namespace

SimRouter::SimRouter(const std::string& model) : state_(MakeRouterState(ModelOrDefault(model))) {}

std::vector<std::string> SimRouter::ModelNames() {
    std::vector<std::string> names;
    for (const SimModel& model : AllModels()) {
        names.emplace_back(model.name);
    }
    return names;
}

bool SimRouter::HasModel(const std::string& model) {
    return FindModel(model) != nullptr;
}

void SimRouter::Update(const std::function<void(RouterState&)>& change) {
    std::lock_guard lock(mutex_);
    change(state_);
    FitToRouterSize(state_);
}

RouterState SimRouter::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void SimRouter::InjectFault(const SimFault& fault) {
    std::lock_guard lock(mutex_);
    faults_.Add(fault);
}

void SimRouter::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.Clear();
}

std::vector<std::vector<uint8_t>> SimRouter::ReceivedFrames() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void SimRouter::ClearReceivedFrames() {
    std::lock_guard lock(mutex_);
    received_.clear();
}

std::vector<WireAction> SimRouter::Feed(std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    parser_.Push(bytes);
    std::vector<WireAction> actions;
    while (const auto parsed = parser_.Next()) {
        std::vector<WireAction> answer = Answer(*parsed);
        actions.insert(actions.end(), answer.begin(), answer.end());
    }
    return actions;
}

// A request with a bad checksum is refused before anything else looks at it; a fault that
// replaces the answer keeps the command from running.
std::vector<WireAction> SimRouter::Answer(const FrameParser::Parsed& parsed) {
    const Request& request = parsed.request;
    if (!parsed.checksumOk) {
        return faults_.Apply(std::nullopt, request, Refusal(request, kChecksumError));
    }
    received_.push_back(request.frame);
    const std::optional<SimFault> fault = faults_.Take(request);
    Frames frames;
    if (!fault || !FaultInjector::SuppressesRequest(*fault)) {
        const bool forget = fault && fault->kind == SimFault::Kind::Forget;
        const std::optional<RouterState> before =
            forget ? std::optional<RouterState>(state_) : std::nullopt;
        frames = AnswerRequest(state_, request);
        if (before) {
            state_ = *before;
        }
    }
    return faults_.Apply(fault, request, std::move(frames));
}

bool SimRouter::HasPartialRequest() const {
    std::lock_guard lock(mutex_);
    return parser_.HasPartial();
}

void SimRouter::DiscardPartialRequest() {
    std::lock_guard lock(mutex_);
    parser_.DiscardPartial();
}

std::vector<uint8_t> SimRouter::TextMessage(const std::string& text) {
    return TextFrames(kRequestAddress, text);
}

std::vector<uint8_t> SimRouter::SentBytes(const std::vector<WireAction>& actions) {
    std::vector<uint8_t> bytes;
    for (const WireAction& action : actions) {
        if (action.kind == WireAction::Kind::Send) {
            bytes.insert(bytes.end(), action.bytes.begin(), action.bytes.end());
        }
    }
    return bytes;
}

}  // namespace zsim
