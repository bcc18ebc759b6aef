#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

#include "backup/BackupFile.h"
#include "backup/BackupSamples.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

TEST(BackupFileTest, WhatIsWrittenReadsBackEqualAndWritesTheSameText) {
    struct Case {
        const char* what;
        int32_t productId;
        bool scrambleOn;
    };
    for (const Case& c :
         {Case{"video router", kQS1210, false}, Case{"data router with port types", kQR1207, false},
          Case{"largest model with the scramble map on", kQS1214, true}}) {
        SCOPED_TRACE(c.what);
        const RouterBackup backup = SampleBackup(c.productId, c.scrambleOn);
        const QByteArray bytes = BackupFile::ToBytes(backup);
        const BackupFile::Parsed parsed = BackupFile::FromBytes(bytes);
        ASSERT_TRUE(parsed.backup) << parsed.fault.toStdString();
        EXPECT_EQ(*parsed.backup, backup);
        EXPECT_EQ(BackupFile::ToBytes(*parsed.backup), bytes);

        ScriptedUiServices ui;
        const QString path = TempPath(QStringLiteral("router.zbk"));
        ASSERT_TRUE(BackupFile::Save(ui, path, backup));
        const std::optional<RouterBackup> loaded = BackupFile::Load(ui, path);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, backup);
        EXPECT_TRUE(ui.Messages().empty());
    }
}

