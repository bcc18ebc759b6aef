#pragma once

#include <QStringListModel>
#include <QTimer>
#include <QWidget>

#include "protocol/CommResult.h"
#include "shell/ViewCommands.h"
#include "status/StatusCaptureFile.h"
#include "status/StatusMessageLines.h"
#include "status/TimerTickGate.h"

class QAction;
class QListView;

namespace zerandi {

class RouterConfigDoc;

// The console of a router whose type is not known yet: it polls the link four times a
// second for the controller's text messages and lists them line by line, copies them into
// a capture file on request, and in terminal mode sends a typed line to the controller.
// Once the router type is known it stops polling and hides its window.
class RouterStatusMessagesFormView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 250;
    static constexpr uint32_t kTextFrameWaitMs = StatusMessageLines::kTextFrameWaitMs;
    // A controller that never stops talking must not keep the program from its other work.
    static constexpr int kMaxMessagesPerPoll = 64;

    explicit RouterStatusMessagesFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);
    ~RouterStatusMessagesFormView() override;

    void AddMenuItems(ViewMenuSet& menus) override;

    // One tick of the poll timer; skipped while the link may be in use.
    void Poll();
    void ToggleCapture();
    void ClearList();
    void ToggleTerminalMode();
    // Sends the typed line (Enter), also an empty one.
    void SendTypedLine();
    void TypeCharacter(char character);

    bool IsPolling() const { return pollTimer_.isActive(); }
    bool IsCapturing() const { return capture_.IsOn(); }
    bool IsTerminalMode() const { return terminalMode_; }
    QStringList Entries() const { return lines_.Entries(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnDocumentUpdate();
    void StartPolling();
    void ReceiveWaitingMessages();
    void ReportPollFailure(CommResult result);
    bool HandleKey(const QKeyEvent& event);
    void StartCapture();
    void StopCapture();
    void CaptureEntry(const QString& entry);
    void CaptureStopped();
    void ShowEntries();

    RouterConfigDoc& doc_;
    StatusMessageLines lines_;
    StatusCaptureFile capture_;
    TimerTickGate gate_;
    QTimer pollTimer_;
    QStringListModel model_;
    QListView* list_ = nullptr;
    QAction* captureAction_ = nullptr;
    QAction* terminalAction_ = nullptr;
    bool terminalMode_ = false;
    // One failure box per opening of the link, however often the poll fails.
    bool pollFailureShown_ = false;
    bool linkWasOpen_ = false;
};

}  // namespace zerandi
