#pragma once
// dorvik-log run as the people of the line run it: the built program in a process of its own,
// on logs the test fills through the store.

#include "repairlog/RecordFixture.h"
#include "shell/ProgramRun.h"
#include "support/OwnDataFolder.h"

#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace dorvik::test {

class LogTool : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    ProgramRun Run(const QStringList& args) const { return RunProgram(args, {}, dir_.path()); }
    ProgramRun RunOn(const QString& database, QStringList args) const {
        args.prepend(database);
        args.prepend(QStringLiteral("--db"));
        return Run(args);
    }

    // The records in a log that the store makes (a file, or a line database).
    static void Fill(const LogLocation& location, const std::vector<RepairRecord>& records) {
        QString error;
        const auto store = RecordStore::Open(location, error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        ASSERT_TRUE(store->Insert(records, error)) << error.toStdString();
    }

    // What history prints for these records, oldest first.
    static QString HistoryText(std::vector<RepairRecord> records) {
        std::sort(records.begin(), records.end(), [](const RepairRecord& a, const RepairRecord& b) {
            return a.Recorded < b.Recorded;
        });
        std::string text = TabSeparatedHeader() + "\n";
        for (const RepairRecord& r : records) {
            text += TabSeparated(r) + "\n";
        }
        return QString::fromStdString(text);
    }

    // A unit whose serial and comments hold what shells and CSV readers trip over, and another.
    static std::vector<RepairRecord> Sample() {
        const std::int64_t day = *DayStartUtc("2026-11-02");
        RepairRecord a = SampleRecord("SN \"7\";x", day + 3'600'000);
        a.Comment = "pins \"3\"; 4, 5\tand\nmore";
        RepairRecord b = SampleRecord("SN \"7\";x", day + 86'400'000 + 60'000);
        b.ReportFile.clear();
        RepairRecord c = SampleRecord("SN-OTHER", day + 2 * 86'400'000);
        return {b, a, c, ReversalOf(a, 120'000)};
    }

    // One line, the error's, on standard error.
    static void ExpectOneErrorLine(const ProgramRun& run, const QString& says) {
        EXPECT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 2) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.startsWith(QStringLiteral("dorvik-log: "))) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.endsWith(u'\n'));
        EXPECT_EQ(run.Err.count(u'\n'), 1) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(says))
            << run.Err.toStdString() << " lacks " << says.toStdString();
    }

    OwnDataFolder data_; // the bench's own file is this test's alone
    QTemporaryDir dir_;
};

} // namespace dorvik::test
