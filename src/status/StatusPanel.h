#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

#include "status/StatusPanelLayout.h"
#include "status/StatusPanelReading.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace zerandi {

class StatusIndicator;

// The display of the system status view: power supplies, references, card states, resets,
// alarms and fans. Every control shows what the last read found; none takes input.
class StatusPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr size_t kColumns = StatusPanelLayout::kColumns;
    static constexpr size_t kReferenceColumns = 2;

    explicit StatusPanel(QWidget* parent = nullptr);

    // Shows and hides the controls for the model, and labels the two boxes that change.
    void ApplyLayout(const StatusPanelLayout& layout);
    void ShowReading(const StatusPanelReading& reading);
    // No fan list hides the list and its heading.
    void ShowFans(const std::optional<QStringList>& fanLines);

private:
    QWidget* BuildSupplyAndReferenceGrid();
    QWidget* BuildCardGroups();
    QWidget* BuildLists();
    void ShowReferences(const StatusPanelReading& reading);
    StatusIndicator* NewIndicator(const QString& text, const QString& name,
                                  const QString& objectName);
    StatusIndicator* Reference(ReferenceControl control) const {
        return references_.at(static_cast<size_t>(control));
    }

    std::array<QLabel*, kColumns> columnHeaders_{};
    std::array<StatusIndicator*, kColumns> supplyPresent_{};
    QLabel* temperatureLabel_ = nullptr;
    std::array<StatusIndicator*, kColumns> temperatureOk_{};
    QLabel* verticalRefLabel_ = nullptr;
    QLabel* aesRefLabel_ = nullptr;
    std::array<StatusIndicator*, kReferenceControlCount> references_{};
    QLabel* auxData_ = nullptr;
    QLabel* timestamp_ = nullptr;
    StatusIndicator* inPrimarySlot_ = nullptr;
    StatusIndicator* thisCardHealthy_ = nullptr;
    QComboBox* cardState_ = nullptr;
    StatusIndicator* otherCardHealthy_ = nullptr;
    StatusIndicator* otherCardActive_ = nullptr;
    std::array<StatusIndicator*, 3> cpuHasReset_{};
    QLabel* diagLabel_ = nullptr;
    QListWidget* alarms_ = nullptr;
    QLabel* fansLabel_ = nullptr;
    QListWidget* fans_ = nullptr;
};

}  // namespace zerandi
