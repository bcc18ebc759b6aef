#pragma once

#include <QString>
#include <cstdint>

#include "names/RouterNames.h"

namespace zerandi {

class UiServices;

// The names of every router this computer has met, one names file (the CSV file) per model
// and control card, in the "names" folder of the program's data folder. Both zerandi and
// zerandi-cli read the same folder.
class RouterNamesStore {
public:
    // ".../Zerandi/names/names-<productId>-<controlCard>.csv"; the control card is its part
    // number.
    static QString PathFor(int32_t productId, int32_t controlCard);

    // The names kept for the router; none when there is no file. A file that cannot be read
    // or is damaged is reported, left as it is, and gives no names.
    static RouterNames Load(UiServices& ui, int32_t productId, int32_t controlCard);
    // Writes the names atomically: a failed write is reported and keeps the file that was there.
    static bool Save(UiServices& ui, const RouterNames& names, int32_t productId,
                     int32_t controlCard);
};

}  // namespace zerandi
