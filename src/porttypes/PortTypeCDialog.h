#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "porttypes/PortType.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zerandi {

class NumberEdit;
class UiServices;

// The port types form: the port list, the radio buttons of the seven types, the reverse
// input/output choice, the take delay and the Read and Write buttons. It keeps the table
// the list shows and changes one port at a time as the user picks a type.
class PortTypeCDialog : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTakeDelayDigits = 3;

    explicit PortTypeCDialog(UiServices& ui, QWidget* parent = nullptr);

    const std::vector<PortType>& PortTypes() const { return types_; }
    // Replaces the whole table and rebuilds the list, keeping the selected row if it exists.
    void SetPortTypes(std::vector<PortType> types);

    // The 207M roles (codes 3 to 6) belong to extended cards; the reverse choice belongs to
    // the others: with an extended card it is "No", hidden and disabled.
    void SetExtendedCard(bool extended);

    bool ReverseSelected() const;
    void SetReverse(bool reverse);
    // The take delay typed, 0 when the field is empty.
    int TakeDelay() const;
    void SetTakeDelay(int fields);

    // The selected row, or nothing.
    std::optional<size_t> SelectedPort() const;
    void ChangeSelectedPortType(int code);

signals:
    void ReadRequested();
    void WriteRequested();

protected:
    // Enter anywhere in the form reads, unless a button has the focus.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildPortList();
    QWidget* BuildTypeGroup();
    QWidget* BuildSettings();
    QWidget* BuildButtons();
    void RebuildList();
    void EnableRadioButtons();
    void UpdateRadioButtons();

    UiServices& ui_;
    std::vector<PortType> types_;
    bool extendedCard_ = false;

    QListWidget* list_ = nullptr;
    QButtonGroup* typeButtons_ = nullptr;
    std::array<QRadioButton*, kPortTypeCount> radios_{};
    QLabel* reverseLabel_ = nullptr;
    QComboBox* reverse_ = nullptr;
    NumberEdit* takeDelay_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace zerandi
