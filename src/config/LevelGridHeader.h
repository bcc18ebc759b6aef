#pragma once

#include <QWidget>

#include "config/LevelRow.h"

namespace zerandi {

// The headings over the level rows, each over its column: "Level", Physical / Inputs /
// Start End, Controller / Input / Start, Physical / Outputs / Start End, Controller /
// Output / Start, "Default Input", "Signal Type".
class LevelGridHeader : public QWidget {
    Q_OBJECT

public:
    LevelGridHeader(const LevelRow::ColumnWidths& widths, int spacing, QWidget* parent = nullptr);
};

}  // namespace zerandi
