#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "names/RouterNames.h"
#include "routing/RoutingGrid.h"
#include "shell/ViewCommands.h"
#include "status/TimerTickGate.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zerandi {

class ConnectSettingsMenu;
class RouterConfigDoc;
class RouterDiagnosticCommPort;
class RoutingGridModel;
class RoutingTableView;
class UiServices;

// The "Routing" view: every output of the router down, with its source beside it, every
// input across, the input that feeds each output lit as the last read found it. A click or
// the arrows choose a cell and show the take it stands for; "Take", Enter or a double-click
// takes that input to that output and reads the output back, and Edit > Undo Take (Ctrl+Z)
// puts back what the output had before. Reads come from "Read" or, when ticked, every few
// seconds while nothing else talks to the router. Ports carry the names kept for the
// router. Hidden while the router is not known or has no outputs.
class RoutingGridView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    // Where "Confirm takes" is remembered between runs.
    static constexpr const char* kConfirmTakesKey = "routing/confirmTakes";

    static constexpr int kDefaultRefreshSeconds = 10;
    static constexpr int kMinRefreshSeconds = 2;  // a full read of the largest router takes ~1 s
    static constexpr int kMaxRefreshSeconds = 3600;

    // Takes on a data router carry the flag bits the connections view's Settings menu sets.
    RoutingGridView(RouterConfigDoc& doc, const ConnectSettingsMenu& takeFlags,
                    QWidget* parent = nullptr);
    ~RoutingGridView() override;

    // Reads every output into the grid; false when the read failed (and was told).
    bool Read();
    // Shows the words a read returned for outputs first, first+1, ...
    void ShowRead(int first, const std::vector<int32_t>& words);
    // Takes the input (RoutingGrid::kTriState: disconnects) to the output, after asking
    // when "Confirm takes" is ticked, and remembers what the output had for Undo Take.
    void Take(int output, int input);
    // Takes back the source the output of the last take had before it; one step.
    void UndoTake();
    void EditNames();
    void EditName(NameKind kind, int number);
    // A tick of "Refresh every": a read, when the grid shows and the link is free.
    void RefreshTick();

    const RoutingGrid& Grid() const { return grid_; }
    RoutingGridModel& Model() const { return *model_; }
    bool Refreshing() const { return refreshTimer_.isActive(); }

    QSize sizeHint() const override;
    void AddMenuItems(ViewMenuSet& menus) override;

private:
    // The output and the input it had before the last take from this window.
    using UndoStep = std::pair<int, int>;

    QWidget* BuildControls();
    QWidget* BuildTakeRow();
    void BuildUndoAction();
    void SetReadingTabOrder();
    void ConnectHeaders();

    void OnDocumentUpdate();
    void LoadNames();
    void ApplyNames(const RouterNames& names);
    void TakeAt(const QModelIndex& index);
    // True unless "Confirm takes" is ticked and the question was not answered Yes.
    bool Confirmed(int output, int input);
    // The output's source before a take: as last read, else read now; nothing when the
    // read failed.
    std::optional<int> SourceBeforeTake(int output);
    // Asks when "Confirm takes" is ticked, takes and shows the read-back; true when taken.
    bool MakeTake(int output, int input);
    void ShowTakeOutcome(int output, bool taken, std::optional<int32_t> word);
    void SetUndo(std::optional<UndoStep> step);
    void ShowPendingTake();
    // Redraws the grid; `layoutChanged` when its rows or columns changed. The current cell
    // stays where it was, when it is still in view.
    void Redraw(bool layoutChanged);

    void SetRefresh(bool on);

    RouterConfigDoc& doc_;
    UiServices& ui_;
    RouterDiagnosticCommPort& commPort_;
    const ConnectSettingsMenu& takeFlags_;
    RoutingGrid grid_;
    int32_t namesProduct_ = -1;
    int32_t namesCard_ = -1;

    QLineEdit* filter_ = nullptr;
    QCheckBox* routedOnly_ = nullptr;
    QCheckBox* confirmTakes_ = nullptr;
    QPushButton* editNames_ = nullptr;
    QPushButton* read_ = nullptr;
    QCheckBox* refresh_ = nullptr;
    QSpinBox* refreshSeconds_ = nullptr;
    QLabel* lastRead_ = nullptr;
    QLabel* pendingTake_ = nullptr;
    QPushButton* take_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QAction* undoTake_ = nullptr;
    std::optional<UndoStep> undo_;
    RoutingTableView* table_ = nullptr;
    RoutingGridModel* model_ = nullptr;
    QTimer refreshTimer_;
    TimerTickGate gate_;
};

}  // namespace zerandi
