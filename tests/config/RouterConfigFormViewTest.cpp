#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/ConfigViewFixture.h"
#include "config/LevelRow.h"
#include "shell/ViewMenuSet.h"
#include "widgets/IpAddressEdit.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {
namespace {

constexpr int kGetProductId = 0x10;
constexpr int kGetControlCardInfo = 0x13;
constexpr int kSetRouterType = 0x43;
constexpr int kCardAddress = 0x44;
constexpr int kCommParameters = 0x45;
constexpr int kPartition = 0x47;
constexpr int kReset = 0x4E;
constexpr int kExpansion = 0x4F;

const QString kResetQuestion = QStringLiteral(
    "The controller must be reset for the modified configuration to take effect.\n"
    "Do you want to reset now?");

using Request = std::pair<int, int>;
const std::vector<Request> kOrdinaryWrite{{kPartition, 1}, {kCardAddress, 1}, {kCommParameters, 1}};
const std::vector<Request> kExtendedWrite{{kPartition, 1},
                                          {kCardAddress, 1},
                                          {kCommParameters, 1},
                                          {kCommParameters, 3},
                                          {kExpansion, 0x11}};

using RouterConfigFormViewTest = ConfigViewFixture;

TEST_F(RouterConfigFormViewTest, BeforeAnyReadOnlyReadAllIsUsable) {
    StartRouter("QR1206");
    EXPECT_TRUE(Find<QPushButton>("readAll").isEnabled());
    EXPECT_FALSE(Find<QPushButton>("writeAll").isEnabled());
    for (const char* list : {"startupMode", "rearDiag", "scrambleMap"}) {
        EXPECT_FALSE(Find<QComboBox>(list).isEnabled()) << list;
    }
    EXPECT_FALSE(Find<NumberEdit>("cardAddress").isEnabled());
    EXPECT_FALSE(Find<QWidget>("levelRow0").isEnabled());
    for (const char* hidden : {"serialGroup", "baudRate", "ethernetGroup", "expansionGroup"}) {
        EXPECT_FALSE(Shown(hidden)) << hidden;
    }
    EXPECT_EQ(Find<QLabel>("protocolText").text(), "Protocol: unknown");
    EXPECT_EQ(Find<QLabel>("controlCardText").text(), "Control Card: unknown");
    EXPECT_EQ(child->windowTitle(), "Configuration - unknown router");
    EXPECT_EQ(mainWindow->windowTitle(), "Zerandi - unknown router");
    EXPECT_TRUE(simulator.Router().ReceivedFrames().empty());
}

TEST_F(RouterConfigFormViewTest, ReadAllFillsTheFormForAnOrdinaryCard) {
    StartRouter("QR1206", [](zsim::RouterState& s) {
        s.serial.baudIndex = 3;
        s.serial.portFlags = 0x01;  // main and aux port on
        s.serial.rearDiag = 0;
        s.cardAddress = 17;
        s.startupLastState = true;
    });
    ReadAll();

    EXPECT_TRUE(ui.Messages().empty()) << ui.MessageTexts().front().toStdString();
    EXPECT_EQ(ui.BusyBegins(), 1);
    EXPECT_FALSE(ui.isBusy());
    EXPECT_EQ(doc->ProductId(), 64);
    EXPECT_EQ(child->windowTitle(), "Configuration - QR1206 router");
    EXPECT_EQ(mainWindow->windowTitle(), "Zerandi - QR1206 router");
    EXPECT_EQ(Find<QLabel>("protocolText").text(), "Protocol: QR SERIAL");
    EXPECT_EQ(Find<QLabel>("controlCardText").text(), "Control Card: CC0209");
    const auto& versions = Find<QListWidget>("softwareVersions");
    ASSERT_GE(versions.count(), 7);
    EXPECT_EQ(versions.item(0)->text(), "Diag Boot:: Ver:1.2.0, Part#:SV0101-010200,Rev:A");
    EXPECT_EQ(versions.item(5)->text(), "Comm Appl:: Ver:2.4.7, Part#:SV0302-020407");

    const std::vector<std::pair<const char*, const char*>> lists{
        {"startupMode", "Last known state"},
        {"baudRate", "56700"},
        {"replyWhen", "always"},
        {"mainPort", "enabled"},
        {"auxPort", "enabled"},
        {"rearDiag", "RS485"},
        {"scrambleMap", "Disabled"}};
    for (const auto& [name, shown] : lists) {
        EXPECT_EQ(Find<QComboBox>(name).currentText(), shown) << name;
        EXPECT_TRUE(Shown(name)) << name;
    }
    EXPECT_EQ(Find<NumberEdit>("cardAddress").text(), "17");
    EXPECT_EQ(Find<QGroupBox>("serialGroup").title(), "Serial Port Settings");
    EXPECT_FALSE(Shown("ethernetGroup"));
    EXPECT_FALSE(Shown("expansionGroup"));
    EXPECT_TRUE(Find<QPushButton>("writeAll").isEnabled());
    EXPECT_EQ(view->focusWidget(), &Find<QPushButton>("readAll"));

    // A second read keeps one model ending on each caption.
    ReadAll();
    EXPECT_EQ(child->windowTitle(), "Configuration - QR1206 router");
    EXPECT_EQ(mainWindow->windowTitle(), "Zerandi - QR1206 router");
}

TEST_F(RouterConfigFormViewTest, EnterReadsAllExceptInALevelRow) {
    StartRouter("QR1206");
    ReadAll();
    for (const bool inLevelRow : {false, true}) {
        SCOPED_TRACE(inLevelRow);
        ClearRecords();
        QWidget* field = inLevelRow ? static_cast<QWidget*>(&view->Row(0).Edit(LevelColumn::Level))
                                    : &Find<NumberEdit>("cardAddress");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(Requests().empty(), inLevelRow);
    }
}

TEST_F(RouterConfigFormViewTest, CaptionsFollowTheRouterRead) {
    StartRouter("QR1206");
    ReadAll();
    ChangeRouter([](zsim::RouterState& s) { s.productId = 28; });
    ReadAll();
    EXPECT_EQ(child->windowTitle(), "Configuration - QR1207 router");
    EXPECT_EQ(mainWindow->windowTitle(), "Zerandi - QR1207 router");
    EXPECT_EQ(RouterConfigFormView::CaptionWithModel("Zerandi-Lab  x", 12),
              "Zerandi - QR1209 router");
}

TEST_F(RouterConfigFormViewTest, ARouterOfAnotherMakerIsReadNoFurther) {
    StartRouter("QR1206", [](zsim::RouterState& s) { s.makerCode = 3; });
    ReadAll();

    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  "Not an Ixo router. Unable to read the configuration of this router."});
    EXPECT_EQ(ui.Messages().front().icon, MessageIcon::Warning);
    EXPECT_EQ(doc->ProductId(), 255);
    const std::vector<Request> requests = Requests();
    for (const Request& request : requests) {
        EXPECT_TRUE(request.first == kGetProductId || request.first == kGetControlCardInfo ||
                    request.first == 0x15 || request.first == 0x11)
            << "command " << request.first;
    }
    EXPECT_EQ(std::count(requests.begin(), requests.end(), Request{kGetProductId, -1}), 1);
    EXPECT_FALSE(Find<QPushButton>("writeAll").isEnabled());
    EXPECT_EQ(child->windowTitle(), "Configuration - unknown router");
}

