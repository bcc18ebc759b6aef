#pragma once

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "support/DocumentFixture.h"

class QLineEdit;
class QMdiArea;
class QMdiSubWindow;

namespace zerandi {
class CustomMdiChildWnd;
}

namespace zerandi::test {

// One view in a minimized child window of a main window, beside an active "Configuration"
// window, over the document opened on a simulated router served on a pseudo-terminal.
class RouterViewFixture : public DocumentFixture {
protected:
    static constexpr uint32_t kBaud = 115200;

    virtual std::unique_ptr<QWidget> MakeView(RouterConfigDoc& doc) = 0;

    // A fresh router of the model, changed as given, and the document and view over it.
    // The document does not know the router yet.
    void StartRouter(const std::string& model, const RouterChange& change = {});
    // What "Read All" would have told the document: product, control card, first level and
    // the scramble-map switch; then every view refreshes.
    void KnowRouter();

    template <typename Widget>
    Widget& Find(const QString& name) const {
        return FindIn<Widget>(*view, name);
    }

    // What a person does.
    void Click(const QString& buttonName);
    void ClickRadio(const QString& name);
    static void Retype(QLineEdit& edit, const QString& text);

    // What a person sees.
    bool FrameShown() const;
    bool Shown(const QString& name) const;

    // What the router received since the last ClearRecords.
    std::vector<std::vector<uint8_t>> Requests() const { return simulator.Requests(); }
    void ClearRecords();

    QMdiArea* area = nullptr;
    QMdiSubWindow* configuration = nullptr;
    CustomMdiChildWnd* child = nullptr;
    QWidget* view = nullptr;
};

}  // namespace zerandi::test
