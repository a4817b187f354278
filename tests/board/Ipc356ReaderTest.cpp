// Netlists into the board tables: parts, pin order, mounting, nets, the nails a fixture would
// have, the outline and its origin, units, long names, the writers' quirks and broken files.
#include "board/Ipc356Reader.h"

#include "support/NetlistText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dorvik {
namespace {

using test::FeatureLine;

// A small two-layer board: layer 2 is the bottom.
std::string SmallBoard() {
    return "C  a small two-layer board\n"
           "P  JOB   TEST\n"
           "P  UNITS CUST 0\n"
           "P  NNAME1     A_LONG_NET_NAME_OF_MORE_THAN_14\n" +
           FeatureLine({"317", "GND", "J1", "2", 0, 10000, 10000, true}) +
           FeatureLine({"317", "NNAME1", "J1", "1", 0, 10000, 11000, true}) +
           FeatureLine({"327", "GND", "U1", "10", 1, 20000, 10000}) +
           FeatureLine({"327", "SIG", "U1", "2", 1, 20000, 11000}) +
           FeatureLine({"327", "N/C", "U1", "1", 1, 20000, 12000}) +
           FeatureLine({"327", "SIG", "R1", "1", 2, 30000, 10000}) +
           FeatureLine({"327", "GND", "R1", "2", 2, 30000, 11000}) +
           FeatureLine({"317", "SIG", "VIA", "", 0, 25000, 10500, true}) +
           FeatureLine({"327", "GND", "TP1", "1", 2, 26000, 12000}) +
           FeatureLine({"367", "N/C", "H1", "", 0, 5000, 5000, true}) +
           FeatureLine({"367", "N/C", "", "", 0, 900000, 900000, true}) + "999\n";
}

struct PinView {
    std::string part;
    int pin; // within the part, from 1
    std::int32_t x, y, probe;
    std::string net;
};

std::vector<PinView> Pins(const BoardData& b) {
    std::vector<PinView> out;
    std::int32_t i = 0;
    for (std::int32_t j = 0; j < b.PartCount; ++j) {
        const PartEntry& part = b.PartTable[static_cast<std::size_t>(j)];
        for (int n = 1; i < part.PinEnd; ++i, ++n) {
            const PinEntry& p = b.PinTable[static_cast<std::size_t>(i)];
            out.push_back({PartName(part), n, p.X, p.Y, p.Probe, PinNet(p)});
        }
    }
    return out;
}

struct NailView {
    std::int32_t number, x, y;
    int side;
    std::string net;
    friend bool operator==(const NailView&, const NailView&) = default;
};

std::vector<NailView> Nails(const BoardData& b) {
    std::vector<NailView> out;
    for (std::int32_t i = 0; i < b.NailCount; ++i) {
        const NailEntry& n = b.NailTable[static_cast<std::size_t>(i)];
        out.push_back({n.Number, n.X, n.Y, n.Side, NailNet(n)});
    }
    return out;
}

std::string Messages(const NetlistRead& read) {
    std::string out;
    if (read.Error) {
        out += "error " + std::to_string(read.Error->Line) + ": " + read.Error->Text + "\n";
    }
    for (const NetlistMessage& m : read.Findings) {
        out += std::to_string(m.Line) + ": " + m.Text + "\n";
    }
    return out;
}

class NetlistReader : public ::testing::Test {
protected:
    NetlistRead Read(const std::string& text, ProbeSide side = ProbeSide::Bottom) {
        return ReadNetlist(text, *board, NetlistOptions{side});
    }
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
};

TEST_F(NetlistReader, PartsPinsAndNetsOfASmallBoard) {
    const NetlistRead read = Read(SmallBoard());
    ASSERT_FALSE(read.Error) << Messages(read);
    EXPECT_TRUE(read.Findings.empty()) << Messages(read);
    const BoardData& b = *board;

    // Parts in the order they first appear; the via and the hole without a name are no parts.
    ASSERT_EQ(b.PartCount, 5);
    const struct {
        const char* name;
        int kind;
    } parts[] = {{"J1", 1}, {"U1", 5}, {"R1", 10}, {"TP1", 10}, {"H1", 1}};
    for (int j = 0; j < 5; ++j) {
        EXPECT_STREQ(PartName(b.PartTable[static_cast<std::size_t>(j)]), parts[j].name);
        EXPECT_EQ(b.PartTable[static_cast<std::size_t>(j)].Kind, parts[j].kind) << parts[j].name;
    }

    // Pins in pin order (2 before 10), in mils, moved so the outline starts at the origin
    // (the outline is the pads' rectangle with a margin of 100 mils: x 400..3100, y 400..1300).
    const std::vector<PinView> pins = Pins(b);
    ASSERT_EQ(pins.size(), 9u);
    const std::string longName = "A_LONG_NET_NAME_OF_MORE_THAN_14";
    const PinView expected[] = {
        {"J1", 1, 600, 700, 2, longName},     {"J1", 2, 600, 600, 1, "GND"},
        {"U1", 1, 1600, 800, NoProbe, "N/C"}, {"U1", 2, 1600, 700, 3, "SIG"},
        {"U1", 3, 1600, 600, 1, "GND"},       {"R1", 1, 2600, 600, 3, "SIG"},
        {"R1", 2, 2600, 700, 1, "GND"},       {"TP1", 1, 2200, 800, 1, "GND"},
        {"H1", 1, 100, 100, NoProbe, "N/C"},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const PinView& e = expected[i];
        EXPECT_EQ(pins[i].part, e.part) << i;
        EXPECT_EQ(pins[i].pin, e.pin) << i;
        EXPECT_EQ(pins[i].x, e.x) << e.part << "-" << e.pin;
        EXPECT_EQ(pins[i].y, e.y) << e.part << "-" << e.pin;
        EXPECT_EQ(pins[i].probe, e.probe) << e.part << "-" << e.pin;
        EXPECT_EQ(pins[i].net, e.net) << e.part << "-" << e.pin;
    }

    // One nail per net reachable from the bottom, in net order: a test point first (GND), else
    // a via (SIG), else a pad (the long-named net has only a through-hole pad).
    EXPECT_EQ(Nails(b), (std::vector<NailView>{{1, 2200, 800, BottomSide, "GND"},
                                               {2, 600, 700, BottomSide, longName},
                                               {3, 2100, 650, BottomSide, "SIG"}}));

    ASSERT_EQ(b.OutlineCount, 5);
    const std::pair<int, int> corners[] = {{0, 0}, {2700, 0}, {2700, 900}, {0, 900}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(b.OutlineTable[static_cast<std::size_t>(i)].X, corners[i].first) << i;
        EXPECT_EQ(b.OutlineTable[static_cast<std::size_t>(i)].Y, corners[i].second) << i;
    }
    EXPECT_EQ(b.PartNameLength, 4);                                    // "TP1" + 1
    EXPECT_EQ(b.NetNameLength, static_cast<int>(longName.size()) + 1); // the long name + 1
    EXPECT_EQ(b.Declared.Pins, b.PinCount);

    EXPECT_EQ(read.Counts.Parts, 5);
    EXPECT_EQ(read.Counts.Pins, 9);
    EXPECT_EQ(read.Counts.Nets, 3);
    EXPECT_EQ(read.Counts.Vias, 1);
    EXPECT_EQ(read.Counts.TestPoints, 1);
    EXPECT_EQ(read.Counts.Nails, 3);
    EXPECT_FALSE(read.Counts.BoardEdge);
}

TEST_F(NetlistReader, ProbingSideChoosesTheNails) {
    const std::string longName = "A_LONG_NET_NAME_OF_MORE_THAN_14";
    Read(SmallBoard(), ProbeSide::Top);
    // From the top the test point is out of reach: the first pad of GND is J1's through-hole
    // pin 2; SIG keeps its via.
    EXPECT_EQ(Nails(*board), (std::vector<NailView>{{1, 600, 600, TopSide, "GND"},
                                                    {2, 600, 700, TopSide, longName},
                                                    {3, 2100, 650, TopSide, "SIG"}}));
    Read(SmallBoard(), ProbeSide::Both);
    // From both sides the best of either side; a nail that reaches the bottom is placed there.
    EXPECT_EQ(Nails(*board), (std::vector<NailView>{{1, 2200, 800, BottomSide, "GND"},
                                                    {2, 600, 700, BottomSide, longName},
                                                    {3, 2100, 650, BottomSide, "SIG"}}));
}

TEST_F(NetlistReader, NetsWithoutAReachablePadGetNoNail) {
    // A net only on top-side pads, probed from the bottom: its pins carry no probe.
    const std::string text = FeatureLine({"327", "TOPONLY", "U1", "1", 1, 0, 0}) +
                             FeatureLine({"327", "TOPONLY", "U1", "2", 1, 500, 0}) +
                             FeatureLine({"327", "BOTH", "U2", "1", 2, 900, 0}) +
                             // A via on a net that no part's pin has: no nail for it either.
                             FeatureLine({"317", "LONELY", "VIA", "", 0, 900, 900, true});
    Read(text);
    ASSERT_EQ(board->NailCount, 1);
    EXPECT_STREQ(NailNet(board->NailTable[0]), "BOTH");
    for (const PinView& p : Pins(*board)) {
        EXPECT_EQ(p.probe, p.net == "BOTH" ? 1 : NoProbe) << p.part << "-" << p.pin;
    }
}

TEST_F(NetlistReader, UnitsCodes) {
    // The same board in every units code: a board edge 10 x 5 inches (10000 x 5000 mils) with
    // one pad at (1000, 2000) mils and one at (-500, ...) outside the edge.
    const struct {
        const char* units;
        long scale; // counts per mil, times 10 for micrometres
        bool metric;
    } cases[] = {
        {"", 10, false},
        {"P  UNITS CUST\n", 10, false},
        {"P  UNITS CUST 0\n", 10, false},
        {"P  UNITS CUST 2\n", 10, false},
        {"P  UNITS CUST 1\n", 254, true},
        {"P  UNITS SI\n", 254, true},
    };
    for (const auto& c : cases) {
        const auto counts = [&](long mils) { return c.metric ? mils * 254 / 10 : mils * 10; };
        const std::string text =
            std::string(c.units) + "389BOARD_EDGE         X0Y0 X" + std::to_string(counts(10000)) +
            " Y" + std::to_string(counts(5000)) + " X0 Y0\n" +
            FeatureLine({"327", "A", "U1", "1", 1, counts(1000), counts(2000)}) +
            FeatureLine({"327", "A", "U1", "2", 1, counts(-500), counts(2000)});
        const NetlistRead read = Read(text);
        ASSERT_FALSE(read.Error) << c.units << Messages(read);
        EXPECT_TRUE(read.Counts.BoardEdge);
        const std::vector<PinView> pins = Pins(*board);
        ASSERT_EQ(pins.size(), 2u) << c.units;
        EXPECT_EQ(pins[0].x, 1000) << c.units;
        EXPECT_EQ(pins[0].y, 2000) << c.units;
        EXPECT_EQ(pins[1].x, -500) << c.units;
        ASSERT_EQ(board->OutlineCount, 5) << c.units;
        EXPECT_EQ(board->OutlineTable[2].X, 10000) << c.units;
        EXPECT_EQ(board->OutlineTable[2].Y, 5000) << c.units;
    }
    // Micrometres round to the nearest mil: 38 um is 1.496 mils, 39 um 1.535.
    Read("P  UNITS CUST 1\n" + FeatureLine({"327", "A", "U1", "1", 1, 0, 0}) +
         FeatureLine({"327", "A", "U1", "2", 1, 38, -39}));
    const std::vector<PinView> pins = Pins(*board);
    EXPECT_EQ(pins[1].x - pins[0].x, 1);
    EXPECT_EQ(pins[1].y - pins[0].y, -2);

    const NetlistRead unknown = Read("P  UNITS FURLONG\n" + FeatureLine({"327", "A", "U1", "1"}));
    ASSERT_EQ(unknown.Findings.size(), 1u);
    EXPECT_EQ(unknown.Findings[0].Line, 1);
    EXPECT_EQ(unknown.Findings[0].Text, "units \"FURLONG\" unknown; read as CUST 0 (inch)");
}

TEST_F(NetlistReader, LongNetNamesInEveryForm) {
    const std::string text =
        "P  NNAME1     STANDARD_FORM_NAME\n"
        "P  NNAME2     DEFINED_BUT_NEVER_USED\n"
        "P  NNAMEm0000 ALLEGRO_PARAMETER_NAME\n"
        "C  NNAMEm0001 ALLEGRO_COMMENT_NAME\n" +
        FeatureLine({"327", "NNAME1", "U1", "1"}) + FeatureLine({"327", "m0000", "U1", "2"}) +
        FeatureLine({"327", "m0001", "U1", "3"}) +
        // A field with no alias keeps its own name, even one that looks like an alias.
        FeatureLine({"327", "m0002", "U1", "4"}) +
        // The standard form's alias written without its NNAME: the same long name, one net.
        FeatureLine({"327", "1", "U1", "5"});
    const NetlistRead read = Read(text);
    ASSERT_FALSE(read.Error) << Messages(read);
    const std::vector<PinView> pins = Pins(*board);
    ASSERT_EQ(pins.size(), 5u);
    EXPECT_EQ(pins[0].net, "STANDARD_FORM_NAME");
    EXPECT_EQ(pins[1].net, "ALLEGRO_PARAMETER_NAME");
    EXPECT_EQ(pins[2].net, "ALLEGRO_COMMENT_NAME");
    EXPECT_EQ(pins[3].net, "m0002");
    EXPECT_EQ(pins[4].net, "STANDARD_FORM_NAME");
    EXPECT_EQ(read.Counts.Nets, 4);
}

TEST_F(NetlistReader, NamesTooLongForTheTablesAreCutAndReported) {
    const std::string longName(100, 'N');
    const NetlistRead read = Read("C  header\nP  NNAME1     " + longName + "\n" +
                                  FeatureLine({"327", "NNAME1", "U1", "1"}));
    ASSERT_FALSE(read.Error);
    EXPECT_EQ(Pins(*board)[0].net, std::string(NameSlotSize - 1, 'N'));
    EXPECT_EQ(board->NetNameLength, NameSlotSize);
    ASSERT_EQ(read.Findings.size(), 1u);
    EXPECT_EQ(read.Findings[0].Line, 2);
    EXPECT_EQ(read.Findings[0].Text,
              "net name NNNNNNNNNNNNNNNNNNNN... has 100 characters; cut to 79");
}

TEST_F(NetlistReader, NamesKeepToVisibleCharacters) {
    const NetlistRead read =
        Read("P  NNAME1     A B\xC3\xA9\n" + FeatureLine({"327", "NNAME1", "U\tX", "1"}));
    ASSERT_FALSE(read.Error);
    EXPECT_EQ(Pins(*board)[0].net, "A?B??");
    EXPECT_EQ(Pins(*board)[0].part, "U?X");

    // A board file's section keyword in a name would start that section when the board is
    // stored: its colon goes.
    Read(FeatureLine({"327", "XPins:Y", "Parts:", "1"}) +
         FeatureLine({"327", "Nails:Nails:", "U2", "1"}));
    EXPECT_EQ(Pins(*board)[0].net, "XPins?Y");
    EXPECT_EQ(Pins(*board)[0].part, "Parts?");
    EXPECT_EQ(Pins(*board)[1].net, "Nails?Nails?");
}

TEST_F(NetlistReader, BoardEdgeIsTheOutline) {
    // Modal points over a 389 and its 089 continuation; the open outline is closed; a panel
    // edge and a second board edge are not drawn.
    const std::string text = "389PANEL_EDGE          X-9000Y-9000 X9000\n"
                             "389BOARD_EDGE          X1000Y2000 X5000\n"
                             "089 Y4000 X1000\n"
                             "389BOARD_EDGE          X0Y0 X99999\n" +
                             FeatureLine({"327", "A", "U1", "1", 1, 2000, 3000});
    const NetlistRead read = Read(text);
    ASSERT_FALSE(read.Error) << Messages(read);
    ASSERT_EQ(read.Findings.size(), 1u);
    EXPECT_EQ(read.Findings[0].Line, 4);
    EXPECT_EQ(read.Findings[0].Text, "a second BOARD_EDGE; only the first is drawn");
    ASSERT_EQ(board->OutlineCount, 5);
    const std::pair<int, int> corners[] = {{0, 0}, {400, 0}, {400, 200}, {0, 200}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(board->OutlineTable[static_cast<std::size_t>(i)].X, corners[i].first) << i;
        EXPECT_EQ(board->OutlineTable[static_cast<std::size_t>(i)].Y, corners[i].second) << i;
    }
    EXPECT_EQ(Pins(*board)[0].x, 100);
    EXPECT_EQ(Pins(*board)[0].y, 100);
}

TEST_F(NetlistReader, ABoardEdgeWithoutAreaGivesWayToThePads) {
    for (const char* edge : {"389BOARD_EDGE          X0Y0\n", "389BOARD_EDGE          X0Y0 X5000\n",
                             "389BOARD_EDGE          X0Y0 Y0 X0\n"}) {
        const NetlistRead read = Read(edge + FeatureLine({"327", "A", "U1", "1", 1, 1000, 1000}));
        ASSERT_FALSE(read.Error);
        EXPECT_FALSE(read.Counts.BoardEdge) << edge;
        ASSERT_EQ(read.Findings.size(), 1u) << edge;
        EXPECT_EQ(read.Findings[0].Line, 0);
        // One pad: the rectangle is the margin around it.
        ASSERT_EQ(board->OutlineCount, 5);
        EXPECT_EQ(board->OutlineTable[2].X, 200) << edge;
        EXPECT_EQ(board->OutlineTable[2].Y, 200) << edge;
        EXPECT_EQ(Pins(*board)[0].x, 100);
    }
}

TEST_F(NetlistReader, ContinuationRecordsAddNoPins) {
    // A through-hole pad written on its first layer, with the hole and the bottom layer in
    // continuation records (micrometres, four layers).
    const std::string text = "P  UNITS CUST 1\n" +
                             FeatureLine({"317", "V", "J1", "1", 1, 150000, 120000, true}) +
                             FeatureLine({"017", "V", "J1", "1", 0, 150000, 120000, true}) +
                             FeatureLine({"017", "V", "J1", "1", 4, 150000, 120000, true}) +
                             FeatureLine({"327", "V", "C1", "1", 4, 152000, 120000}) +
                             FeatureLine({"027", "V", "C1", "1", 3, 152000, 120000});
    const NetlistRead read = Read(text);
    ASSERT_FALSE(read.Error) << Messages(read);
    EXPECT_EQ(board->PinCount, 2);
    EXPECT_EQ(read.Counts.Continuations, 3);
    EXPECT_EQ(board->PartTable[0].Kind, TopSide); // through-hole, first layer the top
    EXPECT_EQ(board->PartTable[1].Kind, 8 | BottomSide);
}

TEST_F(NetlistReader, MountingFollowsThePads) {
    const std::string text =
        // Any through-hole pad makes a through-hole part, here one on the bottom.
        FeatureLine({"327", "A", "J1", "1", 4, 0, 0}) +
        FeatureLine({"317", "A", "J1", "2", 4, 100, 0, true}) +
        // Surface pads on both sides: the side with more of them.
        FeatureLine({"327", "A", "E1", "1", 1, 0, 0}) +
        FeatureLine({"327", "A", "E1", "2", 4, 0, 100}) +
        FeatureLine({"327", "A", "E1", "3", 4, 0, 200}) +
        // A part of non-plated holes only.
        FeatureLine({"367", "N/C", "M1", "", 0, 0, 0, true});
    Read(text);
    ASSERT_EQ(board->PartCount, 3);
    EXPECT_EQ(board->PartTable[0].Kind, BottomSide);
    EXPECT_EQ(board->PartTable[1].Kind, 8 | BottomSide);
    EXPECT_EQ(board->PartTable[2].Kind, TopSide);
}

TEST_F(NetlistReader, PinOrderNumbersThenNames) {
    std::string text;
    for (const char* pin : {"B2", "10", "", "A10", "2", "MP", "A2", "01", "+"}) {
        text += FeatureLine({"327", pin, "U1", pin});
    }
    Read(text);
    std::vector<std::string> order;
    for (const PinView& p : Pins(*board)) {
        order.push_back(p.net); // the net carries the pin's name here
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"01", "2", "10", "+", "A2", "A10", "B2", "MP", "N/C"}));
}

