#pragma once

namespace zerandi {

// The exit statuses of zerandi-cli, each with one meaning.
enum class CliExit : int {
    Ok = 0,
    RouterFailed = 1,   // the router refused, a transaction failed, or output was lost
    Usage = 2,          // a usage error or a bad input file: nothing was sent
    PortNotOpened = 3,  // the serial port could not be opened
    Difference = 4,     // a verify or a compare found a difference
    Alarm = 5,          // status --check found an alarm on or a fan with a problem
    Interrupted = 130,  // stopped by Ctrl-C after the transaction under way
};

}  // namespace zerandi