struct ExtendedCase {
    int protocol;
    bool enabledChecked;
    bool disabledChecked;
    QString ipShown;
    bool radiosUsable;
    bool scrambleUsable;
};

TEST_F(RouterConfigFormViewTest, AnExtendedCardShowsEthernetAndExpansionByProtocol) {
    const std::vector<ExtendedCase> cases{
        {9, true, false, "192.168.1.50", true, false},   // QR serial
        {1, false, true, "192.168.1.50", false, false},  // Ethernet control stays off
        {2, false, false, "...", false, true},           // UTAH: the entry is not shown
    };
    for (const ExtendedCase& c : cases) {
        SCOPED_TRACE(c.protocol);
        StartRouter("QR1209", [&](zsim::RouterState& s) {
            s.serial.protocolIndex = static_cast<uint8_t>(c.protocol);
            s.expansionMode = 1;
            s.expansionIndex = 3;
        });
        ReadAll();
        EXPECT_TRUE(ui.Messages().empty());
        EXPECT_EQ(Find<QLabel>("controlCardText").text(), "Control Card: CC0263");
        EXPECT_TRUE(Shown("ethernetGroup"));
        EXPECT_TRUE(Shown("expansionGroup"));
        EXPECT_EQ(Find<QRadioButton>("ethernetEnabled").isChecked(), c.enabledChecked);
        EXPECT_EQ(Find<QRadioButton>("ethernetDisabled").isChecked(), c.disabledChecked);
        EXPECT_EQ(Find<QRadioButton>("ethernetEnabled").isEnabled(), c.radiosUsable);
        EXPECT_EQ(AddressText("ipAddress"), c.ipShown);
        EXPECT_TRUE(Find<IpAddressEdit>("ipAddress").isEnabled());
        EXPECT_EQ(Find<QComboBox>("scrambleMap").isEnabled(), c.scrambleUsable);
        EXPECT_TRUE(Find<QRadioButton>("slave").isChecked());
        EXPECT_FALSE(Find<QRadioButton>("master").isChecked());
        EXPECT_EQ(Find<QRadioButton>("slave").isEnabled(), c.protocol == 9);
        EXPECT_EQ(Find<NumberEdit>("expansionIndex").text(), "3");
        ui.ClearMessages();
    }
    EXPECT_EQ(AddressText("subnetMask"), "...");
}

