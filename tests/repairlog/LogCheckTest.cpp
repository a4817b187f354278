// The check of a log: each defect one line, nothing for a sound log, and the file left as it was.

#include "RawRecords.h"
#include "RecordFixture.h"

#include "repairlog/LogCheck.h"
#include "repairlog/Schema.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

using test::InsertRaw;
using test::ReversalOf;
using test::SampleRecord;

class LogCheck : public ::testing::Test {
protected:
    QString Path() const { return dir_.filePath("repairs.sqlite"); }

    // A writable store, to put rows in.
    std::unique_ptr<RecordStore> Writable() {
        QString error;
        auto store = RecordStore::OpenSqlite(Path(), error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        return store;
    }

    static void Raw(RecordStore& store, const RepairRecord& record) {
        const QString error = InsertRaw(store.Database(), record);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }

    static void Exec(RecordStore& store, const char* statement) {
        QSqlQuery query(store.Database());
        ASSERT_TRUE(query.exec(statement)) << statement;
    }

    std::vector<std::string> Findings() {
        QString error;
        auto store = RecordStore::OpenForReading({LogKind::Sqlite, Path(), {}}, error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        if (store == nullptr) {
            return {"(not opened)"};
        }
        auto findings = CheckLog(*store, error);
        EXPECT_TRUE(findings) << error.toStdString();
        return findings.value_or(std::vector<std::string>{"(not read)"});
    }

    static RepairRecord Named(const char* id, std::int64_t minute, const char* reverses = "") {
        RepairRecord r = SampleRecord("SN-C", *DayStartUtc("2026-11-02") + minute * 60'000);
        r.Id = id;
        r.Reverses = reverses;
        return r;
    }

    QTemporaryDir dir_;
};

TEST_F(LogCheck, ASoundLogHasNoFindings) {
    {
        auto store = Writable();
        ASSERT_NE(store, nullptr);
        const RepairRecord repair = Named("r1", 1);
        QString error;
        ASSERT_TRUE(store->Insert(std::vector{repair, ReversalOf(repair), Named("r2", 2)}, error));
    }
    EXPECT_EQ(Findings(), std::vector<std::string>{});
}

TEST_F(LogCheck, NamesEveryReversalDefect) {
    {
        auto store = Writable();
        ASSERT_NE(store, nullptr);
        for (const RepairRecord& r :
             {Named("u1", 1, "nowhere"), Named("twice", 2), Named("t2", 4, "twice"),
              Named("t1", 3, "twice"), Named("base", 5), Named("undo", 6, "base"),
              Named("redo", 7, "undo")}) {
            Raw(*store, r);
        }
    }
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "reversal u1 cancels nowhere, a record the log does not hold",
                              "record twice is reversed 2 times, by t1, t2",
                              "reversal redo cancels undo, which is a reversal itself",
                          }));
}

TEST_F(LogCheck, AMissingGuardTriggerIsAFinding) {
    {
        auto store = Writable();
        ASSERT_NE(store, nullptr);
        Exec(*store, "DROP TRIGGER repair_record_never_deleted");
    }
    EXPECT_EQ(Findings(), std::vector<std::string>{
                              "guard trigger repair_record_never_deleted on repair_record is "
                              "missing: its records can be changed or deleted"});
}

TEST_F(LogCheck, WhatTheIntegrityCheckFindsIsAFinding) {
    {
        auto store = Writable();
        ASSERT_NE(store, nullptr);
        QString error;
        ASSERT_TRUE(store->Insert(std::vector{Named("i1", 1), Named("i2", 2)}, error));
        // An index that no longer matches its table: the rows stay readable, the check fails.
        Exec(*store, "PRAGMA writable_schema = ON");
        Exec(*store, "UPDATE sqlite_master SET sql = 'CREATE INDEX repair_record_board ON"
                     " repair_record (bench, recorded_ms)' WHERE name = 'repair_record_board'");
        Exec(*store, "PRAGMA writable_schema = OFF");
    }
    const std::vector<std::string> findings = Findings();
    ASSERT_FALSE(findings.empty());
    for (const std::string& finding : findings) {
        EXPECT_EQ(finding.rfind("integrity check: ", 0), 0u) << finding;
        EXPECT_NE(finding.find("repair_record_board"), std::string::npos) << finding;
    }
}

TEST_F(LogCheck, ReadsOnly) {
    {
        auto store = Writable();
        ASSERT_NE(store, nullptr);
        Raw(*store, Named("u1", 1, "nowhere"));
    }
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    EXPECT_EQ(Findings().size(), 1u);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace
} // namespace dorvik
