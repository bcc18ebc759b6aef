#pragma once

#include <QString>
#include <optional>
#include <utility>

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

// The take the current cell stands for, shown before it is made: "Output 7 VTR 2 ← input 12
// CAM 3", "Output 7 ← tri-state".
QString PendingTakeText(const RouterNames& names, int output, int input);
// Shown while no cell is chosen.
QString NoPendingTakeText();

// The source beside an output's header: "← 12 CAM 3", "← Tri-state", empty when not read.
QString OutputSourceText(const RouterNames& names, std::optional<int> source);
// An output's header as a screen reader says it: "Output 7 VTR 2, from input 12 CAM 3",
// "Output 7, tri-state", "Output 7, source not read".
QString OutputHeaderAccessibleText(const RouterNames& names, int output, std::optional<int> source);
// An input's header tip: "12 CAM 3: feeds 2 outputs"; the tri-state column counts the
// outputs disconnected.
QString InputHeaderToolTip(const RouterNames& names, int input, int outputsFed);

// What Undo Take would do: "Take input 7 back to output 7", or that there is nothing to undo.
QString UndoTakeToolTip(const RouterNames& names, std::optional<std::pair<int, int>> undo);

// Asked before a take when "Confirm takes" is ticked.
QString TakeQuestion(const RouterNames& names, int output, int input);

}  // namespace zerandi
