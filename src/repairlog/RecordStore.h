#pragma once
// The records of a repair log in one database, through Qt SQL with prepared statements and bound
// values only. Records are only ever added: a record whose id the database holds already is left
// as it is, so sending one twice changes nothing.

#include "repairlog/LogLocation.h"
#include "repairlog/RepairRecord.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace dorvik {

class RecordStore final {
public:
    // The bench's SQLite file, its folder and the file made when missing: WAL journal, full sync,
    // a busy timeout, the schema brought up to date.
    static std::unique_ptr<RecordStore> OpenSqlite(const QString& path, QString& error);
    // A line database; fails within the connect timeout when it does not answer.
    static std::unique_ptr<RecordStore> OpenPostgres(const QString& conninfo, QString& error);
    static std::unique_ptr<RecordStore> Open(const LogLocation& location, QString& error);
    // The log as it is, to read only: an SQLite file that exists (a missing one is never made) or
    // a line database whose session refuses writes, each of this program's schema version;
    // nothing is upgraded or switched.
    static std::unique_ptr<RecordStore> OpenForReading(const LogLocation& location, QString& error);

    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    LogKind Kind() const noexcept { return kind_; }
    QSqlDatabase& Database() noexcept { return db_; }

    // Commits the records, and what they name, in one transaction: all or none.
    bool Insert(std::span<const RepairRecord> records, QString& error);
    // The same in statements of many rows each, to fill a database with many records quickly.
    bool Load(std::span<const RepairRecord> records, QString& error);
    // Records 0 to count - 1 that `recordAt` makes, in one transaction, a batch at a time in
    // memory.
    bool Load(std::size_t count, const std::function<RepairRecord(std::size_t)>& recordAt,
              QString& error);

    // The unit's records, oldest first.
    std::optional<std::vector<RepairRecord>> History(const QString& serial, QString& error);

    // Every record recorded in [fromMs, untilMs), oldest first, one at a time.
    bool ForEach(std::int64_t fromMs, std::int64_t untilMs,
                 const std::function<void(const RepairRecord&)>& take, QString& error);

    std::optional<std::int64_t> Count(QString& error);

    // The ids that the log's reversals cancel.
    std::optional<std::unordered_set<std::string>> ReversedIds(QString& error);

    // The outbox of a bench file: records not yet in the line database, oldest first.
    std::optional<std::vector<RepairRecord>> Unsent(int most, QString& error);
    std::optional<std::int64_t> UnsentCount(QString& error);
    bool MarkSent(std::span<const RepairRecord> records, QString& error);

private:
    RecordStore(LogKind kind, QString connection);
    // The open store once its schema is brought up to date, else nothing and the reason.
    static std::unique_ptr<RecordStore> Checked(std::unique_ptr<RecordStore> store, QString& error);
    // The open store when its schema is this program's, else nothing and the reason.
    static std::unique_ptr<RecordStore> Readable(std::unique_ptr<RecordStore> store,
                                                 QString& error);
    static std::unique_ptr<RecordStore> ConnectPostgres(const QString& conninfo, QString& error);
    static std::unique_ptr<RecordStore> OpenSqliteForReading(const QString& path, QString& error);
    bool LoadRows(std::span<const RepairRecord> batch, QString& error);
    bool Query(QSqlQuery& query, QString& error);

    LogKind kind_;
    QString connection_;
    QSqlDatabase db_;
};

} // namespace dorvik
