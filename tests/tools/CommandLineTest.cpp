#include "brd/CommandLine.h"
#include "board/Ipc356Reader.h"
#include "brd/Generator.h"

#include "support/BoardText.h"
#include "support/NetlistText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dorvik::brd {
namespace {

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string bytes;
    char block[4096];
    std::size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.append(block, n);
    }
    return bytes;
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the command line with `input` as standard input and captures both outputs.
Outcome Command(std::vector<std::string_view> args, const std::string& input = {}) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Outcome run;
    run.status = RunCommand(args, in, out, err);
    run.out = Contents(out);
    run.err = Contents(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return run;
}

std::string TempPath(const char* name) {
    return testing::TempDir() + "dorvik_brd_" + name;
}

TEST(CommandLine, DecodeAndEncodeReadStandardInput) {
    const std::string stored = test::Encode(test::WorkedExample);
    const Outcome decoded = Command({"decode", "-"}, stored);
    EXPECT_EQ(decoded.status, ExitOk);
    EXPECT_EQ(decoded.out, test::WorkedExample);
    // Without a FILE, standard input is read too.
    const Outcome encoded = Command({"encode"}, decoded.out);
    EXPECT_EQ(encoded.status, ExitOk);
    EXPECT_EQ(encoded.out, stored);
}

TEST(CommandLine, GenerateWritesTheFileThatCheckPasses) {
    const std::string path = TempPath("generated.brd");
    const Outcome generated = Command({"generate", "--parts", "30", "--seed", "4", "-o", path});
    ASSERT_EQ(generated.status, ExitOk) << generated.err;
    EXPECT_TRUE(generated.out.empty());
    const Outcome check = Command({"check", path});
    EXPECT_EQ(check.status, ExitOk);
    EXPECT_EQ(check.out, path + ": no findings\n");
    // The file and standard output get the same bytes.
    const std::string expected = GenerateStored({30, 4, false});
    EXPECT_EQ(Command({"encode", "-"}, Command({"decode", path}).out).out, expected);
    EXPECT_EQ(Command({"generate", "--seed", "4", "--parts", "30"}).out, expected);
    std::remove(path.c_str());
}

TEST(CommandLine, CheckNamesFileAndLineOfEachFinding) {
    std::string text(test::WorkedExample);
    text.replace(text.find("R7 1 5"), 6, "U1 1 5");
    const Outcome run = Command({"check", "-"}, test::Encode(text));
    EXPECT_EQ(run.status, ExitFindings);
    EXPECT_EQ(run.out, "<stdin>:13: part name \"U1\" is also on line 12\n");
}

struct Misuse {
    std::vector<std::string_view> args;
    std::string input;
    int status;
    const char* out; // expected at the start of standard output, or nullptr for nothing
    const char* err; // expected somewhere in standard error, or nullptr for nothing
};

