#pragma once

#include "services/UiServices.h"

namespace zerandi {

// Holds the application's busy state for the lifetime of the scope.
class BusyScope {
public:
    explicit BusyScope(UiServices& services) : services_(services) { services_.beginBusy(); }
    ~BusyScope() { services_.endBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    UiServices& services_;
};

}  // namespace zerandi