TEST_F(NetlistReader, LineEndsAndTheEndRecord) {
    std::string lf = SmallBoard();
    std::string crlf;
    for (const char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    auto other = std::make_unique<BoardData>();
    Read(lf);
    ReadNetlist(crlf, *other);
    EXPECT_EQ(other->PinCount, board->PinCount);
    const std::vector<PinView> a = Pins(*board);
    const std::vector<PinView> b = Pins(*other);
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].net, b[i].net) << i;
        EXPECT_EQ(a[i].x, b[i].x) << i;
    }
    // Through a file, without the last line feed; lines after 999 are not read.
    const std::string text = FeatureLine({"327", "A", "U1", "1"}) + "999\n" +
                             FeatureLine({"327", "A", "U2", "1"}) + "garbage";
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    const NetlistRead read = ReadNetlist(f, *board);
    std::fclose(f);
    EXPECT_FALSE(read.Error);
    EXPECT_TRUE(read.Findings.empty()) << Messages(read);
    EXPECT_EQ(board->PartCount, 1);
    const std::string last = FeatureLine({"327", "A", "U1", "1"});
    f = std::tmpfile();
    std::fwrite(last.data(), 1, last.size() - 1, f); // no line feed
    std::rewind(f);
    EXPECT_FALSE(ReadNetlist(f, *board).Error);
    std::fclose(f);
    EXPECT_EQ(board->PinCount, 1);
}

