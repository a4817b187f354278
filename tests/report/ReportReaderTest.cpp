// Recognising a report by its content, and the whole-file errors.

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace dorvik::test {
namespace {

TEST(ReportReader, RecognisesTheKindByContent) {
    const std::pair<std::string, ReportKind> cases[] = {
        {"open 1\n", ReportKind::FaultListFile},
        {"\xEF\xBB\xBF# list\nNET gnd\n", ReportKind::FaultListFile},
        {"title\nthis line is not one\nshort 7 13\n", ReportKind::FaultListFile},
        // A saved list whose descriptions quote a tester's words.
        {"open 19 40 # parts R7,0,F,1,1,,P,F,0,2,0,,,0,, U1,000,F,1,1,,P,F,0,2,0,,,0,0\n",
         ReportKind::FaultListFile},
        {"# saved\ncomp c5 # c5 HAS FAILED\nShort < 7 >-GND -> Parts:U1.1\n",
         ReportKind::FaultListFile},
        {"Short < 7 >-GND -> Parts:U1.1\n", ReportKind::TriCsv},
        {"// Component_Data\n", ReportKind::TriCsv},
        {"1,0,B,S,1,2,F,1,1,,P,1,F,0,1,2,0,,,0,0\n", ReportKind::TriCsv},
        {"---\nc5 HAS FAILED\n", ReportKind::Keysight3070Ticket},
        {"Shorts Report for \"shorts\".\n", ReportKind::Keysight3070Ticket},
        {"CHEK-POINT Report for \"pins\".\n", ReportKind::Keysight3070Ticket},
        {"TestJet Report for \"testjet\".\n", ReportKind::Keysight3070Ticket},
        {"{@BATCH|b||1|1\n{@TS|1|001|000|000|shorts\n", ReportKind::Keysight3070Datalog},
        {"hello\nworld\n", ReportKind::Unknown},
        {std::string("\x00\x01\xFF\xFE", 4), ReportKind::Unknown},
    };
    for (const auto& [text, kind] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DetectReportKind(text), kind);
    }
}

TEST(ReportReader, SaysWhatIsWrongWithAFileThatGivesNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "the file is empty"},
        {"\r\n\n  \n", "the file is empty"},
        {"hello\n", "not a report of a known kind; Dorvik reads fault lists, TRI CSV failure "
                    "files and Keysight 3070 failure tickets"},
        {std::string("\x7F"
                     "ELF\x02\x01\x00\x00",
                     8),
         "not a report of a known kind; Dorvik "
         "reads fault lists, TRI CSV failure files "
         "and Keysight 3070 failure tickets"},
        {"# only comments\nopen x\n", "not a report of a known kind; Dorvik reads fault lists, "
                                      "TRI CSV failure files and Keysight 3070 failure tickets"},
        {"{@BATCH|b\n", "a Keysight 3070 datalog; open the failure ticket of the same test "
                        "(its *_report_out_*.txt) instead"},
        {"// Component_Data\n// StepNum, PartName\n", "the TRI CSV failure file names no fault"},
        {"Shorts Report for \"shorts\".\n------End, 0 Problems Reported----\n",
         "the Keysight 3070 failure ticket names no fault"},
    };
    for (const auto& [text, error] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadOnProbeBoard(text).Error, error);
    }
}

TEST(ReportReader, ReadsAFileAndRefusesWhatIsNoFile) {
    ProbeBench bench;
    const std::string path = ::testing::TempDir() + "report_reader_test.txt";
    std::ofstream(path, std::ios::binary) << "short 7 13\n";
    const ReportResult read = ReadReportFile(path, *bench.board);
    EXPECT_EQ(read.Error, "");
    EXPECT_EQ(read.List.LineCount(), 1u);
    std::remove(path.c_str());

    EXPECT_EQ(ReadReportFile(path, *bench.board).Error, "the file cannot be read");
    EXPECT_EQ(ReadReportFile(::testing::TempDir(), *bench.board).Error, "the file cannot be read");
}

TEST(ReportReader, NoiseNeverGivesMoreThanItHolds) {
    // Every byte value, in lines of every length: whatever is read stays within the text.
    std::string noise;
    for (int n = 0; n < 4096; ++n) {
        noise += static_cast<char>((n * 37 + n / 7) & 0xFF);
        if (n % 61 == 0) {
            noise += "\nShort < 7 13 >-GND -> Parts:U1.1 <";
        }
    }
    const ReportResult r = ReadOnProbeBoard(noise);
    EXPECT_LE(r.List.LineCount() + r.SkippedLines, noise.size());
    EXPECT_LE(r.Problems.size(), ReportResult::MaxProblemsKept);
}

} // namespace
} // namespace dorvik::test
