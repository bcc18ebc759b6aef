#pragma once

#include <QIcon>

namespace zerandi {

// The program's icon, drawn rather than loaded: a crosspoint grid on a blue tile.
// Needs the application object.
QIcon ApplicationIcon();

}  // namespace zerandi
