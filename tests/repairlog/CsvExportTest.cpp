// The CSV export: RFC 4180 quoting, CRLF rows, UTF-8 without a byte order mark, the same bytes to a
// Qt device and to a standard stream, and a failed write seen.

#include "RecordFixture.h"

#include "repairlog/CsvExport.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <sstream>

namespace dorvik {
namespace {

using test::SampleRecord;

// An RFC 4180 reader, to see that every value comes back as it went in.
std::vector<std::vector<std::string>> ParseCsv(std::string_view text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
                field += '"';
                ++k;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            rows.emplace_back(1);
            ++k;
        } else {
            field += c;
        }
    }
    rows.pop_back(); // after the last CRLF
    return rows;
}

std::string Exported(const std::vector<RepairRecord>& records) {
    std::ostringstream out;
    CsvExport csv{ExportSink(out)};
    for (const RepairRecord& r : records) {
        EXPECT_TRUE(csv.Add(r));
    }
    return out.str();
}

TEST(CsvExport, QuotesAFieldOnlyWhenItMust) {
    struct Case {
        std::string Value;
        std::string Field;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rhere", "\"cr\rhere\""},
        {"crlf\r\n", "\"crlf\r\n\""},
        {"a;b c\td", "a;b c\td"},
        {" blanks kept ", " blanks kept "},
        {"\xc3\xa9l\xc3\xa8ve \xe6\x9d\xb1", "\xc3\xa9l\xc3\xa8ve \xe6\x9d\xb1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CsvField(c.Value), c.Field) << c.Value;
    }
}

TEST(CsvExport, WritesTheHeaderAndOneCrlfRowPerRecord) {
    RepairRecord r = SampleRecord("SN1", *DayStartUtc("2026-11-02") + 3'600'000);
    r.Id = "id-1";
    r.Comment = "bridge, pins 3 and 4";
    const std::string text = Exported({r});
    const std::string header =
        "id,recorded,shown,serial,board,board_file,report_file,fault,kind,lines,description,nets,"
        "probes,action,result,refdes,comment,operator,bench,version,reverses\r\n";
    const std::string row =
        "id-1,2026-11-02T01:00:00.000Z,2026-11-02T00:58:25.000Z,SN1,MB-200,mb200.brd,"
        "SN1000_report.txt,2,Short,short 12 34 | comp U5,Short #1: VCC to GND,VCC GND,12 34,"
        "Solder bridge removed,RepairSuccessful,U5,\"bridge, pins 3 and 4\",anna,bench-7,2.2,\r\n";
    EXPECT_EQ(text, header + row);
    EXPECT_EQ(Exported({}), header) << "an empty export still has its header";
}

TEST(CsvExport, EveryValueComesBackAsItWentIn) {
    std::vector<RepairRecord> records;
    for (const std::string& hostile :
         {std::string("O'Brien \"quoted\""), std::string("a,b,,c"), std::string("line\r\nnext\n"),
          std::string("\"\"\""), std::string(), std::string("\xe6\x9d\xb1\xe4\xba\xac, \xc3\xa9"),
          std::string("'); DROP TABLE repair_record; --")}) {
        RepairRecord r = SampleRecord();
        r.Serial = r.Comment = r.Description = r.Operator = r.Lines = hostile;
        records.push_back(r);
    }
    const std::string text = Exported(records);
    EXPECT_NE(text.substr(0, 3), "\xef\xbb\xbf") << "no byte order mark";
    const auto rows = ParseCsv(text);
    ASSERT_EQ(rows.size(), records.size() + 1);
    EXPECT_EQ(rows[0], std::vector<std::string>(RecordColumns.begin(), RecordColumns.end()));
    for (std::size_t k = 0; k < records.size(); ++k) {
        const auto values = RecordValues(records[k]);
        EXPECT_EQ(rows[k + 1], std::vector<std::string>(values.begin(), values.end()))
            << records[k].Comment;
    }
}

TEST(CsvExport, AQtDeviceGetsTheSameBytesAsAStream) {
    const std::vector<RepairRecord> records{SampleRecord("SN1"), SampleRecord("SN,2")};
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    CsvExport csv{ExportSink(buffer)};
    for (const RepairRecord& r : records) {
        ASSERT_TRUE(csv.Add(r));
    }
    EXPECT_EQ(buffer.data().toStdString(), Exported(records));
}

TEST(CsvExport, AWriteThatFailsIsSeen) {
    QBuffer closed; // never opened: every write fails
    CsvExport csv{ExportSink(closed)};
    EXPECT_FALSE(csv.Good());
    EXPECT_FALSE(csv.Add(SampleRecord()));

    std::ostringstream full;
    full.setstate(std::ios::badbit);
    CsvExport stream{ExportSink(full)};
    EXPECT_FALSE(stream.Good());
}

} // namespace
} // namespace dorvik
