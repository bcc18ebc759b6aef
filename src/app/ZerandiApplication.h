#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "config/RouterConfigDoc.h"
#include "serial/PortChoice.h"
#include "serial/SystemClock.h"
#include "shell/ViewTemplate.h"

class QWidget;

namespace zerandi {

class BackupActions;
class CMainFrame;
class CustomMdiChildWnd;
class UiServices;

// What a view is built on: the one document, and the frame it lives in.
struct ViewContext {
    UiServices& ui;
    RouterConfigDoc& doc;
    CMainFrame& mainFrame;
};

// Builds one view; a view may implement ViewCommands to add menus and toolbar commands.
using ViewFactory = std::function<std::unique_ptr<QWidget>(ViewContext& context)>;

// The program's start-up and what lives from then until exit: the main frame, the
// document the views share (with the link inside its facade), and the eight views in
// their child windows.
class ZerandiApplication {
public:
    explicit ZerandiApplication(UiServices& ui);
    ~ZerandiApplication();
    ZerandiApplication(const ZerandiApplication&) = delete;
    ZerandiApplication& operator=(const ZerandiApplication&) = delete;

    // Replaces the stand-in view of a template; call before Start.
    void SetViewFactory(ViewId id, ViewFactory factory);

    // Reads the version information, opens the link on the port and baud rate given,
    // shows the main frame and creates the views in start-up order. False when a view
    // could not be created; the program then ends.
    bool Start(const PortChoice& port, uint32_t baud);

    CMainFrame& MainFrame() const { return *mainFrame_; }
    RouterConfigDoc& Document() const { return *document_; }

    // Minimizes the frame if asked (its Close item is disabled from birth); a missing
    // frame is reported as an internal error and skipped.
    void ConfigureFrame(CustomMdiChildWnd* frame, bool minimized);

    // Opens the "Serial Communications Settings" dialog on the document's link.
    void RunSerialSettings();

private:
    void OpenDocument(const PortChoice& port, uint32_t baud);
    CustomMdiChildWnd* CreateFrame(const ViewTemplate& viewTemplate, ViewContext& context);
    ViewFactory FactoryFor(const ViewTemplate& viewTemplate) const;

    UiServices& ui_;
    std::map<ViewId, ViewFactory> factories_;
    SystemClock clock_;
    std::unique_ptr<RouterConfigDoc> document_;
    // After the document, so that the views and their windows go first at exit.
    std::unique_ptr<CMainFrame> mainFrame_;
    // After the frame and the document it works on.
    std::unique_ptr<BackupActions> backupActions_;
};

}  // namespace zerandi
