#pragma once

#include <QString>

namespace zerandi {

class RouterNames;

// What the routing grid says, in its headers, to a screen reader and when it asks.

// The title of the column that disconnects an output.
QString TriStateColumnTitle();

// A column's header: "12 CAM 3", "12", or the tri-state title for input 0.
QString InputHeaderText(const RouterNames& names, int input);

// A cell as a screen reader says it: "Output 7 VTR 2, input 12 CAM 3, routed",
// "Output 7, tri-state, not routed".
QString CellAccessibleText(const RouterNames& names, int output, int input, bool routed);

// Asked before a take when "Confirm takes" is ticked.
QString TakeQuestion(const RouterNames& names, int output, int input);

}  // namespace zerandi
