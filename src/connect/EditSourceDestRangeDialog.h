#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zerandi {

class NumberEdit;
class UiServices;

// What the range dialog edits: one take, one input over a range of outputs, or an output
// shown on a monitor.
enum class RangeDialogKind { SingleTake, OutputRange, MonitorPair };

// The dialog's three numbers: presets in, accepted values out.
struct RangeDialogValues {
    uint32_t first = 0;       // input (the output for a monitor pair)
    uint32_t output = 0;      // output, first output of a range, or monitor
    uint32_t lastOutput = 0;  // last output of a range

    bool operator==(const RangeDialogValues&) const = default;
};

struct RangeDialogSetup {
    RangeDialogKind kind = RangeDialogKind::SingleTake;
    QString title;
    QString confirmText;
    QString cancelText;
    int32_t productId = 0;
    uint32_t inputLimit = 0;
    uint32_t outputLimit = 0;
    QString firstLabel = QStringLiteral("Input");
    QString outputLabel = QStringLiteral("Output");
};

// The small modal dialog through which takes, salvo rows and monitors ask for an input and
// an output (or a range of outputs, or an output and a monitor), checked against the
// caller's limits. A take of a model that can tri-state an output offers "Tri-State" for
// the input.
class EditSourceDestRangeDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMonitorOutputDigits = 4;

    EditSourceDestRangeDialog(UiServices& ui, const RangeDialogSetup& setup,
                              const RangeDialogValues& presets, QWidget* parent = nullptr);

    // Runs the dialog through the UiServices; the accepted values, or nothing on cancel.
    static std::optional<RangeDialogValues> Ask(UiServices& ui, const RangeDialogSetup& setup,
                                                const RangeDialogValues& presets,
                                                QWidget* parent = nullptr);

    RangeDialogValues Values() const { return values_; }

private:
    void BuildForm();
    void ApplyKind();
    void Confirm();
    bool CheckFirst(uint32_t first) const;

    UiServices& ui_;
    RangeDialogSetup setup_;
    RangeDialogValues values_;
    QLabel* firstLabel_ = nullptr;
    NumberEdit* first_ = nullptr;
    QCheckBox* triState_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    NumberEdit* output_ = nullptr;
    QLabel* toLabel_ = nullptr;
    NumberEdit* lastOutput_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace zerandi
