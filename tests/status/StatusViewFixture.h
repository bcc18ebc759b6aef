#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "shell/ViewCommands.h"
#include "shell/ViewMenuSet.h"
#include "support/DocumentFixture.h"
#include "support/QtPrinters.h"

namespace zerandi::test {

// A status view in a child window of a main window, beside a second child window that
// stands for any other view, over the document opened on a simulated router served on a
// pseudo-terminal. The view's menu items sit in a menu set of their own.
class StatusViewFixture : public DocumentFixture {
protected:
    static constexpr uint32_t kBaud = 9600;

    void TearDown() override;

    // A fresh router of the model and the document over it (router type not yet known).
    void StartRouter(const std::string& model, const RouterChange& change = {});

    // Puts the view into its child window, gives it its menu items and shows both.
    void Install(QWidget* view, ViewCommands& commands, const QString& caption);
    void ActivateOtherView() { area->setActiveSubWindow(otherChild); }
    void ActivateView() { area->setActiveSubWindow(child); }

    // The view's menu item at this path of texts ("This Controller/Offline"), starting in
    // any of its menus.
    QAction& MenuItem(const QString& path) const;
    // Waits (with the event loop running) until the condition holds, or two seconds.
    static bool WaitFor(const std::function<bool()>& condition);

    // The texts of the message boxes shown since the last ClearRecords.
    QStringList Messages() const;

    // What the router received since the last ClearRecords.
    std::vector<uint8_t> Commands() const;
    void ClearRecords();

    QMdiArea* area = nullptr;
    QMdiSubWindow* child = nullptr;
    QMdiSubWindow* otherChild = nullptr;

private:
    CommonMenus common_;
    std::unique_ptr<ViewMenuSet> menus_;
};

}  // namespace zerandi::test
