#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "serial/QtSerialDevice.h"
#include "serial/SerialLink.h"
#include "serial/SerialSettingsDialog.h"
#include "support/FakeClock.h"
#include "support/PtyPair.h"
#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

const QString kFixedTime = QStringLiteral("Mon Dec  7 13:02:31 2026");

// A device that opens every path until told to refuse, then fails with the given reason.
class ScriptedOpenDevice : public SerialDevice {
public:
    explicit ScriptedOpenDevice(QString reason) : reason_(std::move(reason)) {}

    void RefuseFromNow() { refusing_ = true; }

    bool open(const QString&, const LineSettings&) override {
        open_ = !refusing_;
        return open_;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setReadTimeout(uint32_t) override { return open_; }
    std::optional<size_t> read(std::span<uint8_t>) override { return size_t{0}; }
    bool write(std::span<const uint8_t>) override { return open_; }
    bool hungUp() const override { return false; }
    QString lastErrorText() const override { return reason_; }

private:
    QString reason_;
    bool refusing_ = false;
    bool open_ = false;
};

class SerialSettingsDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<SerialLink> RealLink() {
        return std::make_unique<SerialLink>(std::make_unique<QtSerialDevice>(), clock_,
                                            [] { return kFixedTime; });
    }
    std::unique_ptr<SerialLink> FakeLink(QString reason = {}) {
        auto device = std::make_unique<ScriptedOpenDevice>(std::move(reason));
        device_ = device.get();
        return std::make_unique<SerialLink>(std::move(device), clock_);
    }
    static bool OpenAt(SerialLink& link, const PortChoice& port, uint32_t baud) {
        return link.Reopen(port, baud, 8, StopBits::One, Parity::None, 500);
    }
    static void ClickOk(SerialSettingsDialog& dialog) {
        QTest::mouseClick(dialog.Buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    static void ChoosePort(SerialSettingsDialog& dialog, const QString& text) {
        const int entry = dialog.PortList().findText(text);
        ASSERT_GE(entry, 0) << text.toStdString();
        dialog.PortList().setCurrentIndex(entry);
    }
    static QStringList LinesOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.back().isEmpty()) {
            lines.removeLast();  // what follows the last line end
        }
        return lines;
    }

    test::ScriptedUiServices ui_;
    test::FakeClock clock_;
    ScriptedOpenDevice* device_ = nullptr;  // owned by the last FakeLink
    QTemporaryDir dir_;
};

