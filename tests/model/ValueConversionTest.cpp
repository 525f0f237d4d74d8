#include <gtest/gtest.h>

#include <cmath>

#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

SubindexEntry Entry(std::uint8_t dataType, std::string def, std::string high = "", std::string low = "") {
    SubindexEntry e;
    e.dataType = dataType;
    e.defaultValue = std::move(def);
    e.highLimit = std::move(high);
    e.lowLimit = std::move(low);
    return e;
}

}  // namespace

TEST(ParseNumbers, HexadecimalAndDecimalPaths) {
    EXPECT_EQ(ParseSigned("0xFF", 0xFF), 255) << "hex is not sign-extended";
    EXPECT_EQ(ParseSigned("0xFFFF", 0xFFFF), 65535);
    EXPECT_EQ(ParseSigned("-1", 0xFF), -1) << "decimal is not masked";
    EXPECT_EQ(ParseSigned("300", 0xFF), 300);
    EXPECT_EQ(ParseSigned("0x12345", 0xFFFF), 0x2345);
    EXPECT_EQ(ParseUnsigned("-1", 0xFF), 255u);
    EXPECT_EQ(ParseUnsigned("300", 0xFF), 44u);
    EXPECT_EQ(ParseUnsigned("70000", 0xFFFF), 4464u);
    EXPECT_EQ(ParseUnsigned("0X10", 0xFFFFFFFF), 0u) << "upper-case X is not a hex prefix";
    EXPECT_EQ(ParseUnsigned("", 0xFF), 0u);
    EXPECT_EQ(ParseSigned("", 0xFF), 0);
    EXPECT_EQ(ParseUnsigned("12abc", 0xFFFF), 12u);
    EXPECT_EQ(ParseUnsigned("0x1G", 0xFFFF), 1u);
    EXPECT_EQ(ParseUnsigned("0xab ", 0xFFFF), 0xABu);
    EXPECT_EQ(ParseSigned("0x7fffFFFF1", 0xFFFFFFFF), -15);
    EXPECT_EQ(ParseUnsigned("  +42", 0xFF), 42u);
    EXPECT_EQ(ParseUnsigned("0x", 0xFF), 0u);
    EXPECT_EQ(ParseUnsigned("0xFFFFFFFF", 0xFFFFFFFF), 0xFFFFFFFFu);
    // Beyond 32 bits the decimal path wraps modulo 2^32.
    EXPECT_EQ(ParseSigned("4294967295", 0xFFFFFFFF), -1);
    EXPECT_EQ(ParseUnsigned("4294967296", 0xFFFFFFFF), 0u);
    EXPECT_EQ(ParseUnsigned("4294967297", 0xFFFFFFFF), 1u);
    EXPECT_EQ(ParseUnsigned("0x1FFFFFFFF", 0xFFFFFFFF), 0xFFFFFFFFu);
    // The same 32-bit results where long has 32 bits (Windows) and where it has 64.
    EXPECT_EQ(ParseSigned("2147483648", 0xFFFFFFFF), -2147483647 - 1);
    EXPECT_EQ(ParseSigned("-2147483649", 0xFFFFFFFF), 2147483647);
    EXPECT_EQ(ParseSigned("0x80000000", 0xFFFFFFFF), -2147483647 - 1);
    // A negative hexadecimal text is the negative number: -128 for a signed type, its two's complement
    // in the width of an unsigned one.
    EXPECT_EQ(ParseSigned("-0x80", 0xFF), -128);
    EXPECT_EQ(ParseSigned(" -0x7FFFFFFF", 0xFFFFFFFF), -0x7FFFFFFF);
    EXPECT_EQ(ParseUnsigned("-0x80", 0xFF), 0x80u);
    EXPECT_EQ(ParseUnsigned("-0x1", 0xFFFF), 0xFFFFu);
    EXPECT_EQ(ParseSigned("-0x", 0xFF), 0);
}

// The integer types beyond 32 bits are read in full, by the same two paths.
TEST(ParseNumbers, SixtyFourBitTexts) {
    EXPECT_EQ(ParseUnsigned64("0x1122334455667788", 64), 0x1122334455667788u);
    EXPECT_EQ(ParseUnsigned64("18446744073709551615", 64), ~std::uint64_t{0});
    EXPECT_EQ(ParseUnsigned64("0x1FFFFFFFFFF", 40), 0xFFFFFFFFFFu);
    EXPECT_EQ(ParseUnsigned64("-1", 48), 0xFFFFFFFFFFFFu);
    EXPECT_EQ(ParseSigned64("-9223372036854775808", 64), INT64_MIN);
    EXPECT_EQ(ParseSigned64("-0x80", 64), -128);
    EXPECT_EQ(ParseSigned64("0xFFFFFFFFFF", 40), 0xFFFFFFFFFF) << "hex is not sign-extended";
    EXPECT_EQ(ParseSigned64("$NODEID+0x100000000", 64), 0x100000000);
}

