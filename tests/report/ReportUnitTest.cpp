// The unit a report is about: the serial, board name and test time each kind of report states,
// kept as one line of UTF-8.

#include "ReportFixture.h"
#include "report/TextLines.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

struct UnitCase {
    std::string Text;
    ReportUnit Unit;
};

void ExpectUnits(const std::vector<UnitCase>& cases, ReportKind kind) {
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(Printable(c.Text));
        const ReportResult r = ReadOnProbeBoard(c.Text);
        EXPECT_EQ(r.Kind, kind);
        EXPECT_EQ(r.Unit, c.Unit);
    }
}

TEST(ReportUnit, TextsAreOneLineOfUtf8OfAtMost128Bytes) {
    const std::string a127(127, 'A');
    const std::pair<std::string, std::string> cases[] = {
        {"  QA 01\t", "QA 01"},
        {"\x01QA\x1F"
         "01\x7F",
         "QA 01"},
        {"R\xC3\xA9v \xE2\x82\xAC", "R\xC3\xA9v \xE2\x82\xAC"}, // UTF-8 stays
        {"R\xE9v", "R\xC3\xA9v"},                               // Latin-1 becomes UTF-8
        {"\xC0\x80\xED\xA0\x80", "\xC3\x80\xC2\x80\xC3\xAD\xC2\xA0\xC2\x80"}, // overlong, surrogate
        {"\xE2\x82", "\xC3\xA2\xC2\x82"}, // a cut character: its bytes as Latin-1
        {std::string(200, 'B'), std::string(128, 'B')},
        {a127 + "\xC3\xA9" + "B", a127}, // the cut falls inside a character
        {a127 + " \xC3\xA9", a127},      // no blank left at the cut
        {std::string("\0\0", 2), ""},
    };
    for (const auto& [said, kept] : cases) {
        SCOPED_TRACE(Printable(said));
        EXPECT_EQ(UnitText(said), kept);
        EXPECT_EQ(UnitText(kept), kept);
    }
}

TEST(ReportUnit, TestedIsARealDateAndTime) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"20250314", "093005", "2025-03-14T09:30:05"},
        {"20240229", "235959", "2024-02-29T23:59:59"},
        {"20000229", "000000", "2000-02-29T00:00:00"},
        {"21000229", "000000", ""}, // no leap year
        {"20250229", "120000", ""},
        {"20250431", "120000", ""},
        {"20251301", "120000", ""},
        {"20250001", "120000", ""},
        {"00000101", "120000", ""},
        {"20250314", "240000", ""},
        {"20250314", "126000", ""},
        {"20250314", "120060", ""},
        {"2025314", "120000", ""},
        {"20250314", "12000", ""},
        {"2025-3-1", "120000", ""},
        {"20250314", "12:00:", ""},
    };
    for (const auto& [date, time, tested] : cases) {
        SCOPED_TRACE(std::string(date) + " " + std::string(time));
        EXPECT_EQ(TestedText(date, time), tested);
        EXPECT_EQ(IsTestedText(tested), !tested.empty());
    }
    EXPECT_FALSE(IsTestedText("2025-03-14 09:30:05"));
    EXPECT_FALSE(IsTestedText("2025-03-14T09:30:05Z"));
}

// A TRI header record of at least 20 fields, starting with `first`.
std::string Record(std::vector<std::string> first) {
    while (first.size() < 21) {
        first.emplace_back(first.size() % 2 == 0 ? "0" : "F");
    }
    std::string text;
    for (const std::string& field : first) {
        text += (text.empty() ? "" : ",") + field;
    }
    return text + "\n";
}

constexpr std::string_view TriFault = "Short < 13 >-VCC -> Parts:U1.2 < 50 >-ND -> Parts:R9.1\n";
constexpr std::string_view ColumnComment =
    "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time, Result, Retest\n";

