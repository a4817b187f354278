// Cutting netlist lines into fields: the columns, the number fields in every padding writers use,
// the long-name definitions and the outline points.
#include "board/Ipc356Record.h"

#include <gtest/gtest.h>

namespace dorvik::ipc356 {
namespace {

TEST(Ipc356Record, KindComesFromTheFirstThreeColumns) {
    const struct {
        const char* line;
        RecordKind kind;
    } cases[] = {
        {"", RecordKind::Blank},
        {"   ", RecordKind::Blank},
        {"C", RecordKind::Comment},
        {"C  a comment", RecordKind::Comment},
        {"P  UNITS CUST 0", RecordKind::Parameter},
        {"317GND", RecordKind::ThroughHole},
        {"327GND", RecordKind::Surface},
        {"367N/C", RecordKind::Unplated},
        {"017GND", RecordKind::Continuation},
        {"027GND", RecordKind::Continuation},
        {"389BOARD_EDGE", RecordKind::Outline},
        {"089", RecordKind::OutlineMore},
        {"999", RecordKind::End},
        {"378GND", RecordKind::Other},
        {"099", RecordKind::Other},
        {"CX", RecordKind::Unknown},
        {"PARTS", RecordKind::Unknown},
        {"31", RecordKind::Unknown},
        {"str_length:", RecordKind::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.line), c.kind) << '"' << c.line << '"';
    }
}

TEST(Ipc356Record, NumberFieldsAcceptBlankSignsAndPadding) {
    const struct {
        const char* field;
        std::optional<std::int32_t> value;
        bool overflow;
    } cases[] = {
        {"+012345", 12345, false},          {"-012345", -12345, false},
        {" 012345", 12345, false}, // blank sign
        {"   1450", 1450, false},  // blank-padded
        {"-  1450", -1450, false}, // sign, then blanks
        {"1450   ", 1450, false},  // left-aligned
        {"-2147483648", INT32_MIN, false},  {"2147483647", INT32_MAX, false},
        {"2147483648", std::nullopt, true}, {"99999999999999999999", std::nullopt, true},
        {"", std::nullopt, false},          {"      ", std::nullopt, false},
        {"+", std::nullopt, false},         {"12A45", std::nullopt, false},
        {"12 45", std::nullopt, false},     {"1.5", std::nullopt, false},
        {"--5", std::nullopt, false},
    };
    for (const auto& c : cases) {
        bool overflow = false;
        EXPECT_EQ(ParseField(c.field, overflow), c.value) << '"' << c.field << '"';
        EXPECT_EQ(overflow, c.overflow) << '"' << c.field << '"';
    }
}

TEST(Ipc356Record, FeatureFieldsAreFoundByColumn) {
    // As a writer that signs and zero-pads every number writes it, padded to 80 columns.
    const std::string line =
        "327LONG_NET_NAME1   U12   -B12 M      A02X+012345Y-000678X0100Y0200R090 S2      ";
    ASSERT_EQ(line.size(), 80u);
    const FeatureParse p = ParseFeature(line);
    ASSERT_FALSE(p.Error) << p.Error->Message;
    EXPECT_EQ(p.Record.Net, "LONG_NET_NAME1");
    EXPECT_EQ(p.Record.RefDes, "U12");
    EXPECT_EQ(p.Record.Pin, "B12");
    EXPECT_TRUE(p.Record.MidPoint);
    EXPECT_EQ(p.Record.Access, 2);
    EXPECT_EQ(p.Record.X, 12345);
    EXPECT_EQ(p.Record.Y, -678);
}

TEST(Ipc356Record, FeatureQuirksOfRealWriters) {
    const struct {
        const char* what;
        std::string line;
        std::string net, refdes, pin;
        int access;
        std::int32_t x, y;
    } cases[] = {
        // Blank signs and blank-padded numbers; the hole size padded too; no rotation.
        {"blank padded", "317AGND             VIA         D  32PA00X  12300Y    870X 400Y 400",
         "AGND", "VIA", "", 0, 12300, 870},
        // A pad on an inner or bottom layer, plated flag without a hole, soldermask at 73.
        {"plated flag without hole",
         "327N/C              Q7    -3         PA04X 123450Y 234500X0600Y1400R090 S0", "N/C", "Q7",
         "3", 4, 123450, 234500},
        // The soldermask marker in column 72, and a line longer than 80 columns.
        {"soldermask at 72, long line",
         "317ROW?3            VIA        MD0120PA00X+045678Y-012345X0240Y0000R000S-123456789",
         "ROW?3", "VIA", "", 0, 45678, -12345},
        // Round pad: Y size blank, no rotation field at all.
        {"round pad", "327PROBE_NET        TP7   -1   M      A06X+011100Y+022200X0320Y         S2",
         "PROBE_NET", "TP7", "1", 6, 11100, 22200},
        // A hole without a reference designator or pin.
        {"board hole", "367                       -     D0650UA00X+017700Y+003300X2000Y0900R090 S3",
         "", "", "", 0, 17700, 3300},
        // The shortest record that holds its coordinates.
        {"ends after Y", "327GND              R1    -2          A01X 000100Y 000200", "GND", "R1",
         "2", 1, 100, 200},
    };
    for (const auto& c : cases) {
        const FeatureParse p = ParseFeature(c.line);
        ASSERT_FALSE(p.Error) << c.what << ": " << p.Error->Message;
        EXPECT_EQ(p.Record.Net, c.net) << c.what;
        EXPECT_EQ(p.Record.RefDes, c.refdes) << c.what;
        EXPECT_EQ(p.Record.Pin, c.pin) << c.what;
        EXPECT_EQ(p.Record.Access, c.access) << c.what;
        EXPECT_EQ(p.Record.X, c.x) << c.what;
        EXPECT_EQ(p.Record.Y, c.y) << c.what;
    }
}

TEST(Ipc356Record, BrokenFeaturesSayWhatIsWrong) {
    const struct {
        std::string line;
        const char* message;
    } cases[] = {
        {"327GND              R1    -2          A01X 000100",
         "record cut short at column 49 (the coordinates end at column 57)"},
        {"327GND", "record cut short at column 6 (the coordinates end at column 57)"},
        {"327GND              R1    -2           A01X 000100Y 000200",
         "columns out of place: column 39 holds ' ', not the access code A"},
        {"327GND              R1    -2          A01 X000100Y 000200",
         "columns out of place: column 42 holds ' ', not X"},
        {"327GND              R1    -2          A01X 0001000Y000200",
         "columns out of place: column 50 holds '0', not Y"},
        {"327GND              R1    -2          A01X 00O100Y 000200",
         "X coordinate \"00O100\" is no number"},
        {"327GND              R1    -2          A01X 000100Y      ",
         "Y coordinate \"\" is no number"},
        {"327GND              R1    -2          AXXX 000100Y 000200",
         "access code \"XX\" at columns 40-41 is no number"},
    };
    for (const auto& c : cases) {
        const FeatureParse p = ParseFeature(c.line);
        ASSERT_TRUE(p.Error) << c.line;
        EXPECT_EQ(p.Error->Message, c.message) << c.line;
    }
}

TEST(Ipc356Record, CoordinatesBeyond32BitsAreRefused) {
    // Seven digits overflow the field into the Y marker's column; a field of digits beyond 32
    // bits needs a writer that moved the markers, which is refused as well.
    const FeatureParse wide = ParseFeature(
        "327GND              R1    -2          A01X-9999999999Y000200X0100Y0100R000 S0");
    ASSERT_TRUE(wide.Error);
    EXPECT_NE(wide.Error->Message.find("columns out of place"), std::string::npos);
}

TEST(Ipc356Record, LongNetNamesInTheirThreeForms) {
    const struct {
        const char* line;
        const char* key;
        const char* name;
    } cases[] = {
        {"P  NNAME1     AUDIO_LOOP_CH0", "NNAME1", "AUDIO_LOOP_CH0"},
        {"P  NNAME1 A_VERY_LONG_SIGNAL_NAME", "NNAME1", "A_VERY_LONG_SIGNAL_NAME"},
        {"P  NNAMEm0000 PCIE_WAKE_REQ_B                                                   ",
         "NNAMEm0000", "PCIE_WAKE_REQ_B"},
        {"C  NNAMEm0001 UNNAMED_7_R12_N4", "NNAMEm0001", "UNNAMED_7_R12_N4"},
    };
    for (const auto& c : cases) {
        const auto alias = ParseAlias(c.line);
        ASSERT_TRUE(alias) << c.line;
        EXPECT_EQ(alias->Key, c.key);
        EXPECT_EQ(alias->Name, c.name);
    }
    for (const char* none : {"P  UNITS CUST 0", "P  NNAME1", "P  NNAME", "C  a comment", "P"}) {
        EXPECT_FALSE(ParseAlias(none)) << none;
    }
}

TEST(Ipc356Record, OutlinePointsAreModal) {
    OutlinePointRecord last;
    const OutlineParse edge = ParseOutline("389BOARD_EDGE         X0Y0 X18000 Y12000 X0", last);
    ASSERT_FALSE(edge.Error);
    EXPECT_EQ(edge.Record.Name, "BOARD_EDGE");
    const std::vector<std::pair<int, int>> expected = {
        {0, 0}, {18000, 0}, {18000, 12000}, {0, 12000}};
    ASSERT_EQ(edge.Record.Points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(edge.Record.Points[i].X, expected[i].first) << i;
        EXPECT_EQ(edge.Record.Points[i].Y, expected[i].second) << i;
    }
    // A continuation goes on from the last point; '*' lifts the pen, signs are allowed.
    const OutlineParse more = ParseOutline("089 Y-100 * X+5Y+6", last);
    ASSERT_FALSE(more.Error);
    ASSERT_EQ(more.Record.Points.size(), 2u);
    EXPECT_EQ(more.Record.Points[0].X, 0);
    EXPECT_EQ(more.Record.Points[0].Y, -100);
    EXPECT_EQ(more.Record.Points[1].X, 5);
    EXPECT_EQ(more.Record.Points[1].Y, 6);

    const OutlineParse bad = ParseOutline("389BOARD_EDGE         X0Y0 Z5", last);
    ASSERT_TRUE(bad.Error);
    EXPECT_EQ(bad.Error->Message, "outline point at column 28 starts with 'Z', not X or Y");
    EXPECT_EQ(bad.Record.Points.size(), 1u); // the points before it stand
    const OutlineParse huge = ParseOutline("389BOARD_EDGE         X99999999999", last);
    ASSERT_TRUE(huge.Error);
    EXPECT_EQ(huge.Error->Message, "outline X \"99999999999\" is beyond 32 bits");
}

TEST(Ipc356Record, UnitsCodes) {
    const struct {
        const char* value;
        std::optional<Units> units;
    } cases[] = {
        {"CUST 0", Units::TenThousandthInch},
        {"CUST", Units::TenThousandthInch},
        {"CUST   2", Units::TenThousandthInch},
        {"CUST 1", Units::Micrometre},
        {"SI", Units::Micrometre},
        {"CUST 7", std::nullopt},
        {"MM", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseUnits(c.value), c.units) << c.value;
    }
}

} // namespace
} // namespace dorvik::ipc356
