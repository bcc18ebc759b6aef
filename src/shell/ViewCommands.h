#pragma once

#include <functional>

namespace zerandi {

class ViewMenuSet;

// The toolbar commands that the active view may take on.
enum class StandardCommand { New, Open, Save, Cut, Copy, Paste, Print };

// What a view adds to the shell, implemented by the view widget next to QWidget:
// the items of its child window's menus and the toolbar commands it handles. A view
// that does not implement it gets the common menus and no toolbar command.
class ViewCommands {
public:
    virtual ~ViewCommands() = default;

    // Called once, when the view's child window is created: add the view's own items
    // to the common menus, or menus of its own.
    virtual void AddMenuItems(ViewMenuSet& menus);

    // Whether the toolbar button of this command is enabled while the view is active.
    virtual bool HandlesCommand(StandardCommand command) const;
    virtual void RunCommand(StandardCommand command);

    // Set by the main frame, which refreshes its toolbar when the view says so.
    void SetCommandsChangedHandler(std::function<void()> handler);

protected:
    // To be called when HandlesCommand may now answer differently.
    void NotifyCommandsChanged();

private:
    std::function<void()> commandsChanged_;
};

}  // namespace zerandi
