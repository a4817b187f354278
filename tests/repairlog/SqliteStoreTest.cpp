// The bench's SQLite file: made on first use, durable, append-only, and refused with a reason
// when it cannot be used, without touching it.

#include "RecordFixture.h"

#include "repairlog/RecordStore.h"
#include "repairlog/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

using test::SampleRecord;

class SqliteStore : public ::testing::Test {
protected:
    QString Path(const char* name = "log/repairs.sqlite") const { return dir_.filePath(name); }

    std::unique_ptr<RecordStore> Open(const QString& path) {
        QString error;
        auto store = RecordStore::OpenSqlite(path, error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        return store;
    }

    QString Refusal(const QString& path) {
        QString error;
        EXPECT_EQ(RecordStore::OpenSqlite(path, error), nullptr);
        EXPECT_FALSE(error.isEmpty());
        return error;
    }

    static void Insert(RecordStore& store, const std::vector<RepairRecord>& records) {
        QString error;
        ASSERT_TRUE(store.Insert(records, error)) << error.toStdString();
    }

    static std::vector<RepairRecord> History(RecordStore& store, const char* serial) {
        QString error;
        auto records = store.History(QString::fromUtf8(serial), error);
        EXPECT_TRUE(records) << error.toStdString();
        return records.value_or(std::vector<RepairRecord>{});
    }

    QTemporaryDir dir_;
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(SqliteStore, MadeOnFirstUseWithWalAndFullSync) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(QFile::exists(Path()));
    QSqlQuery query(store->Database());
    ASSERT_TRUE(query.exec("PRAGMA journal_mode") && query.next());
    EXPECT_EQ(query.value(0).toString(), "wal");
    ASSERT_TRUE(query.exec("PRAGMA synchronous") && query.next());
    EXPECT_EQ(query.value(0).toInt(), 2) << "FULL";
    QString error;
    EXPECT_EQ(ReadSchemaVersion(store->Database(), LogKind::Sqlite, error), SchemaVersion);
}

TEST_F(SqliteStore, KeepsEveryValueAsGiven) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    std::vector<RepairRecord> records;
    for (const std::string& hostile :
         {std::string("O'Brien \"quoted\""), std::string("a;b;c"),
          std::string("'); DROP TABLE repair_record; --"), std::string(10000, 'x'),
          std::string("tab\there\nline"), std::string("\xc3\xa9l\xc3\xa8ve \xe6\x9d\xb1")}) {
        RepairRecord r = SampleRecord("SN-HOSTILE");
        r.Serial = "SN-HOSTILE";
        r.Comment = hostile;
        r.Operator = hostile;
        records.push_back(r);
    }
    Insert(*store, records);
    const std::vector<RepairRecord> back = History(*store, "SN-HOSTILE");
    ASSERT_EQ(back.size(), records.size());
    for (const RepairRecord& r : records) {
        EXPECT_NE(std::find(back.begin(), back.end(), r), back.end()) << r.Comment.substr(0, 40);
    }
    QString error;
    EXPECT_EQ(store->Count(error), static_cast<std::int64_t>(records.size()));
}

TEST_F(SqliteStore, TextThatIsNotUtf8OrHoldsNulIsStoredReadable) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    RepairRecord r = SampleRecord("SN-BYTES");
    r.Comment = std::string("bad \xff\xfe bytes and a \0 zero", 25);
    Insert(*store, {r});
    const std::vector<RepairRecord> back = History(*store, "SN-BYTES");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Comment, "bad \xef\xbf\xbd\xef\xbf\xbd bytes and a \xef\xbf\xbd zero");
}

TEST_F(SqliteStore, ASecondCopyOfARecordChangesNothing) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    const RepairRecord first = SampleRecord("SN-TWICE");
    RepairRecord again = first;
    again.Comment = "a different copy with the same id";
    Insert(*store, {first});
    Insert(*store, {again, first});
    const std::vector<RepairRecord> back = History(*store, "SN-TWICE");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], first);
}