TEST(CommandLine, ExitStatusAndMessages) {
    const Misuse cases[] = {
        {{"--help"}, "", ExitOk, "Usage: dorvik-brd", nullptr},
        {{}, "", ExitError, nullptr, "no command given"},
        {{"frobnicate"}, "", ExitError, nullptr, "unknown command frobnicate"},
        {{"encode", "a", "b"}, "", ExitError, nullptr, "encode takes one FILE"},
        {{"decode", "/nonexistent/board.brd"},
         "",
         ExitError,
         nullptr,
         "cannot open /nonexistent/board.brd"},
        {{"check", "/nonexistent/board.brd"}, "", ExitError, nullptr, "cannot open"},
        {{"check", "/"}, "", ExitError, nullptr, "cannot read /"},
        {{"decode", "-"}, "x\x7D\n", ExitError, nullptr, "line 1, byte 2: 0x7D becomes 0x0A"},
        {{"generate", "--parts", "0"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts", "30001"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts", "12x"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts"}, "", ExitError, nullptr, "incomplete option --parts"},
        {{"generate", "--seed", "-1"}, "", ExitError, nullptr, "--seed takes"},
        {{"generate", "--full", "--parts", "5"}, "", ExitError, nullptr, "--parts cannot differ"},
        {{"generate", "-o", "/nonexistent/dir/x.brd"}, "", ExitError, nullptr, "cannot create"},
        {{"check", "-"}, "plain words\n", ExitFindings, "<stdin>: no section keyword", nullptr},
        {{"import"}, "", ExitError, nullptr, "import takes the netlist FILE"},
        {{"import", "-", "--probe-side", "left"}, "", ExitError, nullptr, "--probe-side takes"},
        {{"import", "-", "--probe-side"}, "", ExitError, nullptr, "incomplete option"},
        {{"import", "a.ipc", "b.ipc"}, "", ExitError, nullptr, "unknown or incomplete option b"},
        {{"import", "/nonexistent/x.ipc"}, "", ExitError, nullptr, "cannot open"},
        {{"import", "-"}, "", ExitError, nullptr, "<stdin>: the file is empty"},
        {{"import", "-"}, "C  no pads\n", ExitError, nullptr, "<stdin>:1: no pads of parts"},
        {{"import", "-"},
         test::Encode(test::WorkedExample),
         ExitError,
         nullptr,
         "<stdin>:1: not an IPC-D-356 netlist"},
    };
    for (const Misuse& c : cases) {
        const Outcome run = Command(c.args, c.input);
        const std::string what = c.args.empty() ? "(none)" : std::string(c.args.front());
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        if (c.out != nullptr) {
            EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << what << ": " << run.out;
        } else {
            EXPECT_TRUE(run.out.empty()) << what << ": " << run.out;
        }
        if (c.err != nullptr) {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
        } else {
            EXPECT_TRUE(run.err.empty()) << what << ": " << run.err;
        }
    }
}

// A small netlist: a top part, a bottom part, a test point on the bottom and a via.
const std::string Netlist =
    "P  UNITS CUST 0\n" + test::FeatureLine({"327", "GND", "U1", "1", 1, 1000, 1000}) +
    test::FeatureLine({"327", "VCC", "U1", "2", 1, 2000, 1000}) +
    test::FeatureLine({"327", "GND", "R1", "1", 2, 1000, 3000}) +
    test::FeatureLine({"327", "VCC", "TP1", "1", 2, 3000, 3000}) +
    test::FeatureLine({"317", "GND", "VIA", "", 0, 1500, 2000, true}) + "999\n";

// The board that a stored board file gives when the program reads it.
std::unique_ptr<BoardData> ReadBack(const std::string& stored) {
    auto board = std::make_unique<BoardData>();
    test::ReadStored(*board, stored);
    return board;
}

TEST(CommandLine, ImportWritesTheNetlistsBoardThatCheckPasses) {
    const Outcome run = Command({"import", "-"}, Netlist);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.err, "<stdin>: 3 parts, 4 pins, 2 nets, 2 nails, 1 vias, outline around the "
                       "pads\n");
    const Outcome check = Command({"check", "-"}, run.out);
    EXPECT_EQ(check.status, ExitOk) << check.out;

    // The stored board is the board the netlist reader gives, entry by entry.
    const auto stored = ReadBack(run.out);
    auto direct = std::make_unique<BoardData>();
    ReadNetlist(Netlist, *direct);
    ASSERT_EQ(stored->PartCount, direct->PartCount);
    ASSERT_EQ(stored->PinCount, direct->PinCount);
    ASSERT_EQ(stored->NailCount, direct->NailCount);
    ASSERT_EQ(stored->OutlineCount, direct->OutlineCount);
    EXPECT_EQ(stored->PartNameLength, direct->PartNameLength);
    EXPECT_EQ(stored->NetNameLength, direct->NetNameLength);
    for (std::size_t i = 0; i < static_cast<std::size_t>(direct->PartCount); ++i) {
        EXPECT_STREQ(PartName(stored->PartTable[i]), PartName(direct->PartTable[i]));
        EXPECT_EQ(stored->PartTable[i].Kind, direct->PartTable[i].Kind);
        EXPECT_EQ(stored->PartTable[i].PinEnd, direct->PartTable[i].PinEnd);
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(direct->PinCount); ++i) {
        EXPECT_EQ(stored->PinTable[i].X, direct->PinTable[i].X);
        EXPECT_EQ(stored->PinTable[i].Y, direct->PinTable[i].Y);
        EXPECT_EQ(stored->PinTable[i].Probe, direct->PinTable[i].Probe);
        EXPECT_STREQ(PinNet(stored->PinTable[i]), PinNet(direct->PinTable[i]));
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(direct->NailCount); ++i) {
        EXPECT_EQ(stored->NailTable[i].Number, direct->NailTable[i].Number);
        EXPECT_EQ(stored->NailTable[i].X, direct->NailTable[i].X);
        EXPECT_EQ(stored->NailTable[i].Side, direct->NailTable[i].Side);
        EXPECT_STREQ(NailNet(stored->NailTable[i]), NailNet(direct->NailTable[i]));
    }
}

TEST(CommandLine, ImportProbingSideAndOutputFile) {
    const std::string path = TempPath("import_top.brd");
    std::remove(path.c_str());
    const Outcome run = Command({"import", "-", "--probe-side", "top", "-o", path}, Netlist);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    EXPECT_TRUE(run.out.empty());
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    const std::string stored = Contents(f);
    std::fclose(f);
    const auto board = ReadBack(stored);
    // From the top: GND on the via (a via ranks above a pad), VCC on U1 pin 2; both on top.
    ASSERT_EQ(board->NailCount, 2);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(board->NailTable[i].Side, TopSide);
    }
    EXPECT_STREQ(NailNet(board->NailTable[0]), "GND");
    EXPECT_STREQ(NailNet(board->NailTable[1]), "VCC");
    // The via (1500, 2000) for GND, U1 pin 2 (2000, 1000) for VCC, 50 mils apart in x.
    EXPECT_EQ(board->NailTable[1].X - board->NailTable[0].X, 50);
}

