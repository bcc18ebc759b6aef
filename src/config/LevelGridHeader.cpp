#include "config/LevelGridHeader.h"

#include <QGridLayout>
#include <QLabel>

namespace zerandi {

namespace {

constexpr int kHeadingRows = 3;

int ColumnIndex(LevelColumn column) {
    return static_cast<int>(column);
}

}  // namespace

LevelGridHeader::LevelGridHeader(const LevelRow::ColumnWidths& widths, int spacing, QWidget* parent)
    : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(spacing);
    grid->setVerticalSpacing(0);
    for (size_t i = 0; i < widths.size(); ++i) {
        grid->setColumnMinimumWidth(static_cast<int>(i), widths[i]);
    }
    grid->setColumnStretch(static_cast<int>(widths.size()), 1);

    const auto add = [&](const QString& text, int row, LevelColumn column, int rowSpan,
                         int columnSpan, Qt::Alignment alignment) {
        auto* label = new QLabel(text, this);
        label->setAlignment(alignment);
        // Headings wrap rather than widen their column past the fields under it.
        label->setWordWrap(true);
        int spanWidth = spacing * (columnSpan - 1);
        for (int c = 0; c < columnSpan; ++c) {
            spanWidth += widths[static_cast<size_t>(ColumnIndex(column) + c)];
        }
        label->setMaximumWidth(spanWidth);
        grid->addWidget(label, row, ColumnIndex(column), rowSpan, columnSpan);
    };
    const Qt::Alignment bottomLeft = Qt::AlignLeft | Qt::AlignBottom;
    const Qt::Alignment bottomCentre = Qt::AlignHCenter | Qt::AlignBottom;
    // A pair of start/end columns under one two-line heading.
    const auto addRange = [&](const QString& heading, LevelColumn start) {
        add(heading, 0, start, 2, 2, bottomCentre);
        add(QStringLiteral("Start"), 2, start, 1, 1, bottomCentre);
        add(QStringLiteral("End"), 2, static_cast<LevelColumn>(ColumnIndex(start) + 1), 1, 1,
            bottomCentre);
    };

    add(QStringLiteral("Level"), 0, LevelColumn::Level, kHeadingRows, 1, bottomCentre);
    addRange(QStringLiteral("Physical\nInputs"), LevelColumn::PhysicalInputStart);
    add(QStringLiteral("Controller\nInput\nStart"), 0, LevelColumn::ControllerInputStart,
        kHeadingRows, 1, bottomCentre);
    addRange(QStringLiteral("Physical\nOutputs"), LevelColumn::PhysicalOutputStart);
    add(QStringLiteral("Controller\nOutput\nStart"), 0, LevelColumn::ControllerOutputStart,
        kHeadingRows, 1, bottomCentre);
    add(QStringLiteral("Default Input"), 0, LevelColumn::DefaultInput, kHeadingRows, 1,
        bottomCentre);
    add(QStringLiteral("Signal Type"), 0, LevelColumn::SignalType, kHeadingRows, 1, bottomLeft);
}

}  // namespace zerandi