TEST_F(SqliteStore, HistoryIsTheUnitsOwnOldestFirst) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    const std::int64_t t = *DayStartUtc("2026-10-01");
    Insert(*store, {SampleRecord("SN-B", t + 3), SampleRecord("SN-A", t + 2),
                    SampleRecord("SN-B", t + 1), SampleRecord("sn-b", t)});
    const std::vector<RepairRecord> back = History(*store, "SN-B");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Recorded, t + 1);
    EXPECT_EQ(back[1].Recorded, t + 3);
    EXPECT_TRUE(History(*store, "SN-NONE").empty());
}

TEST_F(SqliteStore, TheFileItselfRefusesToChangeOrDeleteARecord) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    Insert(*store, {SampleRecord("SN-KEPT")});
    for (const char* statement :
         {"UPDATE repair_record SET comment = 'rewritten'", "DELETE FROM repair_record",
          "UPDATE repair_item SET name = 'x'", "DELETE FROM repair_item"}) {
        QSqlQuery query(store->Database());
        EXPECT_FALSE(query.exec(statement)) << statement;
        EXPECT_TRUE(query.lastError().text().contains("never"))
            << query.lastError().text().toStdString();
    }
    EXPECT_EQ(History(*store, "SN-KEPT").size(), 1u);
    EXPECT_EQ(History(*store, "SN-KEPT")[0].Comment, SampleRecord().Comment);
}

TEST_F(SqliteStore, ARecordAndWhatItNamesGoInTogether) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    RepairRecord good = SampleRecord("SN-ALL");
    RepairRecord bad = SampleRecord("SN-ALL");
    bad.Result = "Fixed"; // not a result the log takes
    QString error;
    EXPECT_FALSE(store->Insert(std::vector{good, bad}, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(History(*store, "SN-ALL").empty()) << "all or none";
    QSqlQuery items(store->Database());
    ASSERT_TRUE(items.exec("SELECT COUNT(*) FROM repair_item") && items.next());
    EXPECT_EQ(items.value(0).toInt(), 0);

    Insert(*store, {good});
    ASSERT_TRUE(items.exec("SELECT item, name FROM repair_item ORDER BY item, name"));
    QStringList named;
    while (items.next()) {
        named << items.value(0).toString() + u' ' + items.value(1).toString();
    }
    EXPECT_EQ(named, QStringList({"net GND", "net VCC", "part U5", "probe 12", "probe 34"}));
}

TEST_F(SqliteStore, ALogOfTheFirstVersionIsUpgradedAndKeepsItsRecords) {
    const RepairRecord kept = SampleRecord("SN-V1");
    {
        // What a program of the first version made, with one record in it.
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(Path("v1.sqlite"));
        ASSERT_TRUE(db.open());
        QString error;
        ASSERT_TRUE(db.transaction());
        ASSERT_TRUE(UpgradeSchema(db, LogKind::Sqlite, 0, 1, error)) << error.toStdString();
        ASSERT_TRUE(db.commit());
        QSqlQuery insert(db);
        ASSERT_TRUE(
            insert.exec(QStringLiteral("INSERT INTO repair_record (id, recorded, recorded_ms,"
                                       " shown, shown_ms, serial, board, board_file,"
                                       " report_file, fault, kind, lines, description, nets,"
                                       " probes, action, result, refdes, comment, operator,"
                                       " bench, version, reverses) VALUES ('%1', '', 1, '',"
                                       " 0, 'SN-V1', 'B', '', '', 1, '', '', '', '', '',"
                                       " 'Replaced', 'RepairSuccessful', '', '', 'o', 'b',"
                                       " '1', '')")
                            .arg(QString::fromStdString(kept.Id))))
            << insert.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));
    auto store = Open(Path("v1.sqlite"));
    ASSERT_NE(store, nullptr);
    QString error;
    EXPECT_EQ(ReadSchemaVersion(store->Database(), LogKind::Sqlite, error), SchemaVersion);
    QSqlQuery query(store->Database());
    ASSERT_TRUE(query.exec("SELECT version FROM dorvik_schema ORDER BY version"));
    QList<int> versions;
    while (query.next()) {
        versions << query.value(0).toInt();
    }
    EXPECT_EQ(versions, QList<int>({1, 2}));
    ASSERT_TRUE(
        query.exec("SELECT COUNT(*) FROM sqlite_master WHERE name = 'repair_record_counted'") &&
        query.next());
    EXPECT_EQ(query.value(0).toInt(), 1);
    const auto history = store->History(QStringLiteral("SN-V1"), error);
    ASSERT_TRUE(history) << error.toStdString();
    ASSERT_EQ(history->size(), 1u);
    EXPECT_EQ(history->front().Id, kept.Id);
}