TEST(CommandLine, ImportWithFindingsStillWritesAGoodBoard) {
    const std::string longName(90, 'L');
    const std::string netlist = "P  NNAME1     " + longName + "\n" +
                                test::FeatureLine({"327", "NNAME1", "U1", "1", 2, 0, 0}) +
                                "327GND              U1    -2          A01X+00x100Y+000200\n";
    const Outcome run = Command({"import", "-"}, netlist);
    EXPECT_EQ(run.status, ExitFindings);
    EXPECT_NE(run.err.find("<stdin>:1: net name LLLLLLLLLLLLLLLLLLLL... has 90 characters; cut "
                           "to 79\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("<stdin>:3: X coordinate \"+00x100\" is no number; record skipped\n"),
              std::string::npos)
        << run.err;
    const Outcome check = Command({"check", "-"}, run.out);
    EXPECT_EQ(check.status, ExitOk) << check.out;
    EXPECT_STREQ(PinNet(ReadBack(run.out)->PinTable[0]), std::string(79, 'L').c_str());
}

// Found by fuzz_ipc356 (regressions/fuzz_ipc356/keyword_in_net_name): a long net name holding
// a board file's section keyword started that section in the stored board.
TEST(CommandLine, ImportedNamesNeverStartASection) {
    const std::string netlist = "P  NNAME1     SIG Nails: str_length: var_data:\n" +
                                test::FeatureLine({"327", "NNAME1", "Pins:", "1", 2, 0, 0}) +
                                test::FeatureLine({"327", "Format:", "Parts:", "1", 2, 100, 0});
    const Outcome run = Command({"import", "-"}, netlist);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const Outcome check = Command({"check", "-"}, run.out);
    EXPECT_EQ(check.status, ExitOk) << check.out;
    const auto board = ReadBack(run.out);
    ASSERT_EQ(board->PartCount, 2);
    EXPECT_STREQ(PinNet(board->PinTable[0]), "SIG?Nails??str_length??var_data?");
    EXPECT_STREQ(PartName(board->PartTable[1]), "Parts?");
}

} // namespace
} // namespace dorvik::brd