TEST(ReportUnit, TriFromTheHeaderRecord) {
    const std::string fault(TriFault);
    ExpectUnits(
        {
            // The record starts at ICT_ID.
            {Record({"2", "415", "QX77_BRD", "ZZ1000AB01", "20250314", "093005"}) + fault,
             {"ZZ1000AB01", "QX77_BRD", "2025-03-14T09:30:05"}},
            // The comment above names the columns.
            {"// Header_Data\n" + std::string(ColumnComment) +
                 Record({"FAIL", "2", "7", "QX77_BRD", "ZZ1000AB02", "20251231", "235959"}) +
                 "\n// Component_Data\n" + fault,
             {"ZZ1000AB02", "QX77_BRD", "2025-12-31T23:59:59"}},
            // In another order, in other cases and with blanks in the names.
            {"// Date , bar code,BOARDNAME, Time, PASS/FAIL\n" +
                 Record({"20240229", "ZZ3", "BRD_3", "120000", "FAIL"}) + fault,
             {"ZZ3", "BRD_3", "2024-02-29T12:00:00"}},
            // A comment that names none of the columns leaves the order as it is.
            {"// Header_Data, version 2\n" + Record({"2", "415", "BRD_4", "ZZ4", "20250314"}) +
                 fault,
             {"ZZ4", "BRD_4", ""}},
            // Named columns beyond the record's last field are not stated.
            {"// PASS/FAIL, BoardName" + std::string(30, ',') + "BarCode\n" +
                 Record({"FAIL", "BRD_5", "ZZ5"}) + fault,
             {"", "BRD_5", ""}},
            // Fields trimmed of blanks; blanks inside a name stay.
            {Record({" 2 ", " 415", "  QX 77  ", "\tZZ6 ", " 20250314 ", " 093005 "}) + fault,
             {"ZZ6", "QX 77", "2025-03-14T09:30:05"}},
            // Control bytes become blanks, Latin-1 becomes UTF-8.
            {Record({"2", "415", "Q\x01X\xE9", "ZZ\x7F", "20250314", "0930"}) + fault,
             {"ZZ", "Q X\xC3\xA9", ""}},
            {Record({"2", "415", "BRD", "ZZ7", "20251301", "093005"}) + fault, {"ZZ7", "BRD", ""}},
            // A record of fewer fields is no header record; the first header record counts.
            {"2,415,BRD_8,ZZ8,20250314,093005,F\n" + fault, {}},
            {fault + Record({"2", "415", "BRD_9", "ZZ9"}) + Record({"2", "415", "OTHER", "ZZ0"}),
             {"ZZ9", "BRD_9", ""}},
            {fault, {}},
        },
        ReportKind::TriCsv);
}

constexpr std::string_view Dashes = "----------------------------------------\n";

// A block header that starts with the title, and an analog failure.
std::string TitledBlock(std::string_view title, std::string_view date) {
    return std::string(Dashes) + std::string(title) + "\nBoard Version:  v1\n" + std::string(date) +
           "\n" + std::string(Dashes) + "c5 HAS FAILED\nMeasured:   1.2u\n" + std::string(Dashes);
}

// A block header that starts with the report's heading and its date, and a short.
std::string ShortsBlock(std::string_view title, std::string_view date) {
    return std::string(Dashes) + "Shorts Report for \"shorts\".\n" + std::string(date) + "\n" +
           std::string(title) + "\nBoard Version:  v2\n" + std::string(Dashes) +
           "Short #1, Thresh 9, Delay 50us      Ohms\n"
           "From: vcc                  20375    4\n"
           "To:   gnd                 219157    4\n"
           "------End, 1 Problem Reported-----------\n";
}