TEST_F(SqliteStore, ANewerSchemaIsRefusedAndLeftUntouched) {
    {
        auto store = Open(Path());
        ASSERT_NE(store, nullptr);
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (99, 0)"));
    }
    const QByteArray before = Bytes(Path());
    const QString error = Refusal(Path());
    EXPECT_TRUE(error.contains("99")) << error.toStdString();
    EXPECT_TRUE(error.contains("untouched")) << error.toStdString();
    EXPECT_EQ(Bytes(Path()), before);
}

TEST_F(SqliteStore, WhatIsNoRepairLogIsRefusedWithItsReason) {
    struct Case {
        const char* Name;
        QByteArray Bytes;
        const char* Says;
    };
    const Case cases[] = {
        {"garbage.sqlite", QByteArray(4096, '\x5a'), "not a database"},
        {"cut.sqlite", QByteArray("SQLite format 3\0", 16) + QByteArray(100, '\0'),
         "not a database"},
        {"empty-name.sqlite", QByteArray("SQLite format 3\0", 16), "not a database"},
    };
    for (const Case& c : cases) {
        const QString path = Path(c.Name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.Bytes);
        file.close();
        const QString error = Refusal(path);
        EXPECT_TRUE(error.contains(c.Says, Qt::CaseInsensitive))
            << c.Name << ": " << error.toStdString();
        EXPECT_EQ(Bytes(path), c.Bytes) << c.Name << " was changed";
    }
    EXPECT_TRUE(Refusal(dir_.path()).contains("not a file"));
}

