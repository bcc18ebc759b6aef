#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "config/RouterConfigFormView.h"
#include "support/DocumentFixture.h"
#include "support/QtPrinters.h"

class QComboBox;

namespace zerandi::test {

// The configuration view in a child window of a main window titled "Zerandi", over the
// document opened on a simulated router served on a pseudo-terminal.
class ConfigViewFixture : public DocumentFixture {
protected:
    using Request = std::pair<int, int>;  // command, first data byte (-1 when none)

    static constexpr uint32_t kBaud = 9600;

    // A fresh router of the model, changed as given, and the document and view over it.
    void StartRouter(const std::string& model, const RouterChange& change = {});

    template <typename Widget>
    Widget& Find(const QString& name) const {
        return FindIn<Widget>(*view, name);
    }

    // What a person does.
    void Click(const QString& buttonName);
    void ReadAll() { Click(QStringLiteral("readAll")); }
    // "Write All" where the write succeeds: "Write successful." is acknowledged and the
    // reset question answered as given.
    void WriteAll(MessageAnswer resetAnswer = MessageAnswer::No);
    static void Choose(QComboBox& list, const QString& item);
    static void Retype(QLineEdit& edit, const QString& text);
    void ClickRadio(const QString& name);
    void TypeAddress(const QString& fieldName, const QString& dotted);

    // What a person sees.
    bool Shown(const QString& name) const;
    static QStringList Items(const QComboBox& list);
    QString AddressText(const QString& fieldName) const;

    // What the router received since the last ClearRecords.
    std::vector<Request> Requests() const;
    void ClearRecords();

    QMdiSubWindow* child = nullptr;
    RouterConfigFormView* view = nullptr;
};

}  // namespace zerandi::test