struct SerialCase {
    int protocol;
    std::vector<const char*> shown;
    QString groupTitle;
};

TEST_F(RouterConfigFormViewTest, TheProtocolDecidesWhichSerialSettingsShow) {
    const std::vector<SerialCase> cases{
        {9, {"baudRate", "replyWhen", "mainPort", "auxPort"}, "Serial Port Settings"},
        {7, {"baudRate", "replyWhen"}, "Serial Port Settings"},
        {0, {"baudRate"}, ""},
        {5, {"replyWhen"}, ""},
        {10, {}, ""},
    };
    const std::vector<const char*> all{"baudRate", "replyWhen", "mainPort", "auxPort"};
    for (const SerialCase& c : cases) {
        SCOPED_TRACE(c.protocol);
        StartRouter("QR1206", [&](zsim::RouterState& s) {
            s.serial.protocolIndex = static_cast<uint8_t>(c.protocol);
        });
        ReadAll();
        for (const char* name : all) {
            const bool expected = std::find(c.shown.begin(), c.shown.end(), name) != c.shown.end();
            EXPECT_EQ(Shown(name), expected) << name;
            EXPECT_EQ(Shown(QString(name) + "Label"), expected) << name;
        }
        EXPECT_EQ(Shown("serialGroup"), !c.shown.empty());
        EXPECT_EQ(Find<QGroupBox>("serialGroup").title(), c.groupTitle);
    }
}