TEST_F(SqliteStore, AForeignTableOfTheSameNameIsNotTakenForALog) {
    {
        auto store = Open(Path("other.sqlite"));
        ASSERT_NE(store, nullptr);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
    {
        db.setDatabaseName(Path("foreign.sqlite"));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("CREATE TABLE repair_record (id TEXT)"));
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("foreign");
    EXPECT_TRUE(Refusal(Path("foreign.sqlite")).contains("without a schema version"));
}

TEST_F(SqliteStore, TwoConnectionsToOneFileSeeEachOthersRecords) {
    auto a = Open(Path());
    auto b = Open(Path());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    Insert(*a, {SampleRecord("SN-SHARED")});
    Insert(*b, {SampleRecord("SN-SHARED")});
    EXPECT_EQ(History(*a, "SN-SHARED").size(), 2u);
}

TEST_F(SqliteStore, ManyRecordsLoadAsTheyInsert) {
    auto inserted = Open(Path("inserted.sqlite"));
    auto loaded = Open(Path("loaded.sqlite"));
    ASSERT_NE(inserted, nullptr);
    ASSERT_NE(loaded, nullptr);
    // More than one statement's rows and one batch's records, a record already held, a record
    // twice in one call, and one naming nothing.
    std::vector<RepairRecord> records;
    const std::int64_t t = *DayStartUtc("2026-10-01");
    for (int k = 0; k < 10123; ++k) {
        records.push_back(SampleRecord("SN-L" + std::to_string(k % 97), t + k));
    }
    records[5].Refdes = records[5].Nets = records[5].Probes = "";
    records[7].Refdes = "U1 U1 U2";
    records.push_back(records[3]);
    Insert(*inserted, records);
    Insert(*loaded, {records[0]});
    QString error;
    ASSERT_TRUE(loaded->Load(records, error)) << error.toStdString();
    EXPECT_EQ(loaded->Count(error), 10123);
    EXPECT_EQ(History(*loaded, "SN-L5"), History(*inserted, "SN-L5"));
    const auto items = [](RecordStore& store) {
        QSqlQuery query(store.Database());
        EXPECT_TRUE(query.exec("SELECT record_id, item, name FROM repair_item"
                               " ORDER BY record_id, item, name"));
        QStringList rows;
        while (query.next()) {
            rows << query.value(0).toString() + u' ' + query.value(1).toString() + u' ' +
                        query.value(2).toString();
        }
        return rows;
    };
    EXPECT_EQ(items(*loaded), items(*inserted));
}

TEST_F(SqliteStore, ALoadThatFailsLeavesNothing) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    std::vector<RepairRecord> records(250, SampleRecord("SN-HALF"));
    for (std::size_t k = 0; k < records.size(); ++k) {
        records[k].Id = "half-" + std::to_string(k);
    }
    records[240].Result = "Fixed";
    QString error;
    EXPECT_FALSE(store->Load(records, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(store->Count(error), 0);
}

TEST_F(SqliteStore, KnowsWhatItsReversalsCancel) {
    auto store = Open(Path());
    ASSERT_NE(store, nullptr);
    const RepairRecord a = SampleRecord("SN-REV");
    const RepairRecord b = SampleRecord("SN-REV");
    Insert(*store, {a, b, test::ReversalOf(a), test::ReversalOf(a), SampleRecord("SN-OTHER")});
    QString error;
    const auto reversed = store->ReversedIds(error);
    ASSERT_TRUE(reversed) << error.toStdString();
    EXPECT_EQ(*reversed, std::unordered_set<std::string>{a.Id});
}

TEST_F(SqliteStore, ReadingNeverMakesOrChangesAFile) {
    const auto reading = [](const QString& path, QString& error) {
        return RecordStore::OpenForReading({LogKind::Sqlite, path, {}}, error);
    };
    QString error;
    EXPECT_EQ(reading(Path("missing/repairs.sqlite"), error), nullptr);
    EXPECT_EQ(error, "there is no such file");
    EXPECT_FALSE(QFile::exists(Path("missing")));

    EXPECT_EQ(reading(dir_.path(), error), nullptr);
    EXPECT_EQ(error, "it is not a file");

    {
        QFile empty(Path("empty.sqlite"));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(reading(Path("empty.sqlite"), error), nullptr);
    EXPECT_EQ(error, "it holds no repair log");
    EXPECT_EQ(QFileInfo(Path("empty.sqlite")).size(), 0) << "no schema was made";

    {
        auto store = Open(Path());
        ASSERT_NE(store, nullptr);
        Insert(*store, {SampleRecord("SN-READ")});
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (7, 0)"));
    }
    const QByteArray newer = Bytes(Path());
    EXPECT_EQ(reading(Path(), error), nullptr);
    EXPECT_TRUE(error.contains("newer")) << error.toStdString();
    EXPECT_EQ(Bytes(Path()), newer);
}

TEST_F(SqliteStore, AFileOpenedForReadingRefusesWrites) {
    {
        auto store = Open(Path());
        ASSERT_NE(store, nullptr);
        Insert(*store, {SampleRecord("SN-RO")});
    }
    QString error;
    auto store = RecordStore::OpenForReading({LogKind::Sqlite, Path(), {}}, error);
    ASSERT_NE(store, nullptr) << error.toStdString();
    EXPECT_EQ(History(*store, "SN-RO").size(), 1u);
    EXPECT_FALSE(store->Insert(std::vector{SampleRecord("SN-RO")}, error));
    EXPECT_TRUE(error.contains("readonly", Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_EQ(History(*store, "SN-RO").size(), 1u);
}

} // namespace
} // namespace dorvik
