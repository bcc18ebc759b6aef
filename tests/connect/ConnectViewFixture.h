#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "connect/RouterConnectFormView.h"
#include "connect/RouterMonitorsFormView.h"
#include "shell/ViewMenuSet.h"
#include "support/DocumentFixture.h"
#include "support/QtPrinters.h"

class QAction;
class QLineEdit;

namespace zerandi::test {

// What a take request carried, as the router received it.
struct ReceivedTake {
    int subCommand;
    uint16_t source;
    uint16_t destination;
    std::optional<uint16_t> timestamp;

    bool operator==(const ReceivedTake&) const = default;
};
void PrintTo(const ReceivedTake& take, std::ostream* out);

// The connections and monitors views, each in a child window of a main window, over the
// document of a simulated router (served on a pseudo-terminal) whose model the document
// knows, as after the configuration view's "Read All".
class ConnectViewFixture : public DocumentFixture {
protected:
    // Typed into the range dialog's fields; nothing leaves a field as preset.
    struct DialogEntry {
        std::optional<QString> first = {};
        std::optional<QString> output = {};
        std::optional<QString> lastOutput = {};
    };

    static constexpr uint32_t kBaud = 115200;

    void TearDown() override;

    void StartRouter(const std::string& model, const RouterChange& change = {});
    // Makes the document forget the router, as before the first "Read All".
    void ForgetRouter();

    template <typename Widget>
    Widget& Find(QWidget* root, const QString& name) const {
        return FindIn<Widget>(*root, name);
    }
    template <typename Widget>
    Widget& Find(const QString& name) const {
        return Find<Widget>(view, name);
    }

    // What a person does.
    void Click(const QString& buttonName, QWidget* root = nullptr);
    void Type(const QString& fieldName, const QString& text);
    static void Retype(QLineEdit& edit, const QString& text);
    void Trigger(const QString& actionName);
    // The next range dialog: each entry is typed and confirmed in turn (a refused entry
    // keeps the dialog open for the next); after the last, the dialog is cancelled unless
    // that entry was accepted.
    void AnswerRangeDialog(std::vector<DialogEntry> entries);
    void CancelRangeDialog();

    // What a person sees.
    QStringList Rows(const QString& listName, QWidget* root = nullptr) const;
    bool ChildShown(QWidget* viewWidget) const;
    bool Ticked(const QString& actionName) const;
    QAction& Action(const QString& actionName) const;
    QMenu& Menu(const QString& title) const;
    // The dialogs the views opened, with their titles, labels and button texts.
    std::vector<QStringList> dialogsSeen;

    // What the router received since the last ClearRecords.
    std::vector<ReceivedTake> Takes() const;
    std::vector<int> Commands() const;
    void ClearRecords();

    std::unique_ptr<QWidget> menuOwner;
    std::unique_ptr<ViewMenuSet> menus;
    CommonMenus common;
    QMdiSubWindow* connectionsChild = nullptr;
    QMdiSubWindow* monitorsChild = nullptr;
    RouterConnectFormView* view = nullptr;
    RouterMonitorsFormView* monitorsView = nullptr;
};

}  // namespace zerandi::test
