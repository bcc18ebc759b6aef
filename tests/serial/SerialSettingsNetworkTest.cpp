#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "serial/DispatchingSerialDevice.h"
#include "serial/SerialLink.h"
#include "serial/SerialSettingsDialog.h"
#include "sim/SimRouter.h"
#include "sim/TcpListener.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

class SerialSettingsNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The remembered forms go to this test's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
        QSettings().clear();
    }
    // Types the text over the port list and presses OK; true when the dialog closed.
    bool Apply(const QString& typed) {
        SerialSettingsDialog dialog(link_, ui_);
        dialog.PortList().setEditText(typed);
        QTest::mouseClick(dialog.Buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    }
    QStringList NetworkEntries() {
        SerialSettingsDialog dialog(link_, ui_);
        QStringList entries;
        for (int i = 0; i < dialog.PortList().count(); ++i) {
            if (dialog.PortList().itemText(i).contains(QStringLiteral("://"))) {
                entries << dialog.PortList().itemText(i);
            }
        }
        return entries;
    }

    QTemporaryDir dir_;
    test::ScriptedUiServices ui_;
    test::FakeClock clock_;
    SerialLink link_{std::make_unique<DispatchingSerialDevice>(), clock_};
};

TEST_F(SerialSettingsNetworkTest, ATypedNetworkFormOpensAndIsRememberedLastFirst) {
    zsim::SimRouter router;
    zsim::TcpListener listener(router);
    ASSERT_TRUE(listener.Start("127.0.0.1", 0));
    const QString address = QString::fromStdString(listener.Address());
    const QString older = QStringLiteral("rfc2217://192.0.2.7:2001");
    QSettings().setValue("serial/networkPorts", QStringList{older});

    ASSERT_TRUE(Apply(address)) << ui_.Messages().size() << " messages";
    EXPECT_TRUE(link_.IsOpen());
    EXPECT_EQ(link_.Port().SystemLocation(), address);
    EXPECT_EQ(NetworkEntries(), (QStringList{address, older}));
}

TEST_F(SerialSettingsNetworkTest, WhatIsNotAPortOrDoesNotAnswerIsReportedAndNotRemembered) {
    struct Case {
        QString typed;
        QString messageStart;
    };
    const Case cases[] = {
        {"tcp://nohost", "Choose a port from the list"},
        {"COM99", "Choose a port from the list"},
        {"tcp://127.0.0.1:1", "Could not COM port.\n\ncannot connect to 127.0.0.1:1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ui_.ClearMessages();
        EXPECT_FALSE(Apply(c.typed));
        ASSERT_EQ(ui_.Messages().size(), 1);
        EXPECT_TRUE(ui_.Messages().front().text.startsWith(c.messageStart))
            << ui_.Messages().front().text.toStdString();
        EXPECT_TRUE(NetworkEntries().isEmpty());
    }
}

}  // namespace
}  // namespace zerandi
