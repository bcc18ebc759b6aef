#pragma once

#include "scramble/ScrambleMap.h"

namespace zerandi {

class RouterConfigDoc;

// Reads and writes the scramble map of the router in the document as its table words. The
// exchange with the router runs in the busy state; a failure is told after it.
class ScrambleMapTransfer {
public:
    explicit ScrambleMapTransfer(RouterConfigDoc& doc);

    // The default map of the router in the document, sized for its model.
    ScrambleMap RouterMap() const;

    // Takes the router's table into `map`; on failure the map keeps what it held.
    bool Read(ScrambleMap& map);
    bool Write(const ScrambleMap& map);

private:
    RouterConfigDoc& doc_;
};

}  // namespace zerandi