TEST_F(RouterConfigFormViewTest, WriteAllSendsTheFormInOrderOnAnExtendedCard) {
    StartRouter("QR1209", [](zsim::RouterState& s) {
        s.serial.value3 = 5;
        s.serial.value6 = 7;
    });
    ReadAll();
    ClearRecords();
    Choose(Find<QComboBox>("baudRate"), "19200");
    Choose(Find<QComboBox>("scrambleMap"), "Enabled");  // not offered on this card
    Retype(Find<NumberEdit>("cardAddress"), "7");
    TypeAddress("ipAddress", "10.1.2.3");
    ClickRadio("master");
    Retype(Find<NumberEdit>("expansionIndex"), "12");
    WriteAll(MessageAnswer::No);

    EXPECT_EQ(Requests(), kExtendedWrite);
    ASSERT_EQ(ui.Messages().size(), 2U);
    EXPECT_EQ(ui.Messages()[0].text, "Write successful.");
    EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.Messages()[1].text, kResetQuestion);
    EXPECT_EQ(ui.Messages()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.Sleeps(), std::vector<int>{RouterConfigDoc::kWriteSettleMs});
    EXPECT_EQ(ui.BusyBegins(), 2);

    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.cardAddress, 7);
    EXPECT_EQ(state.serial.baudIndex, 1);
    EXPECT_EQ(state.serial.baudIndex2, 1);
    EXPECT_EQ(state.serial.protocolIndex, 9);
    EXPECT_EQ(state.serial.value3, 5);  // carried through
    EXPECT_EQ(state.serial.value6, 0);  // never read back, written as 0
    EXPECT_FALSE(state.scrambleEnabled);
    ASSERT_FALSE(state.ethernet.empty());
    EXPECT_EQ(state.ethernet[0].ip, (std::array<uint8_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(state.ethernet[0].mask, (std::array<uint8_t, 4>{255, 255, 255, 0}));
    EXPECT_EQ(state.ethernet[0].enabled, 1);
    EXPECT_EQ(state.expansionMode, 0);
    EXPECT_EQ(state.expansionIndex, 12);
    EXPECT_EQ(state.resetCount, 0);
}

struct SerialWriteCase {
    int protocol;
    std::vector<std::pair<const char*, const char*>> chosen;  // list, item
    uint8_t portFlags;  // bit 1: main port off; bit 0: aux port on
    uint8_t baudIndex;
    uint8_t replyWhen;
    uint8_t rearDiag;
};

TEST_F(RouterConfigFormViewTest, WriteAllSendsTheSerialSettingsThatApplyAndDefaultsForTheRest) {
    const std::vector<SerialWriteCase> cases{
        // Every setting applies: the lists decide.
        {9,
         {{"baudRate", "115200"},
          {"replyWhen", "active only"},
          {"mainPort", "disabled"},
          {"auxPort", "enabled"},
          {"rearDiag", "RS485"}},
         0x03,
         4,
         0,
         0},
        // Neither baud rate nor the ports apply: 38400, main port on, aux port off.
        {1, {{"replyWhen", "active only"}, {"rearDiag", "RS485"}}, 0x00, 2, 0, 0},
        // The reply-when list is hidden but still holds what was read.
        {3, {{"rearDiag", "RS232"}}, 0x00, 2, 1, 1},
    };
    for (const SerialWriteCase& c : cases) {
        SCOPED_TRACE(c.protocol);
        StartRouter("QR1209", [&](zsim::RouterState& s) {
            s.serial.protocolIndex = static_cast<uint8_t>(c.protocol);
            s.serial.portFlags = 0x03;
            s.serial.baudIndex = 3;
            s.serial.rearDiag = 0;
        });
        ReadAll();
        for (const auto& [list, item] : c.chosen) {
            Choose(Find<QComboBox>(list), item);
        }
        WriteAll();
        ASSERT_EQ(ui.MessageTexts().front(), "Write successful.");
        const zsim::SerialSettings written = simulator.Router().Snapshot().serial;
        EXPECT_EQ(written.protocolIndex, c.protocol);
        EXPECT_EQ(written.portFlags, c.portFlags);
        EXPECT_EQ(written.baudIndex, c.baudIndex);
        EXPECT_EQ(written.baudIndex2, c.baudIndex);
        EXPECT_EQ(written.replyWhen, c.replyWhen);
        EXPECT_EQ(written.replyWhen2, c.replyWhen);
        EXPECT_EQ(written.rearDiag, c.rearDiag);
    }
}

TEST_F(RouterConfigFormViewTest, TheResetQuestionDecidesWhetherTheControllerIsReset) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        StartRouter("QR1206", [](zsim::RouterState& s) { s.serial.rearDiag = 0; });
        ReadAll();
        ClearRecords();
        Choose(Find<QComboBox>("scrambleMap"), "Enabled");
        WriteAll(answer);
        std::vector<Request> expected = kOrdinaryWrite;
        if (answer == MessageAnswer::Yes) {
            expected.emplace_back(kReset, 0);
        }
        EXPECT_EQ(Requests(), expected);
        EXPECT_EQ(simulator.Router().Snapshot().resetCount, answer == MessageAnswer::Yes ? 1 : 0);
        EXPECT_TRUE(simulator.Router().Snapshot().scrambleEnabled);
        EXPECT_EQ(doc->ScrambleMapEnabled(), 1);
        // This model's rear diagnostic port cannot be chosen: it is written as RS232.
        EXPECT_EQ(simulator.Router().Snapshot().serial.rearDiag, 1);
    }
}

