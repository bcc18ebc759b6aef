#pragma once

namespace zerandi {

// Ctrl-C: the first one asks the command to stop after the transaction under way; a second
// one ends the program at once, as Ctrl-C ends any program.
class CliInterrupt {
public:
    static void Install();
    static bool Requested();
};

}  // namespace zerandi
