#pragma once

#include <QList>
#include <QWidget>
#include <array>
#include <cstdint>

#include "config/ProtocolCapabilities.h"

class QComboBox;

namespace zerandi {

class NumberEdit;
class RouterConfigDoc;
struct RouterLevel;

// One level of the router as a row of fields: level, the input and output ranges, the
// default input and the signal type. Every edit goes straight into the document's level;
// Refresh redraws the row from it. The view says which columns the router's protocol
// uses; the row decides the rest from the level number, the product and the card.
class LevelRow : public QWidget {
    Q_OBJECT

public:
    static constexpr int32_t kMaxLevelNumber = 250;
    static constexpr int32_t kReservedLevelNumber = 254;  // accepted beside 0-250
    static constexpr int kLevelDigits = 3;
    static constexpr int kNumberDigits = 5;
    static constexpr int kMaxNumber = 0xFFFF;  // the router carries these fields in 16 bits

    using ColumnFlags = std::array<bool, kLevelColumnCount>;
    using ColumnWidths = std::array<int, kLevelColumnCount>;

    LevelRow(RouterConfigDoc& doc, RouterLevel& level, QWidget* parent = nullptr);

    void SetColumnFlags(const ColumnFlags& flags) { flags_ = flags; }
    // Names every field for assistive technology by row and column: "Level 2 Physical
    // Inputs End".
    void NameFields(int rowNumber);
    void Refresh();

    // The width of each column and the gap between columns, for the headings above.
    ColumnWidths Widths() const;
    int Spacing() const;

    // Any column but the signal type.
    NumberEdit& Edit(LevelColumn column) const;
    QComboBox& SignalTypeList() const { return *signalTypes_; }

protected:
    // Enter in a row does not press the form's default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr size_t kEditCount = kLevelColumnCount - 1;

    bool HasColumn(LevelColumn column) const { return flags_[static_cast<size_t>(column)]; }
    bool HasLevel() const;
    void EnableColumns();
    void ShowNumbers();
    void ShowDefaultInput();
    void OfferSignalTypes();
    void OnLevelEdited(const QString& text);
    void OnNumberEdited(LevelColumn column, const QString& text);
    void OnSignalTypeActivated(int index);

    RouterConfigDoc& doc_;
    RouterLevel& level_;
    std::array<NumberEdit*, kEditCount> edits_{};
    QComboBox* signalTypes_;
    ColumnFlags flags_;
    QList<int32_t> offeredCodes_;
};

}  // namespace zerandi