TEST_F(RouterConfigFormViewTest, AnInvalidIpAddressStopsWriteAllAfterTheSerialParameters) {
    for (const QString& ip : {QStringLiteral("0.0.0.0"), QStringLiteral("255.255.255.255")}) {
        SCOPED_TRACE(ip.toStdString());
        StartRouter("QR1209");
        ReadAll();
        ClearRecords();
        TypeAddress("ipAddress", ip);
        Click("writeAll");
        EXPECT_EQ(Requests(), kOrdinaryWrite);
        EXPECT_EQ(ui.MessageTexts(),
                  (std::vector<QString>{"Unable to write IP data. IP address is invalid.",
                                        "Problem occured while writing."}));
        EXPECT_TRUE(ui.Sleeps().empty());
    }
}

TEST_F(RouterConfigFormViewTest, AReadThatStoppedHalfWayIsNeverWrittenBack) {
    StartRouter("QR1206");
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Refuse, .param = 2, .command = 0x47, .subCommand = 0});
    ReadAll();
    ASSERT_EQ(ui.MessageTexts().back(), "Unable to read the Partition Parameters.");
    ui.ClearMessages();
    ClearRecords();
    Click("writeAll");
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Unable to write. Router configuration is not Valid.",
                                    "Problem occured while writing."}));

    ReadAll();
    ui.ClearMessages();
    ClearRecords();
    WriteAll();
    EXPECT_FALSE(Requests().empty());
}

struct EthernetReadCase {
    int refusalCode;  // the card's error code
    QString reported;
    QString viewMessage;
    bool ethernetWrittenLater;
};

TEST_F(RouterConfigFormViewTest, AnEthernetReadRefusalLeavesEthernetOutOfLaterWrites) {
    const QString notSupported =
        "Unable to upload the Ethernet Communication Parameters.\nCommand not supported";
    const std::vector<EthernetReadCase> cases{
        {6, "Error Message Received: \"Count Error\"", notSupported, false},
        {1, "Error Message Received: \"Invalid data\"", notSupported, false},
        {9, "Error Message Received: \"Command not supported\"", notSupported, false},
        {2, "Error Message Received: \"Cannot Execute Command\"",
         "Unable to read the Ethernet Communication Parameters.", true},
    };
    for (const EthernetReadCase& c : cases) {
        SCOPED_TRACE(c.refusalCode);
        StartRouter("QR1209");
        simulator.Router().InjectFault({.kind = zsim::SimFault::Kind::Refuse,
                                        .param = c.refusalCode,
                                        .command = kCommParameters,
                                        .subCommand = 2});
        ReadAll();
        EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{c.reported, c.viewMessage}));
        EXPECT_TRUE(Shown("ethernetGroup"));
        EXPECT_EQ(Find<IpAddressEdit>("ipAddress").isEnabled(), c.ethernetWrittenLater);

        ClearRecords();
        if (c.ethernetWrittenLater) {
            TypeAddress("ipAddress", "10.0.0.9");
        }
        WriteAll();
        std::vector<Request> expected = kExtendedWrite;
        if (!c.ethernetWrittenLater) {
            expected.erase(expected.begin() + 3);
        }
        EXPECT_EQ(Requests(), expected);
        EXPECT_EQ(ui.MessageTexts().front(), "Write successful.");
    }
}

