#pragma once

#include <QString>
#include <span>

namespace zerandi {

// The resource id of each view: it names the view's child window and its menu.
enum class ViewId : int {
    Configuration = 4,
    StatusMessages = 5,
    ScrambleMap = 6,
    Connections = 7,
    PortTypes = 8,
    Monitors = 9,
    FlashMemory = 10,
    SystemStatus = 11,
    Routing = 12,
};

// How the shell creates one of the views over the router document.
struct ViewTemplate {
    ViewId id;
    QString caption;  // the child window's caption
    QString viewClassName;
    bool startsMinimized;
    bool hasHelpContents;  // whether its Help menu carries "&Contents" and "&Using Help"
    QString viewMenuText;  // the View menu's entry that brings the window forward; none if empty
};

// The views, in the order start-up creates them.
std::span<const ViewTemplate> StartupViewTemplates();

}  // namespace zerandi