// A good record changed at one column: `at` is 1-based, `count` bytes replaced by `with`.
std::string Changed(std::size_t at, std::size_t count, const std::string& with) {
    std::string line = FeatureLine({"327", "A", "U1", "2", 1, 100, 200});
    line.pop_back(); // the line feed
    return line.replace(at - 1, count, with) + "\n";
}

TEST_F(NetlistReader, BrokenFilesAreReportedByLine) {
    const std::string good = FeatureLine({"327", "A", "U1", "1"});
    const struct {
        std::string text;
        bool stored;
        int line;
        const char* message;
    } cases[] = {
        {"", false, 0, "the file is empty"},
        {"C  only\nP  UNITS CUST 0\n\n999\n", false, 4,
         "no pads of parts (317, 327 or 367 records with a reference designator) in 4 lines"},
        {FeatureLine({"317", "A", "VIA", "", 0, 0, 0, true}), false, 1,
         "no pads of parts (317, 327 or 367 records with a reference designator) in 1 lines"},
        {good + Changed(31, 100, ""), true, 2,
         "record cut short at column 30 (the coordinates end at column 57); record skipped"},
        {good + Changed(42, 0, " "), true, 2,
         "columns out of place: column 42 holds ' ', not X; record skipped"},
        {good + Changed(46, 1, "x"), true, 2,
         "X coordinate \"+00x100\" is no number; record skipped"},
        {good + Changed(39, 1, "B"), true, 2,
         "columns out of place: column 39 holds 'B', not the access code A; record skipped"},
        {good + Changed(40, 2, "T1"), true, 2,
         "access code \"T1\" at columns 40-41 is no number; record skipped"},
        // A number longer than its field runs into the next field's marker.
        {good + Changed(50, 100, "Y+99999999999"), true, 2,
         "columns out of place: column 58 holds '9', not X; record skipped"},
        {good + "389BOARD_EDGE          X99999999999Y0\n", true, 2,
         "outline X \"99999999999\" is beyond 32 bits; rest of the outline record skipped"},
        {good + "389BOARD_EDGE          X0Y0 X1?\n", true, 2,
         "outline point at column 31 starts with '?', not X or Y; rest of the outline record "
         "skipped"},
        {good + "HELLO\n", true, 2, "unknown record \"HEL\"; line skipped"},
    };
    for (const auto& c : cases) {
        const NetlistRead read = Read(c.text);
        EXPECT_EQ(!read.Error, c.stored) << c.message;
        ASSERT_TRUE(read.Error || !read.Findings.empty()) << c.message;
        const NetlistMessage& m = read.Error ? *read.Error : read.Findings.front();
        EXPECT_EQ(m.Line, c.line) << c.message;
        EXPECT_EQ(m.Text, c.message);
        if (c.stored) {
            EXPECT_EQ(board->PinCount, 1) << c.message; // the good record, only
        }
    }
}

