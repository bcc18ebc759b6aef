#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "config/ConfigViewSettings.h"
#include "shell/ViewCommands.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zerandi {

class IpAddressEdit;
class LevelRow;
class NumberEdit;
class RouterConfigDoc;
struct ConfigFormValues;
struct ProtocolCapabilities;

// The configuration view: reads the router's whole configuration with "Read All", lets
// the user edit it and writes it back with "Write All". It is where the document learns
// which router is connected. Placed in a child window, it adds the router model to the
// captions of that window and of the main window.
class RouterConfigFormView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    static constexpr int32_t kMaxCardAddress = 255;

    explicit RouterConfigFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);

    void ReadAll();
    void WriteAll();
    void RefreshControls();
    // "Set Router Type" in the Communications menu.
    void SetRouterType(uint8_t productId);

    // "Configuration - QR1206 router" from "Configuration" (or from an earlier ending).
    static QString CaptionWithModel(const QString& caption, int32_t productId);

    void AddMenuItems(ViewMenuSet& menus) override;

    LevelRow& Row(int index) const { return *levelRows_.at(static_cast<size_t>(index)); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Terms;

    QWidget* BuildLevelGrid();
    QWidget* BuildIdentityColumn();
    QWidget* BuildSettingsColumn();
    QGroupBox* BuildSerialGroup();
    QGroupBox* BuildEthernetGroup();
    QGroupBox* BuildExpansionGroup();
    QWidget* BuildButtons();
    QComboBox* NewList(const QStringList& items, const QString& name);

    Terms CurrentTerms() const;
    void RefreshSettings(const Terms& terms);
    void RefreshSerialGroup(const Terms& terms);
    void RefreshEthernet(const Terms& terms);
    void EnableOptionalSettings(const Terms& terms);
    void RefreshExpansion(const Terms& terms);
    void RefreshIdentity();
    void RefreshLevelRows(const ProtocolCapabilities& caps);
    void GrowChildWindowToFit();
    void UpdateCaptions();
    void ReactivateChildWindow();
    ConfigFormValues FormValues() const;
    void ShowWriteOutcome(bool written);

    void OnCardAddressEdited();
    void OnDocumentUpdate();
    void OnConfigurationRead(const ConfigViewSettings& settings);

    RouterConfigDoc& doc_;
    ConfigViewSettings settings_;
    bool firstShown_ = false;

    QWidget* levelGrid_ = nullptr;
    std::array<LevelRow*, 4> levelRows_{};
    QListWidget* versions_ = nullptr;
    QLabel* protocolText_ = nullptr;
    QLabel* cardText_ = nullptr;
    QComboBox* startup_ = nullptr;
    QComboBox* rearDiag_ = nullptr;
    QComboBox* scramble_ = nullptr;
    NumberEdit* cardAddress_ = nullptr;
    QGroupBox* serialGroup_ = nullptr;
    QLabel* baudLabel_ = nullptr;
    QComboBox* baud_ = nullptr;
    QLabel* replyWhenLabel_ = nullptr;
    QComboBox* replyWhen_ = nullptr;
    QLabel* mainPortLabel_ = nullptr;
    QComboBox* mainPort_ = nullptr;
    QLabel* auxPortLabel_ = nullptr;
    QComboBox* auxPort_ = nullptr;
    QGroupBox* ethernetGroup_ = nullptr;
    QLabel* ethernetControlLabel_ = nullptr;
    QButtonGroup* ethernetButtons_ = nullptr;
    QRadioButton* ethernetEnabled_ = nullptr;
    QRadioButton* ethernetDisabled_ = nullptr;
    QLabel* ipLabel_ = nullptr;
    IpAddressEdit* ipAddress_ = nullptr;
    QLabel* maskLabel_ = nullptr;
    IpAddressEdit* subnetMask_ = nullptr;
    QGroupBox* expansionGroup_ = nullptr;
    QButtonGroup* expansionButtons_ = nullptr;
    QRadioButton* master_ = nullptr;
    QRadioButton* slave_ = nullptr;
    NumberEdit* expansionIndex_ = nullptr;
    QPushButton* readAll_ = nullptr;
    QPushButton* writeAll_ = nullptr;
};

}  // namespace zerandi
