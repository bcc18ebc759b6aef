#pragma once

#include <QWidget>
#include <array>

#include "flash/FlashSlots.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zerandi {

class RouterConfigDoc;
struct FlashProgress;

// The flash memory view: one firmware file per component, named in its slot, written into
// the control card with "Write Flash" while the slot's progress bar and the status line
// follow each record; then the controller reset is offered.
class RouterFlashFormView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kResetRange = 10;

    explicit RouterFlashFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);

    void WriteFlash();
    void Browse(size_t slot);
    // Rows, labels and file names for the router now known to the document.
    void OnDocumentUpdate();

private:
    struct SlotRow {
        QLabel* label = nullptr;
        QLineEdit* fileName = nullptr;
        QPushButton* browse = nullptr;
        QProgressBar* progress = nullptr;
    };

    void BuildSlotRow(size_t slot, QGridLayout& grid);
    void SetSlotLabel(size_t slot, const QString& text);
    void ShowSlotRow(size_t slot, bool shown);
    bool SlotShown(size_t slot) const;
    QString SlotFileName(size_t slot) const;
    bool AnyFileNamed() const;
    bool ConfirmPairing();
    bool Download();
    void ShowProgress(const FlashProgress& progress);
    void ResetProgress();

    RouterConfigDoc& doc_;
    std::array<SlotRow, kFlashSlotCount> rows_{};
    QLineEdit* status_ = nullptr;
    QPushButton* writeFlash_ = nullptr;
};

}  // namespace zerandi
