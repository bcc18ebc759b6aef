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
    // A file there that cannot be read or is damaged (or written by a newer Zerandi, with
    // another header) is never overwritten by an edit, which would lose every name it holds:
    // the save is refused with a message until the file is mended or replaced.
    static bool Save(UiServices& ui, const RouterNames& names, int32_t productId,
                     int32_t controlCard);
    // Writes the names in place of whatever file is there, as a restore of a backup does.
    static bool Replace(UiServices& ui, const RouterNames& names, int32_t productId,
                        int32_t controlCard);
};

}  // namespace zerandi
