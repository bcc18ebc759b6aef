#include <gtest/gtest.h>

#include "config/ComponentNames.h"
#include "config/ControlCardText.h"
#include "config/ProtocolNames.h"
#include "config/SignalTypes.h"

namespace zerandi {
namespace {

TEST(NameTablesTest, ProtocolNames) {
    const struct {
        int32_t protocol;
        const char* name;
    } cases[] = {
        {0, "RBP"},       {1, "BTS-ESBUS"}, {2, "UTAH PL320"}, {5, "PESA"},     {8, "UTAH AVS2"},
        {9, "QR SERIAL"}, {10, "SMS7000"},  {11, "unknown"},   {-1, "unknown"}, {255, "unknown"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProtocolName(c.protocol).toStdString(), c.name) << c.protocol;
    }
}

TEST(NameTablesTest, SignalTypesInOfferedOrder) {
    const QList<int32_t> codes = SignalTypeCodes();
    EXPECT_EQ(codes, (QList<int32_t>{1, 2, 3, 4, 5, 6, 127, 7, 8}));
    const char* const names[] = {"AES ASYNC",        "AES SYNC",       "RS422/RS232 Data",
                                 "Monitor",          "Data Broadcast", "Digital Video",
                                 "SD Digital Video", "AES Mono",       "Data Forward"};
    for (qsizetype i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(SignalTypeName(codes[i]).toStdString(), names[i]);
    }
    EXPECT_EQ(SignalTypeName(0), QStringLiteral("unknown"));
    EXPECT_EQ(SignalTypeName(9), QStringLiteral("unknown"));
}

TEST(NameTablesTest, ComponentNames) {
    const struct {
        int32_t type;
        int32_t kind;
        const char* name;
    } cases[] = {
        {0, 0, "Diag Boot"}, {0, 1, "Diag Appl"}, {1, 1, "Mtrx Appl"}, {1, 2, "Mtrx"},
        {2, 1, "Comm Appl"}, {2, -1, "Comm"},     {16, 0, "PLD0"},     {17, 1, "PLD1"},
        {18, 2, "PLD2"},     {3, 0, ""},          {15, 1, ""},         {-1, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComponentName(c.type, c.kind).toStdString(), c.name) << c.type << "/" << c.kind;
    }
}

SoftwareVersion Version(int32_t type, int32_t kind, QString name, QString partString) {
    SoftwareVersion v;
    v.componentType = type;
    v.imageKind = kind;
    v.name = std::move(name);
    v.partString = std::move(partString);
    v.major = 2;
    v.minor = 10;
    v.build = 3;
    v.fourth = 77;
    v.description = QStringLiteral("not shown");
    return v;
}

TEST(NameTablesTest, VersionLines) {
    const struct {
        SoftwareVersion version;
        const char* line;
    } cases[] = {
        {Version(1, 1, QStringLiteral("SV0123-021003"), {}),
         "Mtrx Appl:: Ver:2.10.3, Part#:SV0123-021003"},
        {Version(1, 1, QStringLiteral("SV0123-021003"), QStringLiteral("B")),
         "Mtrx Appl:: Ver:2.10.3, Part#:SV0123-021003,Rev:B"},
        {Version(16, 0, QStringLiteral("PL77"), {}), "     PLD0:: Ver:2.10.3, Part#:PL77"},
        {Version(9, 0, {}, {}), "         :: Ver:2.10.3, Part#:"},
        {Version(2, 0, QStringLiteral("%1 x"), QStringLiteral("%2")),
         "Comm Boot:: Ver:2.10.3, Part#:%1 x,Rev:%2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatVersionLine(c.version).toStdString(), c.line);
    }
}

TEST(NameTablesTest, ControlCardText) {
    const struct {
        int32_t partNumber;
        const char* text;
        bool extended;
    } cases[] = {
        {209, "CC0209", false}, {263, "CC0263", true},  {353, "CC0353", true},
        {374, "CC0374", true},  {0, "CC0000", false},   {12345, "CC12345", false},
        {-1, "unknown", false}, {-5, "unknown", false},
    };
    for (const auto& c : cases) {
        ControlCardInfo card;
        card.partNumber = c.partNumber;
        EXPECT_EQ(FormatCardNumber(card).toStdString(), c.text);
        EXPECT_EQ(IsExtendedControlCard(card), c.extended) << c.partNumber;
    }
    EXPECT_EQ(FormatCardNumber(ControlCardInfo{}), QStringLiteral("unknown"));
}

}  // namespace
}  // namespace zerandi