TEST_F(SerialSettingsDialogTest, ListsThePortsAndRatesInOrder) {
    auto link = FakeLink();
    SerialSettingsDialog dialog(*link, ui_);

    QStringList ports;
    for (int i = 0; i < 17; ++i) {
        ports << dialog.PortList().itemText(i);
    }
    QStringList expectedPorts{QStringLiteral("none")};
    for (int n = 1; n <= 16; ++n) {
        expectedPorts << QStringLiteral("COM%1").arg(n);
    }
    EXPECT_EQ(ports, expectedPorts);
    QStringList rates;
    for (int i = 0; i < dialog.BaudList().count(); ++i) {
        rates << dialog.BaudList().itemText(i);
    }
    EXPECT_EQ(rates, (QStringList{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Serial Communications Settings"));
    EXPECT_EQ(dialog.LogBox().text(), QStringLiteral("Log Comm Messages"));
}

TEST_F(SerialSettingsDialogTest, OpensShowingWhatTheLinkRuns) {
    test::PtyPair pty;
    ASSERT_FALSE(pty.SlavePath().isEmpty());
    struct Case {
        const char* name;
        PortChoice port;
        uint32_t baud;
        QString expectedPort;
        QString expectedBaud;
    };
    const Case cases[] = {
        {"COM3 at 38400", PortChoice::Com(3), 38400, "COM3", "38400"},
        {"pseudo-terminal at 38400", PortChoice::Device(pty.SlavePath()), 38400, pty.SlavePath(),
         "38400"},
        {"COM16 at 115200", PortChoice::Com(16), 115200, "COM16", "115200"},
        {"closed link", PortChoice(), 19200, "none", "9600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto link = FakeLink();
        OpenAt(*link, c.port, c.baud);
        SerialSettingsDialog dialog(*link, ui_);
        EXPECT_EQ(dialog.PortList().currentText(), c.expectedPort);
        EXPECT_EQ(dialog.BaudList().currentText(), c.expectedBaud);
        EXPECT_FALSE(dialog.LogBox().isChecked());
    }
}

TEST_F(SerialSettingsDialogTest, OkReopensTheChosenPortAtTheChosenRate) {
    test::PtyPair pty;
    auto link = RealLink();
    ASSERT_TRUE(OpenAt(*link, PortChoice::Device(pty.SlavePath()), 9600));
    SerialSettingsDialog dialog(*link, ui_);
    dialog.BaudList().setCurrentIndex(dialog.BaudList().findText("57600"));

    ClickOk(dialog);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(link->IsOpen());
    EXPECT_EQ(link->Port(), PortChoice::Device(pty.SlavePath()));
    EXPECT_EQ(link->BaudRate(), 57600u);
    EXPECT_EQ(link->ReadTimeoutMs(), 500u);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(SerialSettingsDialogTest, NoneAndOkClosesTheLink) {
    test::PtyPair pty;
    auto link = RealLink();
    ASSERT_TRUE(OpenAt(*link, PortChoice::Device(pty.SlavePath()), 38400));
    SerialSettingsDialog dialog(*link, ui_);
    ChoosePort(dialog, "none");

    ClickOk(dialog);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(link->IsOpen());
    const std::array<uint8_t, 1> byte = {0xFF};
    EXPECT_FALSE(link->Send(byte));
}

TEST_F(SerialSettingsDialogTest, APortThatWillNotOpenKeepsTheDialogOpenShowingNone) {
    QFile present(dir_.filePath("ttyPresent"));
    ASSERT_TRUE(present.open(QIODevice::WriteOnly));
    const QString gone = dir_.filePath("ttyGone");
    struct Case {
        const char* name;
        PortChoice start;
        QString choose;
        QString reason;
        QString expectedText;
    };
    const Case cases[] = {
        {"missing port", PortChoice::Com(1), "COM16", "", "Could not COM port."},
        {"device present but refused", PortChoice::Device(present.fileName()), present.fileName(),
         "permission denied", "Could not COM port.\n\npermission denied"},
        {"device gone", PortChoice::Device(gone), gone, "no such device", "Could not COM port."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.ClearMessages();
        auto link = FakeLink(c.reason);
        ASSERT_TRUE(OpenAt(*link, c.start, 9600));
        SerialSettingsDialog dialog(*link, ui_);
        ChoosePort(dialog, c.choose);
        device_->RefuseFromNow();

        ClickOk(dialog);

        ASSERT_EQ(ui_.Messages().size(), 1u);
        EXPECT_EQ(ui_.Messages()[0].text, c.expectedText);
        EXPECT_EQ(ui_.Messages()[0].icon, MessageIcon::Warning);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(link->IsOpen());
        EXPECT_EQ(dialog.PortList().currentText(), QStringLiteral("none"));
    }
}

TEST_F(SerialSettingsDialogTest, CheckingTheBoxAsksForTheLogFile) {
    auto link = FakeLink();
    SerialSettingsDialog dialog(*link, ui_);
    ui_.AnswerNextFilePrompt(std::nullopt);

    QTest::mouseClick(&dialog.LogBox(), Qt::LeftButton);

    ASSERT_EQ(ui_.FilePrompts().size(), 1u);
    const FilePrompt& prompt = ui_.FilePrompts()[0];
    EXPECT_EQ(prompt.initialName, QStringLiteral("new.log"));
    EXPECT_EQ(prompt.defaultExtension, QStringLiteral("log"));
    EXPECT_TRUE(prompt.confirmOverwrite);
    EXPECT_FALSE(dialog.LogBox().isChecked()) << "cancelling the prompt clears the box";
}

TEST_F(SerialSettingsDialogTest, LoggingSwitchedOnThenOff) {
    test::PtyPair pty;
    struct Case {
        const char* name;
        QString port;  // the port chosen both times
        QStringList expectedLines;
    };
    const QString started = QStringLiteral("Log file started: ") + kFixedTime;
    const QString closed = QStringLiteral("Log File closed: ") + kFixedTime;
    const Case cases[] = {
        {"without a port", "none", {started, "", "", closed, ""}},
        {"reopening the port in between",
         pty.SlavePath(),
         {started, "", "Closed port: " + pty.SlavePath(), "Opened port: " + pty.SlavePath(),
          "Low latency: not available on this device; it is used as it is", "", closed, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString logPath = dir_.filePath(QStringLiteral("%1.log").arg(c.name));
        auto link = RealLink();
        ASSERT_TRUE(OpenAt(*link, PortChoice::Device(pty.SlavePath()), 9600));
        {
            SerialSettingsDialog on(*link, ui_);
            ChoosePort(on, c.port);
            ui_.AnswerNextFilePrompt(logPath);
            QTest::mouseClick(&on.LogBox(), Qt::LeftButton);
            ClickOk(on);
            EXPECT_EQ(on.result(), QDialog::Accepted);
            EXPECT_TRUE(link->IsLogging());
        }
        {
            SerialSettingsDialog off(*link, ui_);
            EXPECT_TRUE(off.LogBox().isChecked());
            ChoosePort(off, c.port);
            QTest::mouseClick(&off.LogBox(), Qt::LeftButton);
            ClickOk(off);
            EXPECT_EQ(off.result(), QDialog::Accepted);
        }
        EXPECT_FALSE(link->IsLogging());
        EXPECT_EQ(LinesOf(logPath), c.expectedLines);
        EXPECT_TRUE(ui_.Messages().empty());
    }
}

// Moving from COM1 to COM3 with the log running: no prompt, and the same file goes on.
TEST_F(SerialSettingsDialogTest, AnOpenLogStaysOpenOnTheSameFile) {
    struct Case {
        const char* name;
        int boxClicks;  // unticking and ticking the box again changes nothing
    };
    for (const Case& c : {Case{"box left alone", 0}, Case{"box cleared and ticked again", 2}}) {
        SCOPED_TRACE(c.name);
        const QString logPath = dir_.filePath(QStringLiteral("%1.log").arg(c.name));
        auto link = FakeLink();
        ASSERT_TRUE(OpenAt(*link, PortChoice::Com(1), 9600));
        ASSERT_TRUE(link->OpenLog(logPath));
        SerialSettingsDialog dialog(*link, ui_);
        ASSERT_TRUE(dialog.LogBox().isChecked());
        ChoosePort(dialog, "COM3");
        for (int i = 0; i < c.boxClicks; ++i) {
            QTest::mouseClick(&dialog.LogBox(), Qt::LeftButton);
        }

        ClickOk(dialog);

        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(ui_.FilePrompts().empty());
        EXPECT_TRUE(link->IsLogging());
        link->CloseLog();
        const QStringList lines = LinesOf(logPath);
        ASSERT_EQ(lines.size(), 7);
        EXPECT_TRUE(lines[0].startsWith("Log file started: "));
        EXPECT_EQ(lines.mid(2, 2), (QStringList{"Closed port: COMM1", "Opened port: COMM3"}));
        EXPECT_TRUE(lines[5].startsWith("Log File closed: "));
    }
}

TEST_F(SerialSettingsDialogTest, ALogThatCannotBeCreatedClearsTheBoxAndKeepsTheDialogOpen) {
    auto link = FakeLink();
    SerialSettingsDialog dialog(*link, ui_);
    ui_.AnswerNextFilePrompt(dir_.filePath("no such folder/new.log"));
    QTest::mouseClick(&dialog.LogBox(), Qt::LeftButton);
    ASSERT_TRUE(dialog.LogBox().isChecked());

    ClickOk(dialog);

    ASSERT_EQ(ui_.MessageTexts(), std::vector<QString>{"Could not open file."});
    EXPECT_EQ(ui_.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(dialog.LogBox().isChecked());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(link->IsLogging());
}

TEST_F(SerialSettingsDialogTest, CancelChangesNothing) {
    test::PtyPair pty;
    auto link = RealLink();
    ASSERT_TRUE(OpenAt(*link, PortChoice::Device(pty.SlavePath()), 38400));
    SerialSettingsDialog dialog(*link, ui_);
    ChoosePort(dialog, "none");
    ui_.AnswerNextFilePrompt(dir_.filePath("cancelled.log"));
    QTest::mouseClick(&dialog.LogBox(), Qt::LeftButton);

    QTest::mouseClick(dialog.Buttons().button(QDialogButtonBox::Cancel), Qt::LeftButton);

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(link->IsOpen());
    EXPECT_EQ(link->BaudRate(), 38400u);
    EXPECT_FALSE(link->IsLogging());
    EXPECT_FALSE(QFile::exists(dir_.filePath("cancelled.log")));
}

TEST(SerialSettingsDialogBaudTest, UnknownIndexesMeanTheSlowestRate) {
    const std::pair<int, uint32_t> cases[] = {{-1, 9600}, {0, 9600},   {1, 19200}, {2, 38400},
                                              {3, 57600}, {4, 115200}, {5, 9600}};
    for (const auto& [index, baud] : cases) {
        EXPECT_EQ(SerialSettingsDialog::BaudForIndex(index), baud) << index;
    }
}

}  // namespace
}  // namespace zerandi
