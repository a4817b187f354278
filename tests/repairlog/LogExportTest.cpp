// Exporting a span of a log: the span's first millisecond in, its end out, and in the CFX form a
// repair left out when its reversal came after the span.

#include "RecordFixture.h"

#include "repairlog/LogExport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace dorvik {
namespace {

using test::ReversalOf;
using test::SampleRecord;

class LogExport : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        store_ = RecordStore::OpenSqlite(dir_.filePath("repairs.sqlite"), error);
        ASSERT_NE(store_, nullptr) << error.toStdString();
    }

    std::string Export(ExportForm form, std::int64_t from, std::int64_t until,
                       std::int64_t records) {
        std::ostringstream out;
        QString error;
        const auto exported = ExportLog(*store_, form, from, until, ExportSink(out), error);
        EXPECT_TRUE(exported) << error.toStdString();
        EXPECT_TRUE(exported && exported->Written);
        EXPECT_EQ(exported ? exported->Records : -1, records);
        return out.str();
    }

    QTemporaryDir dir_;
    std::unique_ptr<RecordStore> store_;
};

const std::int64_t Day = *DayStartUtc("2026-11-02");

TEST_F(LogExport, TakesTheSpansFirstMillisecondAndNotItsEnd) {
    QString error;
    ASSERT_TRUE(store_->Insert(std::vector{SampleRecord("SN-A", Day - 1), SampleRecord("SN-B", Day),
                                           SampleRecord("SN-C", Day + MsPerDay - 1),
                                           SampleRecord("SN-D", Day + MsPerDay)},
                               error));
    const std::string csv = Export(ExportForm::Csv, Day, Day + MsPerDay, 2);
    EXPECT_EQ(csv.find("SN-A"), std::string::npos);
    EXPECT_NE(csv.find("SN-B"), std::string::npos);
    EXPECT_NE(csv.find("SN-C"), std::string::npos);
    EXPECT_EQ(csv.find("SN-D"), std::string::npos);
}

TEST_F(LogExport, ARepairReversedAfterTheSpanIsLeftOut) {
    const RepairRecord kept = SampleRecord("SN-K", Day + 1000);
    const RepairRecord undone = SampleRecord("SN-K", Day + 2000);
    QString error;
    ASSERT_TRUE(store_->Insert(std::vector{kept, undone, ReversalOf(undone, 3 * MsPerDay)}, error));
    const std::string cfx = Export(ExportForm::Cfx, Day, Day + MsPerDay, 2);
    EXPECT_NE(cfx.find(kept.Id), std::string::npos);
    EXPECT_EQ(cfx.find(undone.Id), std::string::npos);
    EXPECT_NE(Export(ExportForm::Csv, Day, Day + MsPerDay, 2).find(undone.Id), std::string::npos)
        << "the CSV form has every record";
}

} // namespace
} // namespace dorvik