struct WriteRefusalCase {
    bool ethernet;  // else the expansion
    QString message;
    Request leftOut;
};

TEST_F(RouterConfigFormViewTest, AWriteRefusedAsNotSupportedIsLeftOutOfTheNextWrite) {
    const std::vector<WriteRefusalCase> cases{
        {true,
         "Unable to write Ethernet address information.\n"
         "Ethernet configuration command is not supported.",
         {kCommParameters, 3}},
        {false,
         "Unable to write Expansion information.\nExpansion command is not supported.",
         {kExpansion, 0x11}},
    };
    for (const WriteRefusalCase& c : cases) {
        SCOPED_TRACE(c.ethernet);
        StartRouter("QR1209");
        ReadAll();
        ChangeRouter([&](zsim::RouterState& s) {
            (c.ethernet ? s.ethernetAvailable : s.expansionAvailable) = false;
        });
        ClearRecords();
        Click("writeAll");
        ASSERT_GE(ui.MessageTexts().size(), 2U);
        EXPECT_EQ(ui.MessageTexts().end()[-2], c.message);
        EXPECT_EQ(ui.MessageTexts().back(), "Problem occured while writing.");
        // No edit is offered that a later write would leave out.
        EXPECT_FALSE(c.ethernet ? Find<IpAddressEdit>("ipAddress").isEnabled()
                                : Find<QGroupBox>("expansionGroup").isEnabled());

        ClearRecords();
        WriteAll();
        std::vector<Request> expected = kExtendedWrite;
        std::erase(expected, c.leftOut);
        EXPECT_EQ(Requests(), expected);
    }
}

TEST_F(RouterConfigFormViewTest, AnExpansionRefusalIsReportedAndTheExpansionLeftAlone) {
    StartRouter("QR1209", [](zsim::RouterState& s) {
        s.expansionAvailable = false;  // "Command not supported"
    });
    ReadAll();
    EXPECT_EQ(ui.MessageTexts().back(),
              "Unable to upload the Expansion Parameters.\nCommand not supported.");
    EXPECT_FALSE(Find<QGroupBox>("expansionGroup").isEnabled());
    ClearRecords();
    WriteAll();
    EXPECT_EQ(Requests(),
              (std::vector<Request>{
                  {kPartition, 1}, {kCardAddress, 1}, {kCommParameters, 1}, {kCommParameters, 3}}));
}

TEST_F(RouterConfigFormViewTest, Sms7000ShowsOneRowAndWritesOneLevelOverTheModel) {
    StartRouter("QR1206", [](zsim::RouterState& s) {
        s.serial.protocolIndex = 10;
        s.levels.resize(2);
        s.levels[0].physicalInputEnd = 32;
        s.levels[0].physicalOutputEnd = 32;
        s.levels[1] = s.levels[0];
        s.levels[1].levelNumber = 1;
        s.levels[1].physicalInputStart = 33;
    });
    ReadAll();
    EXPECT_EQ(Find<QLabel>("protocolText").text(), "Protocol: SMS7000");
    EXPECT_TRUE(Shown("levelRow0"));
    for (int i = 1; i < 4; ++i) {
        EXPECT_FALSE(Shown(QStringLiteral("levelRow%1").arg(i)));
    }
    LevelRow& row = view->Row(0);
    for (size_t c = 0; c < kLevelColumnCount - 1; ++c) {
        EXPECT_FALSE(row.Edit(static_cast<LevelColumn>(c)).isEnabled()) << c;
    }
    EXPECT_TRUE(row.SignalTypeList().isEnabled());
    EXPECT_FALSE(Find<QComboBox>("startupMode").isEnabled());
    EXPECT_FALSE(Shown("serialGroup"));

    ClearRecords();
    WriteAll();
    const zsim::RouterState state = simulator.Router().Snapshot();
    ASSERT_EQ(state.levels.size(), 2U);
    EXPECT_EQ(state.levels[0].levelNumber, 0);
    EXPECT_EQ(state.levels[0].physicalInputStart, 1);
    EXPECT_EQ(state.levels[0].physicalInputEnd, 64);
    EXPECT_EQ(state.levels[0].controllerInputStart, 0);
    EXPECT_EQ(state.levels[0].physicalOutputStart, 1);
    EXPECT_EQ(state.levels[0].physicalOutputEnd, 64);
    EXPECT_EQ(state.levels[0].controllerOutputStart, 0);
    EXPECT_EQ(state.levels[1].levelNumber, 255);
    // Not written for this protocol: the baud rate falls back to 38400.
    EXPECT_EQ(state.serial.baudIndex, 2);
    EXPECT_EQ(row.Edit(LevelColumn::PhysicalInputEnd).text(), "64");
}

