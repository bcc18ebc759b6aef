#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "connect/TakeLists.h"
#include "connect/TakeRules.h"
#include "shell/ViewCommands.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace zerandi {

class ConnectSettingsMenu;
class NumberEdit;
class RouterConfigDoc;
class RouterDiagnosticCommPort;
class SalvoPanel;
class TabStopHeading;
class UiServices;
struct RangeDialogSetup;

// The connections view: switches crosspoints singly, over a range of outputs or along a
// diagonal, reads back which input feeds each output into the "Physical Connections" list,
// runs salvos (SalvoPanel) and writes or prints the list as a report. Hidden while the
// router is not known.
class RouterConnectFormView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    static constexpr int kAutoReadDelayMs = kReadAfterTakeDelayMs;
    static constexpr int kFieldDigitsBeforeUpdate = 4;

    explicit RouterConnectFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);
    ~RouterConnectFormView() override;

    // Form commands.
    void ExecuteSingleTake();
    void RangeTake();
    void DiagonalTake();
    void ReverseDiagonalTake();
    void ReadRange();
    void ReadAllOutputs();

    // Reads outputs first..last into the list (and the salvo when the menu says so).
    void ReadOutputRange(int first, int last);
    // Lists the words a read returned for outputs first, first+1, ... in one go.
    void ShowConnections(int first, const std::vector<int32_t>& words);
    // Sends the takes; the list is emptied. True when every take was made.
    bool RunTakeList(const TakeList& takes);

    // The report of the list: to a file chosen by the user, or to the printer.
    void WriteReport();
    void PrintReport();
    bool WriteToTxtFile(const QString& path);

    SalvoPanel& Salvo() const { return *salvo_; }
    ConnectSettingsMenu& Settings() const { return *settings_; }
    QStringList ConnectionRows() const;

    void AddMenuItems(ViewMenuSet& menus) override;
    bool HandlesCommand(StandardCommand command) const override;
    void RunCommand(StandardCommand command) override;

private:
    QGroupBox* BuildConnectionsGroup();
    QGroupBox* BuildSingleTakeGroup();
    QGroupBox* BuildOutputRangeGroup();
    QWidget* BuildTakeButtons();
    NumberEdit* NewNumberField(const QString& name, int digits, int maxValue);
    void SetReadingTabOrder();

    void OnDocumentUpdate();
    void ApplyFieldLimits();
    RangeDialogSetup RangeSetup(const QString& title) const;
    void RunRangeDialog(const QString& title, uint32_t presetInput,
                        const std::function<void(int input, int first, int last)>& onConfirm);
    void AutoReadIfTicked();
    void StepFields(int input, int output);

    RouterConfigDoc& doc_;
    UiServices& ui_;
    RouterDiagnosticCommPort& commPort_;
    int32_t productId_;
    int inputCount_ = 0;
    int outputCount_ = 0;
    bool dataRouter_ = false;

    ConnectSettingsMenu* settings_ = nullptr;
    QPushButton* rangeTake_ = nullptr;
    QPushButton* diagonal_ = nullptr;
    QPushButton* reverseDiagonal_ = nullptr;
    TabStopHeading* heading_ = nullptr;
    QListWidget* connections_ = nullptr;
    NumberEdit* input_ = nullptr;
    NumberEdit* output_ = nullptr;
    NumberEdit* timestamp_ = nullptr;
    QCheckBox* triState_ = nullptr;
    QPushButton* executeTake_ = nullptr;
    NumberEdit* start_ = nullptr;
    NumberEdit* end_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* readAll_ = nullptr;
    SalvoPanel* salvo_ = nullptr;
    QAction* writeReport_ = nullptr;
    QAction* printReport_ = nullptr;
};

}  // namespace zerandi
