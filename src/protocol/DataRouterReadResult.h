#pragma once

#include "protocol/CommResult.h"

namespace zerandi {

// Outcome of reading a data router's port types. The read reports two things the
// caller shows: the first failing transaction (the request's send or a reply), and
// a reply whose port index lies beyond the caller's table, which ends the read.
struct DataRouterReadResult {
    static constexpr const char* kTooManyInputsText =
        "Error in RouterDiagnosticCommPort::GetDataRouterParameters() too many inputs received";

    CommResult comm = CommResult::Success;
    bool tooManyInputs = false;

    bool Ok() const { return comm == CommResult::Success && !tooManyInputs; }
};

}  // namespace zerandi
