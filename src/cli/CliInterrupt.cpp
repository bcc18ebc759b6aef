#include "cli/CliInterrupt.h"

#include <csignal>

namespace zerandi {

namespace {

volatile std::sig_atomic_t gRequested = 0;

extern "C" void OnInterrupt(int /*signal*/) {
    gRequested = 1;
    // The next Ctrl-C is the default one.
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

void CliInterrupt::Install() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // A read under way goes on after the signal: the transaction is finished, not cut.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool CliInterrupt::Requested() {
    return gRequested != 0;
}

}  // namespace zerandi