TEST_F(RouterConfigFormViewTest, ACardAddressAbove255IsRefusedAndTheStoredOneComesBack) {
    StartRouter("QR1206");
    ReadAll();
    auto& address = Find<NumberEdit>("cardAddress");
    Retype(address, "256");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"Error: card address must be less than or equal to 255"});
    EXPECT_EQ(address.text(), "25");
    QTest::keyClicks(&address, "x");  // not a digit: not taken
    EXPECT_EQ(address.text(), "25");
    ClearRecords();
    WriteAll();
    EXPECT_EQ(simulator.Router().Snapshot().cardAddress, 25);
}

TEST_F(RouterConfigFormViewTest, SetRouterTypeWritesTheChosenModel) {
    struct Case {
        QString item;
        uint8_t productId;
        bool refused;
    };
    const std::vector<Case> cases{
        {"QR1206", 64, false}, {"QR1207", 28, false}, {"QR1208", 56, false}, {"QR1207", 28, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        StartRouter("QR1206");
        if (c.refused) {
            simulator.Router().InjectFault(
                {.kind = zsim::SimFault::Kind::Refuse, .param = 2, .command = kSetRouterType});
        }
        QWidget owner;
        CommonMenus common;
        for (QAction** action : {&common.exit, &common.setup, &common.helpContents,
                                 &common.usingHelp, &common.technicalSupport, &common.about}) {
            *action = new QAction(&owner);
        }
        ViewMenuSet menus(common, true, &owner);
        view->AddMenuItems(menus);
        QMenu* routerTypes = nullptr;
        for (QAction* action : menus.Communications().actions()) {
            if (action->text() == "Set Router Type") {
                routerTypes = action->menu();
            }
        }
        ASSERT_NE(routerTypes, nullptr);
        QStringList items;
        for (QAction* action : routerTypes->actions()) {
            items << action->text();
            if (action->text() == c.item) {
                action->trigger();
            }
        }
        EXPECT_EQ(items, (QStringList{"QR1206", "QR1207", "QR1208"}));
        EXPECT_EQ(Requests().back(), (Request{kSetRouterType, c.productId}));
        EXPECT_EQ(ui.Messages().back().text,
                  c.refused ? "Problem occured while writing." : "Write successful.");
        EXPECT_EQ(ui.Messages().back().icon,
                  c.refused ? MessageIcon::Warning : MessageIcon::Information);
        EXPECT_FALSE(ui.isBusy());
        ui.ClearMessages();
    }
}

TEST_F(RouterConfigFormViewTest, ADataRouterDocumentMakesEveryDefaultInputTriState) {
    StartRouter("QR1206");
    ReadAll();
    doc->levels[0].defaultInput = 5;
    doc->SetProductId(28);
    for (const RouterLevel& level : doc->levels) {
        EXPECT_EQ(level.defaultInput, TriStateSource);
    }
}

}  // namespace
}  // namespace zerandi::test
