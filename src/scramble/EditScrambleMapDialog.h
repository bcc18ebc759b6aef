#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "scramble/ScrambleMap.h"

class QLineEdit;

namespace zerandi {

// "Edit Scramble Map": one entry's A1A2, A3A4 and description. An empty address field
// means the entry has no such address. Typing is refused where it would give an address the
// router cannot keep or a description that a ".scr" file would not give back as typed.
class EditScrambleMapDialog : public QDialog {
    Q_OBJECT

public:
    enum class Table { Input, Output };
    static constexpr int kMaxDescriptionChars = 21;

    EditScrambleMapDialog(Table table, uint32_t entryNumber, const ScrambleEntry& entry,
                          QWidget* parent = nullptr);

    // What the fields hold: an empty address field gives "no address", other text its
    // leading number (0 when it has none).
    ScrambleEntry Result() const;

    static uint32_t AddressFromText(const QString& text);
    static QString AddressText(uint32_t address);

private:
    QLineEdit* NewAddressField(const QString& name, uint32_t address);

    QLineEdit* a1a2_ = nullptr;
    QLineEdit* a3a4_ = nullptr;
    QLineEdit* description_ = nullptr;
};

}  // namespace zerandi