TEST(ReportUnit, TicketFromItsSerialLineAndBlockHeader) {
    const std::string long80(80, 'L');
    ExpectUnits(
        {
            {TitledBlock("ACME-BRD 7 REV C", "Wed Mar 05 07:08:09 2025") + "Serial #: QA0001\n",
             {"QA0001", "ACME-BRD 7 REV C", "2025-03-05T07:08:09"}},
            {ShortsBlock("ACME-BRD 8", "Thu Feb 29 23:59:59 2024") + "Serial #: QA0002\n",
             {"QA0002", "ACME-BRD 8", "2024-02-29T23:59:59"}},
            // The first title and the first date of the blocks; the last serial.
            {"Serial #: QA0003\n" + ShortsBlock("FIRST", "Sun Jul 06 01:02:03 2025") +
                 TitledBlock("SECOND", "Sun Jul 06 01:02:09 2025") +
                 "Serial #: QA0004\nSerial #:\n",
             {"QA0004", "FIRST", "2025-07-06T01:02:03"}},
            {TitledBlock("ACME", "Sat Jan 01 00:00:00 2000"), {"", "ACME", "2000-01-01T00:00:00"}},
            // Padded and one-digit days, months in any case.
            {TitledBlock("ACME", "Tue Jan  4 18:13:37 2005"), {"", "ACME", "2005-01-04T18:13:37"}},
            {TitledBlock("ACME", "tue DEC 30 18:13:37 2005"), {"", "ACME", "2005-12-30T18:13:37"}},
            // A date line that names no real date: not stated, and no later line stands in.
            {TitledBlock("ACME", "Mon Feb 30 10:00:00 2005") +
                 TitledBlock("ACME", "Mon Mar 01 10:00:00 2005"),
             {"", "ACME", ""}},
            {TitledBlock("ACME", "Mon Jan 03 25:00:00 2005"), {"", "ACME", ""}},
            // Lines that are no date line.
            {TitledBlock("ACME", "Mon Jan 03 10:00 2005"), {"", "ACME", ""}},
            {TitledBlock("ACME", "Someday Jan 03 10:00:00 2005"), {"", "ACME", ""}},
            {TitledBlock("ACME", "Mon Jna 03 10:00:00 2005"), {"", "ACME", ""}},
            {TitledBlock("ACME", "Mon Jan 103 10:00:00 2005"), {"", "ACME", ""}},
            // Cleaned: control bytes, Latin-1, a long title cut at 128 bytes.
            {TitledBlock("\x01"
                         "ACME\x02\xE9\x7F",
                         "x") +
                 "Serial #:\tQA\x03"
                 "5 \n",
             {"QA 5", "ACME \xC3\xA9", ""}},
            {TitledBlock(long80 + long80, "x"), {"", std::string(128, 'L'), ""}},
            // No title above "Board Version:" when a rule or nothing stands there.
            {std::string(Dashes) + "Board Version:  v1\n" + TitledBlock("", "x") +
                 "Serial  # :  QA6\n",
             {"QA6", "", ""}},
        },
        ReportKind::Keysight3070Ticket);
}

TEST(ReportUnit, FaultListFromTheNotesAtItsTop) {
    ExpectUnits(
        {
            {"# serial: QA1\n# board: ACME 1\n# tested: 2025-03-05T07:08:09\nopen 7\n",
             {"QA1", "ACME 1", "2025-03-05T07:08:09"}},
            {"# bench 2, board 17\nopen 7\n", {}},
            {"open 7\n", {}},
            // Below the first line that says something they are comments.
            {"open 7\n# serial: QA2\n# board: ACME\n", {}},
            {"bogus 1\n# serial: QA2\nopen 7\n", {}},
            // Keywords in any case, blanks around them; blank lines and comments between.
            {"\xEF\xBB\xBF\r\n#SERIAL:   QA3  \r\n\r\n# other words\r\n#  Board :ACME\r\n"
             "# TeStEd:2024-02-29T00:00:00\r\nopen 7\r\n",
             {"QA3", "ACME", "2024-02-29T00:00:00"}},
            // The last one counts; one without a value says nothing.
            {"# serial: QA4\n# serial: QA5\n# serial:\nopen 7\n", {"QA5", "", ""}},
            {"# serial number: QA6\n# board ACME\nopen 7\n", {}},
            {"# serial: \x01QA\x02"
             "7\xE9 \n# board: \x7F\nopen 7\n",
             {"QA 7\xC3\xA9", "", ""}},
            {"# tested: 2025-02-29T10:00:00\nopen 7\n", {}},
            {"# tested: 2025-03-05 07:08:09\nopen 7\n", {}},
            {"# tested: 2025-03-05T07:08:09Z\nopen 7\n", {}},
        },
        ReportKind::FaultListFile);
}

} // namespace
} // namespace dorvik::test