// "$NODEID+n" and "n+$NODEID" read as n, in any letter case and with blanks around the '+'; every
// other text reads as before.
TEST(ParseNumbers, NodeIdRelativeTextsReadAsTheirBase) {
    struct Row {
        const char* text;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"$NODEID+0x180", 0x180}, {"$nodeid + 0x180", 0x180},
        {"0x600+$NODEID", 0x600}, {"1280 + $NodeId", 1280},
        {"$NODEID+384", 384},     {" $NODEID+0x80 ", 0x80},
        {"$NODEID+0X80", 0},      {"$NODEID", 0},
        {"$NODEID-1", 0},         {"$NODEID+", 0},
        {"x$NODEID+1", 0},        {"0x180", 0x180},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseUnsigned(row.text, 0xFFFFFFFF), row.value) << row.text;
    }
    EXPECT_EQ(ParseUnsigned("$NODEID+0x1FF", 0xFF), 0xFFu);
    EXPECT_EQ(ParseSigned("$NODEID + -5", 0xFFFF), -5);
    EXPECT_DOUBLE_EQ(ParseReal("2.5+$NODEID"), 2.5);
    EXPECT_TRUE(MentionsNodeId("a$NodeIDb"));
    EXPECT_FALSE(MentionsNodeId("NODEID+1"));

    ConvertedValues out;
    EXPECT_EQ(ConvertEntryValues(Entry(0x07, "$NODEID+0x180", "$NODEID+0x1FF", "0x80+$NODEID"), out),
              ValueKind::Unsigned);
    EXPECT_EQ(out.unsignedDefault, 0x180u);
    EXPECT_EQ(out.unsignedHigh, 0x1FFu);
    EXPECT_EQ(out.unsignedLow, 0x80u);
}

TEST(ParseNumbers, RealTexts) {
    EXPECT_DOUBLE_EQ(ParseReal("55.25"), 55.25);
    EXPECT_DOUBLE_EQ(ParseReal(" -1.5e2xyz"), -150.0);
    EXPECT_DOUBLE_EQ(ParseReal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseReal("0x10"), 16.0);
    EXPECT_TRUE(std::isinf(ParseReal("1e999")));
}

TEST(ConvertEntryValues, KindsAndTriples) {
    ConvertedValues out;
    out.unsignedDefault = 77;
    SubindexEntry header;
    EXPECT_EQ(ConvertEntryValues(header, out), ValueKind::None);
    EXPECT_EQ(out.unsignedDefault, 77u) << "left untouched";

    EXPECT_EQ(ConvertEntryValues(Entry(0x09, "text"), out), ValueKind::String);
    EXPECT_EQ(ConvertEntryValues(Entry(0x0A, "x"), out), ValueKind::String);
    EXPECT_EQ(ConvertEntryValues(Entry(0x0F, "x"), out), ValueKind::Domain);
    EXPECT_EQ(ConvertEntryValues(Entry(0x20, "1"), out), ValueKind::None);
    EXPECT_EQ(out.unsignedDefault, 77u);

    EXPECT_EQ(ConvertEntryValues(Entry(0x08, "55.25", "", "abc"), out), ValueKind::Real);
    EXPECT_FLOAT_EQ(out.realDefault, 55.25f);
    EXPECT_FLOAT_EQ(out.realHigh, 0.0f);
    EXPECT_FLOAT_EQ(out.realLow, 0.0f);

    EXPECT_EQ(ConvertEntryValues(Entry(0x07, "0xFFFFFFFF", "10", "-1"), out), ValueKind::Unsigned);
    EXPECT_EQ(out.unsignedDefault, 0xFFFFFFFFu);
    EXPECT_EQ(out.unsignedHigh, 10u);
    EXPECT_EQ(out.unsignedLow, 0xFFFFFFFFu);

    EXPECT_EQ(ConvertEntryValues(Entry(0x03, "0x12345", "-5", "0x8000"), out), ValueKind::Signed);
    EXPECT_EQ(out.signedDefault, 0x2345);
    EXPECT_EQ(out.signedHigh, -5);
    EXPECT_EQ(out.signedLow, 0x8000);

    EXPECT_EQ(ConvertEntryValues(Entry(0x01, "0x1FF"), out), ValueKind::Unsigned);
    EXPECT_EQ(out.unsignedDefault, 0xFFu);
    EXPECT_EQ(ConvertEntryValues(Entry(0x02, "0x1FF"), out), ValueKind::Signed);
    EXPECT_EQ(out.signedDefault, 0xFF);
    EXPECT_EQ(ConvertEntryValues(Entry(0x04, "-2147483648"), out), ValueKind::Signed);
    EXPECT_EQ(out.signedDefault, INT32_MIN);
    EXPECT_EQ(ConvertEntryValues(Entry(0x06, "0xABCDE"), out), ValueKind::Unsigned);
    EXPECT_EQ(out.unsignedDefault, 0xBCDEu);

    // The REAL32 path narrows to float without undefined behaviour on overflow.
    EXPECT_EQ(ConvertEntryValues(Entry(0x08, "1e300"), out), ValueKind::Real);
    EXPECT_TRUE(std::isinf(out.realDefault));
}