// Written for diff: the fixed key order, one list entry a line.
TEST(BackupFileTest, ListsOneEntryALineInTheFixedKeyOrder) {
    const QByteArray bytes = BackupFile::ToBytes(SampleBackup(kQR1207, false));
    EXPECT_TRUE(bytes.startsWith("{\n  \"format\": \"zerandi-backup\",\n  \"version\": 2,\n"));
    // The serial settings in the router's terms, not the positions of the view's lists.
    EXPECT_TRUE(
        bytes.contains("\"serial\": {\"baudRate\": 38400, \"replyWhen\": \"always\", "
                       "\"rearDiagPort\": \"RS232\", \"extra1\": 0,"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(
        "\n    {\"output\": 3, \"input\": null, \"triState\": true, \"forwardTake\": true, "
        "\"localControl\": true, \"flag13\": true, \"flag12\": true},\n"));
    EXPECT_TRUE(bytes.contains("\"taken\": \"2026-05-28T22:26:40+02:00\""));
    EXPECT_LT(bytes.indexOf("\"identity\""), bytes.indexOf("\"configuration\""));
    EXPECT_LT(bytes.indexOf("\"routing\""), bytes.indexOf("\"portTypes\""));
}

using Change = std::function<void(QJsonObject&)>;

QJsonObject Part(const QJsonObject& root, const char* key) {
    return root[QLatin1String(key)].toObject();
}

// Changes entry `index` of the list at `key` of the root.
Change ChangeEntry(const char* key, qsizetype index,
                   const std::function<void(QJsonObject&)>& change) {
    return [=](QJsonObject& root) {
        QJsonArray list = root[QLatin1String(key)].toArray();
        QJsonObject entry = list[index].toObject();
        change(entry);
        list[index] = entry;
        root[QLatin1String(key)] = list;
    };
}

QByteArray Changed(const RouterBackup& backup, const Change& change) {
    QJsonObject root = QJsonDocument::fromJson(BackupFile::ToBytes(backup)).object();
    change(root);
    return QJsonDocument(root).toJson();
}

// Changes the configuration object, or one of its objects or level rows.
Change ChangeConfig(const std::function<void(QJsonObject&)>& change) {
    return [=](QJsonObject& root) {
        QJsonObject config = Part(root, "configuration");
        change(config);
        root["configuration"] = config;
    };
}

Change ChangeSerial(const std::function<void(QJsonObject&)>& change) {
    return ChangeConfig([=](QJsonObject& config) {
        QJsonObject serial = Part(config, "serial");
        change(serial);
        config["serial"] = serial;
    });
}

Change ChangeLevel(qsizetype row, const std::function<void(QJsonObject&)>& change) {
    return ChangeConfig([=](QJsonObject& config) {
        QJsonArray levels = config["levels"].toArray();
        QJsonObject level = levels[row].toObject();
        change(level);
        levels[row] = level;
        config["levels"] = levels;
    });
}

// A file as the first Zerandi wrote it: version 1, the serial settings as list positions.
Change AsVersionOne(int baudIndex, int replyWhenIndex, int rearDiagIndex) {
    return [=](QJsonObject& root) {
        root["version"] = 1;
        ChangeSerial([=](QJsonObject& serial) {
            serial.remove("baudRate");
            serial.remove("replyWhen");
            serial.remove("rearDiagPort");
            serial["baudIndex"] = baudIndex;
            serial["replyWhenIndex"] = replyWhenIndex;
            serial["rearDiagIndex"] = rearDiagIndex;
        })(root);
    };
}

// A version 1 file still reads, its list positions taken as the router's settings; what is
// written of it again is version 2.
TEST(BackupFileTest, AVersionOneFileReadsAsTheSameBackupAndIsWrittenAsVersionTwo) {
    const RouterBackup backup = SampleBackup(kQS1210, false);
    const BackupFile::Parsed parsed = BackupFile::FromBytes(Changed(backup, AsVersionOne(2, 1, 1)));
    ASSERT_TRUE(parsed.backup) << parsed.fault.toStdString();
    EXPECT_EQ(*parsed.backup, backup);
    EXPECT_EQ(BackupFile::ToBytes(*parsed.backup), BackupFile::ToBytes(backup));
}

TEST(BackupFileTest, RefusesAFileThatIsDamagedForeignOrBeyondItsModelNamingThePart) {
    const RouterBackup video = SampleBackup(kQS1210, false);
    const QByteArray whole = BackupFile::ToBytes(video);
    struct Case {
        const char* what;
        QByteArray bytes;
        QString fault;
    };
    const std::vector<Case> cases{
        {"truncated", whole.left(whole.size() / 2), QStringLiteral("file: not readable as JSON")},
        {"foreign format", Changed(video, [](QJsonObject& r) { r["format"] = "salvo"; }),
         QStringLiteral("file: \"format\" is \"salvo\": not a Zerandi backup")},
        {"version 3", Changed(video, [](QJsonObject& r) { r["version"] = 3; }),
         QStringLiteral("file: \"version\" is 3: this Zerandi reads version 1 to 2 backups")},
        {"output beyond the model",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonArray routing = r["routing"].toArray();
                     routing.append(QJsonObject{{"output", 65}, {"input", 1}, {"triState", false}});
                     r["routing"] = routing;
                 }),
         QStringLiteral("routing, output 65: the QS1210 has 64 outputs")},
        {"input beyond the model",
         Changed(video, ChangeEntry("routing", 4, [](QJsonObject& e) { e["input"] = 65; })),
         QStringLiteral("routing, output 5: input 65 is not one of the QS1210's inputs 1 to 64")},
        {"tri-state on a model without it",
         Changed(video, ChangeEntry("routing", 0,
                                    [](QJsonObject& e) {
                                        e["input"] = QJsonValue();
                                        e["triState"] = true;
                                    })),
         QStringLiteral("routing, output 1: the QS1210 cannot tri-state an output")},
        {"monitor beyond the model",
         Changed(video, ChangeEntry("monitors", 3, [](QJsonObject& e) { e["output"] = 70; })),
         QStringLiteral(
             "monitors, monitor 4: output 70 is not one of the QS1210's outputs 1 to 64")},
        {"a missing part", Changed(video, [](QJsonObject& r) { r.remove("monitors"); }),
         QStringLiteral("file: \"monitors\" is missing")},
        {"a missing field",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonObject config = Part(r, "configuration");
                     QJsonObject serial = Part(config, "serial");
                     serial.remove("baudRate");
                     config["serial"] = serial;
                     r["configuration"] = config;
                 }),
         QStringLiteral("configuration, serial: \"baudRate\" is missing")},
        {"an unknown field",
         Changed(video, ChangeEntry("routing", 1, [](QJsonObject& e) { e["inptu"] = 1; })),
         QStringLiteral("routing, output 2: \"inptu\" is not a field of a backup")},
        {"outputs out of order",
         Changed(video, ChangeEntry("routing", 1, [](QJsonObject& e) { e["output"] = 3; })),
         QStringLiteral("routing, output 2: \"output\" is 3 where 2 was due")},
        {"a model name that is not the product's",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonObject identity = Part(r, "identity");
                     identity["model"] = "QS1211";
                     r["identity"] = identity;
                 }),
         QStringLiteral("identity: product id 96 is the QS1210, not the QS1211")},
        {"port types on a video router",
         Changed(video,
                 [](QJsonObject& r) {
                     r["portTypes"] =
                         QJsonObject{{"reverse", false}, {"takeDelay", 0}, {"ports", QJsonArray{}}};
                 }),
         QStringLiteral("port types: the QS1210 is not a data router")},
        {"scramble map switched on but not held",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonObject config = Part(r, "configuration");
                     config["scrambleMapEnabled"] = true;
                     r["configuration"] = config;
                 }),
         QStringLiteral("scramble map: missing; the configuration switches it on")},
        {"an address that is not one",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonObject config = Part(r, "configuration");
                     config["ethernet"] = QJsonArray{QJsonObject{{"entry", 0},
                                                                 {"enabled", 1},
                                                                 {"ipAddress", "192.168.1.256"},
                                                                 {"subnetMask", "255.0.0.0"}}};
                     r["configuration"] = config;
                 }),
         QStringLiteral("configuration, Ethernet entry 1: \"ipAddress\" must be four numbers")},
        // Values a router cannot take: refused before anything is sent to it.
        {"a baud rate the card does not run at",
         Changed(video, ChangeSerial([](QJsonObject& s) { s["baudRate"] = 56700; })),
         QStringLiteral("configuration, serial: \"baudRate\" is 56700: the control card runs at "
                        "9600, 19200, 38400, 57600 or 115200")},
        {"a reply mode by the wrong name",
         Changed(video, ChangeSerial([](QJsonObject& s) { s["replyWhen"] = "Always"; })),
         QStringLiteral("configuration, serial: \"replyWhen\" is \"Always\": it must be "
                        "\"active only\" or \"always\"")},
        {"a rear port given as its index",
         Changed(video, ChangeSerial([](QJsonObject& s) { s["rearDiagPort"] = 1; })),
         QStringLiteral("configuration, serial: \"rearDiagPort\" must be a text")},
        {"version 1: baud index 9", Changed(video, AsVersionOne(9, 1, 1)),
         QStringLiteral("configuration, serial: \"baudIndex\" must be a whole number from 0 to 4")},
        {"version 1: rear diagnostic index 200", Changed(video, AsVersionOne(2, 1, 200)),
         QStringLiteral(
             "configuration, serial: \"rearDiagIndex\" must be a whole number from 0 to 1")},
        {"a level beyond the model's inputs",
         Changed(video, ChangeLevel(0, [](QJsonObject& l) { l["physicalInputEnd"] = 60000; })),
         QStringLiteral("configuration, level row 1: \"physicalInputEnd\" is 60000: the QS1210 "
                        "has 64 inputs")},
        {"version 1: a level beyond the model's inputs",
         Changed(video,
                 [](QJsonObject& r) {
                     AsVersionOne(2, 1, 1)(r);
                     ChangeLevel(0, [](QJsonObject& l) { l["physicalInputEnd"] = 60000; })(r);
                 }),
         QStringLiteral("configuration, level row 1: \"physicalInputEnd\" is 60000")},
        {"a level's outputs ending before they start",
         Changed(video, ChangeLevel(0,
                                    [](QJsonObject& l) {
                                        l["physicalOutputStart"] = 40;
                                        l["physicalOutputEnd"] = 33;
                                    })),
         QStringLiteral("configuration, level row 1: \"physicalOutputStart\" 40 is after "
                        "\"physicalOutputEnd\" 33")},
        {"a level numbered 251",
         Changed(video, ChangeLevel(0, [](QJsonObject& l) { l["level"] = 251; })),
         QStringLiteral("configuration, level row 1: \"level\" is 251")},
        {"a row not in use holding a level",
         Changed(video, ChangeLevel(2, [](QJsonObject& l) { l["level"] = 3; })),
         QStringLiteral("configuration, level row 3: \"level\" is 3 in a row beyond "
                        "\"levelCount\" 1: a row not in use holds level 255")},
        {"a signal type no router has",
         Changed(video, ChangeLevel(0, [](QJsonObject& l) { l["signalType"] = 99; })),
         QStringLiteral("configuration, level row 1: \"signalType\" is 99")},
        {"a protocol the card does not know",
         Changed(video,
                 [](QJsonObject& r) {
                     QJsonObject identity = Part(r, "identity");
                     identity["protocol"] = 11;
                     r["identity"] = identity;
                 }),
         QStringLiteral("identity, protocol: 11 is no protocol the control card knows")},
        {"a card address beyond a byte",
         Changed(video, ChangeConfig([](QJsonObject& c) { c["cardAddress"] = 256; })),
         QStringLiteral("configuration: \"cardAddress\" must be a whole number from 0 to 255")},
        {"an enabled interface without an address",
         Changed(video, ChangeConfig([](QJsonObject& c) {
                     c["ethernet"] = QJsonArray{QJsonObject{{"entry", 0},
                                                            {"enabled", 1},
                                                            {"ipAddress", "0.0.0.0"},
                                                            {"subnetMask", "255.0.0.0"}}};
                 })),
         QStringLiteral("configuration, Ethernet entry 1: \"ipAddress\" 0.0.0.0 is no address")},
        {"a subnet mask with a gap",
         Changed(video, ChangeConfig([](QJsonObject& c) {
                     c["ethernet"] = QJsonArray{QJsonObject{{"entry", 0},
                                                            {"enabled", 0},
                                                            {"ipAddress", "10.0.0.1"},
                                                            {"subnetMask", "255.0.255.0"}}};
                 })),
         QStringLiteral(
             "configuration, Ethernet entry 1: \"subnetMask\" 255.0.255.0 is not a subnet mask")},
        {"an expansion mode that is none",
         Changed(video, ChangeConfig([](QJsonObject& c) {
                     c["expansion"] = QJsonObject{{"mode", 7}, {"index", 0}};
                 })),
         QStringLiteral("configuration, expansion: \"mode\" is 7")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BackupFile::Parsed parsed = BackupFile::FromBytes(c.bytes);
        EXPECT_FALSE(parsed.backup);
        EXPECT_TRUE(parsed.fault.startsWith(c.fault)) << parsed.fault.toStdString();
    }
}

TEST(BackupFileTest, ADataRoutersMissingPortTypesAndATruncatedFileOnDiskAreRefusedWithTheirName) {
    const RouterBackup data = SampleBackup(kQR1207, false);
    const BackupFile::Parsed parsed =
        BackupFile::FromBytes(Changed(data, [](QJsonObject& r) { r["portTypes"] = QJsonValue(); }));
    EXPECT_EQ(parsed.fault, QStringLiteral("port types: missing; the QR1207 is a data router"));

    ScriptedUiServices ui;
    const QString path = TempPath(QStringLiteral("cut.zbk"));
    const QByteArray bytes = BackupFile::ToBytes(data);
    ASSERT_TRUE(WriteFileBytes(path, bytes.left(bytes.size() - 3)));
    EXPECT_FALSE(BackupFile::Load(ui, path));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(ui.Messages()[0].text.startsWith(
        BackupFile::RefusedText(path, QStringLiteral("file: not readable"))));
}

}  // namespace
}  // namespace zerandi::test