TEST_F(NetlistReader, AFailedReadLeavesTheTablesAsTheyWere) {
    Read(SmallBoard());
    const std::int32_t pins = board->PinCount;
    const NetlistRead read = Read("C  nothing here\n");
    ASSERT_TRUE(read.Error);
    EXPECT_EQ(board->PinCount, pins);
    // A smaller board read over it: its counts hide the earlier entries.
    Read(FeatureLine({"327", "A", "U9", "1"}));
    EXPECT_EQ(board->PartCount, 1);
    EXPECT_EQ(board->PinCount, 1);
    EXPECT_EQ(board->NailCount, 0); // a top pad, probed from the bottom
}

TEST_F(NetlistReader, TablesFullAreReadUpToCapacity) {
    // One part per line beyond the part table.
    std::string parts;
    for (int i = 0; i <= PartCapacity; ++i) {
        parts += FeatureLine({"327", "N/C", "P" + std::to_string(i), "1", 1, i, 0});
    }
    NetlistRead read = Read(parts);
    ASSERT_FALSE(read.Error);
    EXPECT_EQ(board->PartCount, PartCapacity);
    EXPECT_EQ(board->PinCount, PartCapacity);
    ASSERT_EQ(read.Findings.size(), 1u);
    EXPECT_EQ(read.Findings[0].Line, PartCapacity + 1);
    EXPECT_EQ(read.Findings[0].Text,
              "part table full (30000 entries): 1 parts from P30000 on are not read");

    // One part with more pads than the pin table holds, each on its own net reachable from the
    // bottom: the nail table fills too.
    std::string pads;
    for (int i = 0; i <= PinCapacity; ++i) {
        pads += FeatureLine({"327", "N" + std::to_string(i), "U1", "1", 2, i, 0});
    }
    read = Read(pads);
    ASSERT_FALSE(read.Error);
    EXPECT_EQ(board->PinCount, PinCapacity);
    EXPECT_EQ(board->NailCount, NailCapacity);
    ASSERT_EQ(read.Findings.size(), 2u) << Messages(read);
    EXPECT_EQ(read.Findings[0].Line, PinCapacity + 1);
    EXPECT_EQ(read.Findings[0].Text,
              "pin table full (99999 entries): pads from here on are not read");
    EXPECT_EQ(read.Findings[1].Line, NailCapacity + 1);
    EXPECT_EQ(read.Findings[1].Text,
              "nail table full (30000 entries): net N30000 and the nets after it get no nail");
    EXPECT_EQ(board->PinTable[NailCapacity].Probe, NoProbe);
    EXPECT_EQ(board->PinTable[NailCapacity - 1].Probe, NailCapacity);

    // A board edge longer than the outline table.
    std::string edge = "389BOARD_EDGE          X0Y0";
    for (int i = 1; i <= OutlineCapacity; ++i) {
        edge += "\n089 X" + std::to_string(i) + "Y" + std::to_string(i % 2 * 100);
    }
    read = Read(edge + "\n" + FeatureLine({"327", "A", "U1", "1"}));
    ASSERT_FALSE(read.Error);
    EXPECT_EQ(board->OutlineCount, OutlineCapacity);
    ASSERT_EQ(read.Findings.size(), 1u) << Messages(read);
    EXPECT_EQ(read.Findings[0].Text, "outline table full (10000 entries): the rest of the board "
                                     "edge is not read");
}

} // namespace
} // namespace dorvik
