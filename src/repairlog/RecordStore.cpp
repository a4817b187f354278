#include "repairlog/RecordStore.h"

#include "repairlog/FaultFacts.h"
#include "repairlog/PostgresConnection.h"
#include "repairlog/Schema.h"
#include "repairlog/SqlText.h"
#include "repairlog/SqlTransaction.h"
#include "repairlog/UtcTime.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace dorvik {
namespace {

constexpr int SqliteBusyTimeoutMs = 10000;

const QString Columns = QStringLiteral(
    "id, recorded, recorded_ms, shown, shown_ms, serial, board, board_file, report_file, fault, "
    "kind, lines, description, nets, probes, action, result, refdes, comment, operator, bench, "
    "version, reverses, report_tested");

int ColumnCount() {
    return static_cast<int>(Columns.count(u',')) + 1;
}

// "?, ?, ?": one bound value for each of `count` columns.
QString Placeholders(int count) {
    QStringList marks;
    for (int k = 0; k < count; ++k) {
        marks << QStringLiteral("?");
    }
    return marks.join(QStringLiteral(", "));
}

QString NewConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("dorvik-repair-log-%1").arg(next++);
}

// Text as the database takes it: UTF-8 (what is not becomes U+FFFD) without NUL characters,
// which PostgreSQL refuses in text.
QVariant Bound(const std::string& text) {
    QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    value.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
    return value;
}

QVariant Bound(std::int64_t value) {
    return QVariant::fromValue<qlonglong>(value);
}

void BindRecord(QSqlQuery& query, const RepairRecord& r) {
    for (const QVariant& value : {Bound(r.Id),          Bound(IsoUtc(r.Recorded)),
                                  Bound(r.Recorded),    Bound(IsoUtc(r.Shown)),
                                  Bound(r.Shown),       Bound(r.Serial),
                                  Bound(r.Board),       Bound(r.BoardFile),
                                  Bound(r.ReportFile),  QVariant(r.Fault),
                                  Bound(r.Kind),        Bound(r.Lines),
                                  Bound(r.Description), Bound(r.Nets),
                                  Bound(r.Probes),      Bound(r.Action),
                                  Bound(r.Result),      Bound(r.Refdes),
                                  Bound(r.Comment),     Bound(r.Operator),
                                  Bound(r.Bench),       Bound(r.Version),
                                  Bound(r.Reverses),    Bound(r.ReportTested)}) {
        query.addBindValue(value);
    }
}

std::string Text(const QSqlQuery& query, int column) {
    return query.value(column).toString().toStdString();
}

RepairRecord RecordAt(const QSqlQuery& q) {
    RepairRecord r;
    r.Id = Text(q, 0);
    r.Recorded = q.value(2).toLongLong();
    r.Shown = q.value(4).toLongLong();
    r.Serial = Text(q, 5);
    r.Board = Text(q, 6);
    r.BoardFile = Text(q, 7);
    r.ReportFile = Text(q, 8);
    r.Fault = q.value(9).toInt();
    r.Kind = Text(q, 10);
    r.Lines = Text(q, 11);
    r.Description = Text(q, 12);
    r.Nets = Text(q, 13);
    r.Probes = Text(q, 14);
    r.Action = Text(q, 15);
    r.Result = Text(q, 16);
    r.Refdes = Text(q, 17);
    r.Comment = Text(q, 18);
    r.Operator = Text(q, 19);
    r.Bench = Text(q, 20);
    r.Version = Text(q, 21);
    r.Reverses = Text(q, 22);
    r.ReportTested = Text(q, 23);
    return r;
}

// A part, net or probe a record names: one row of repair_item.
struct Item {
    QString Kind;
    std::string Name;
};

std::vector<Item> ItemsOf(const RepairRecord& r) {
    std::vector<Item> items;
    for (const auto& [kind, words] :
         {std::pair{"part", &r.Refdes}, std::pair{"net", &r.Nets}, std::pair{"probe", &r.Probes}}) {
        for (std::string& name : SplitAtBlanks(*words)) {
            items.push_back({QString::fromLatin1(kind), std::move(name)});
        }
    }
    return items;
}

// "(?, ?, ?), (?, ?, ?)": the value rows of a statement of `rows` rows of `columns` values.
QString ValueRows(std::size_t rows, int columns) {
    QString row = QStringLiteral("(?");
    for (int c = 1; c < columns; ++c) {
        row += QStringLiteral(", ?");
    }
    row += u')';
    QString text = row;
    for (std::size_t r = 1; r < rows; ++r) {
        text += QStringLiteral(", ") + row;
    }
    return text;
}

// Inserts `count` rows through statements of many rows each; `bind(k, query)` binds row k. The
// rows' values are bound, never written into the statement.
bool InsertRows(QSqlDatabase& db, const QString& head, const QString& tail, int columns,
                std::size_t count, const std::function<void(std::size_t, QSqlQuery&)>& bind,
                QString& error) {
    // Well below what either database takes in one statement (SQLite: 32766 values).
    const std::size_t perStatement = std::max<std::size_t>(1, 2400 / columns);
    QSqlQuery full(db);
    if (count >= perStatement && !full.prepare(head + ValueRows(perStatement, columns) + tail)) {
        error = SqlError(full.lastError());
        return false;
    }
    for (std::size_t at = 0; at < count; at += perStatement) {
        const std::size_t rows = std::min(perStatement, count - at);
        QSqlQuery rest(db);
        QSqlQuery& query = rows == perStatement ? full : rest;
        if (rows != perStatement && !rest.prepare(head + ValueRows(rows, columns) + tail)) {
            error = SqlError(rest.lastError());
            return false;
        }
        for (std::size_t k = at; k < at + rows; ++k) {
            bind(k, query);
        }
        if (!query.exec()) {
            error = SqlError(query.lastError());
            return false;
        }
    }
    return true;
}

bool DriverAvailable(const char* driver, const char* package, QString& error) {
    if (QSqlDatabase::isDriverAvailable(QLatin1String(driver))) {
        return true;
    }
    error = QStringLiteral("Qt's %1 database driver is not installed (Debian package %2)")
                .arg(QLatin1String(driver), QLatin1String(package));
    return false;
}

} // namespace

RecordStore::RecordStore(LogKind kind, QString connection)
    : kind_(kind), connection_(std::move(connection)),
      db_(QSqlDatabase::addDatabase(kind == LogKind::Sqlite ? QStringLiteral("QSQLITE")
                                                            : QStringLiteral("QPSQL"),
                                    connection_)) {}

RecordStore::~RecordStore() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<RecordStore> RecordStore::Checked(std::unique_ptr<RecordStore> store,
                                                  QString& error) {
    const SchemaCheck schema = EnsureSchema(store->db_, store->kind_);
    if (!schema.Usable) {
        error = schema.Error;
        return nullptr;
    }
    return store;
}

std::unique_ptr<RecordStore> RecordStore::OpenSqlite(const QString& path, QString& error) {
    if (!DriverAvailable("QSQLITE", "libqt6sql6-sqlite", error)) {
        return nullptr;
    }
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) {
        error = QStringLiteral("it is not a file");
        return nullptr;
    }
    if (!QDir().mkpath(file.absolutePath())) {
        error = QStringLiteral("its folder %1 cannot be made").arg(file.absolutePath());
        return nullptr;
    }
    std::unique_ptr<RecordStore> store(new RecordStore(LogKind::Sqlite, NewConnectionName()));
    QSqlDatabase& db = store->db_;
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
    if (!db.open()) {
        error = SqlError(db.lastError());
        return nullptr;
    }
    // A record whose tick is on the screen must survive a crash or a power cut.
    QSqlQuery journal(db);
    if (!journal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !journal.next()) {
        error = SqlError(journal.lastError());
        return nullptr;
    }
    if (journal.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        error = QStringLiteral("its journal cannot be switched to WAL (it is %1)")
                    .arg(journal.value(0).toString());
        return nullptr;
    }
    journal.finish();
    QSqlQuery sync(db);
    if (!sync.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        error = SqlError(sync.lastError());
        return nullptr;
    }
    return Checked(std::move(store), error);
}

std::unique_ptr<RecordStore> RecordStore::ConnectPostgres(const QString& conninfo, QString& error) {
    if (!DriverAvailable("QPSQL", "libqt6sql6-psql", error)) {
        return nullptr;
    }
    const PostgresOptions options = PostgresConnectOptions(conninfo);
    if (!options.Error.isEmpty()) {
        error = options.Error;
        return nullptr;
    }
    std::unique_ptr<RecordStore> store(new RecordStore(LogKind::Postgres, NewConnectionName()));
    QSqlDatabase& db = store->db_;
    db.setConnectOptions(options.ConnectOptions);
    if (!db.open()) {
        error = SqlError(db.lastError());
        return nullptr;
    }
    return store;
}

std::unique_ptr<RecordStore> RecordStore::OpenPostgres(const QString& conninfo, QString& error) {
    std::unique_ptr<RecordStore> store = ConnectPostgres(conninfo, error);
    return store != nullptr ? Checked(std::move(store), error) : nullptr;
}

std::unique_ptr<RecordStore> RecordStore::Open(const LogLocation& location, QString& error) {
    return location.Kind == LogKind::Sqlite ? OpenSqlite(location.SqlitePath, error)
                                            : OpenPostgres(location.Conninfo, error);
}

std::unique_ptr<RecordStore> RecordStore::Readable(std::unique_ptr<RecordStore> store,
                                                   QString& error) {
    const std::optional<int> found = ReadSchemaVersion(store->db_, store->kind_, error);
    if (!found) {
        return nullptr;
    }
    if (const QString refusal = SchemaRefusal(*found); !refusal.isEmpty()) {
        error = refusal;
        return nullptr;
    }
    return store;
}

std::unique_ptr<RecordStore> RecordStore::OpenSqliteForReading(const QString& path,
                                                               QString& error) {
    if (!DriverAvailable("QSQLITE", "libqt6sql6-sqlite", error)) {
        return nullptr;
    }
    const QFileInfo file(path);
    if (!file.exists()) {
        error = QStringLiteral("there is no such file");
        return nullptr;
    }
    if (!file.isFile()) {
        error = QStringLiteral("it is not a file");
        return nullptr;
    }
    std::unique_ptr<RecordStore> store(new RecordStore(LogKind::Sqlite, NewConnectionName()));
    QSqlDatabase& db = store->db_;
    db.setDatabaseName(path);
    // Read-only also means that a file removed since the look above is not made again.
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
    if (!db.open()) {
        error = SqlError(db.lastError());
        return nullptr;
    }
    return Readable(std::move(store), error);
}

std::unique_ptr<RecordStore> RecordStore::OpenForReading(const LogLocation& location,
                                                         QString& error) {
    if (location.Kind == LogKind::Sqlite) {
        return OpenSqliteForReading(location.SqlitePath, error);
    }
    std::unique_ptr<RecordStore> store = ConnectPostgres(location.Conninfo, error);
    if (store == nullptr) {
        return nullptr;
    }
    QSqlQuery readOnly(store->db_);
    if (!readOnly.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"))) {
        error = SqlError(readOnly.lastError());
        return nullptr;
    }
    return Readable(std::move(store), error);
}

bool RecordStore::Query(QSqlQuery& query, QString& error) {
    if (query.exec()) {
        return true;
    }
    error = SqlError(query.lastError());
    return false;
}

bool RecordStore::Insert(std::span<const RepairRecord> records, QString& error) {
    if (!BeginWrite(db_, kind_, error)) {
        return false;
    }
    bool ok = true;
    {
        QSqlQuery record(db_);
        QSqlQuery item(db_);
        ok = record.prepare(QStringLiteral("INSERT INTO repair_record (") + Columns +
                            QStringLiteral(") VALUES (") + Placeholders(ColumnCount()) +
                            QStringLiteral(") ON CONFLICT (id) DO NOTHING")) &&
             item.prepare(QStringLiteral("INSERT INTO repair_item (record_id, item, name) "
                                         "VALUES (?, ?, ?) ON CONFLICT DO NOTHING"));
        if (!ok) {
            error = SqlError(record.lastError().isValid() ? record.lastError() : item.lastError());
        }
        for (auto r = records.begin(); ok && r != records.end(); ++r) {
            BindRecord(record, *r);
            ok = Query(record, error);
            for (const Item& named : ItemsOf(*r)) {
                if (!ok) {
                    break;
                }
                item.addBindValue(Bound(r->Id));
                item.addBindValue(named.Kind);
                item.addBindValue(Bound(named.Name));
                ok = Query(item, error);
            }
        }
        if (!ok) {
            // Before the statements go: PostgreSQL frees them only outside an aborted transaction.
            RollbackWrite(db_, kind_);
            return false;
        }
    }
    if (CommitWrite(db_, kind_, error)) {
        return true;
    }
    RollbackWrite(db_, kind_);
    return false;
}

bool RecordStore::Load(std::span<const RepairRecord> records, QString& error) {
    return Load(
        records.size(), [&](std::size_t k) { return records[k]; }, error);
}

bool RecordStore::Load(std::size_t count, const std::function<RepairRecord(std::size_t)>& recordAt,
                       QString& error) {
    // What a batch of records names is gathered and written before the next batch is made.
    constexpr std::size_t RecordsPerBatch = 10000;
    if (!BeginWrite(db_, kind_, error)) {
        return false;
    }
    bool ok = true;
    std::vector<RepairRecord> batch;
    for (std::size_t at = 0; ok && at < count; at += RecordsPerBatch) {
        batch.clear();
        for (std::size_t k = at; k < std::min(count, at + RecordsPerBatch); ++k) {
            batch.push_back(recordAt(k));
        }
        ok = LoadRows(batch, error);
    }
    if (ok && CommitWrite(db_, kind_, error)) {
        return true;
    }
    RollbackWrite(db_, kind_);
    return false;
}

bool RecordStore::LoadRows(std::span<const RepairRecord> batch, QString& error) {
    const QString recordHead =
        QStringLiteral("INSERT INTO repair_record (") + Columns + QStringLiteral(") VALUES ");
    const int recordColumns = ColumnCount();
    const QString itemHead =
        QStringLiteral("INSERT INTO repair_item (record_id, item, name) VALUES ");
    std::vector<std::pair<const std::string*, Item>> items; // with the id that names it
    for (const RepairRecord& r : batch) {
        for (Item& item : ItemsOf(r)) {
            items.emplace_back(&r.Id, std::move(item));
        }
    }
    return InsertRows(
               db_, recordHead, QStringLiteral(" ON CONFLICT (id) DO NOTHING"), recordColumns,
               batch.size(), [&](std::size_t k, QSqlQuery& query) { BindRecord(query, batch[k]); },
               error) &&
           InsertRows(
               db_, itemHead, QStringLiteral(" ON CONFLICT DO NOTHING"), 3, items.size(),
               [&](std::size_t k, QSqlQuery& query) {
                   query.addBindValue(Bound(*items[k].first));
                   query.addBindValue(items[k].second.Kind);
                   query.addBindValue(Bound(items[k].second.Name));
               },
               error);
}

std::optional<std::vector<RepairRecord>> RecordStore::History(const QString& serial,
                                                              QString& error) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT ") + Columns +
                       QStringLiteral(" FROM repair_record WHERE serial = ?"
                                      " ORDER BY recorded_ms, id"))) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    query.addBindValue(serial);
    if (!Query(query, error)) {
        return std::nullopt;
    }
    std::vector<RepairRecord> records;
    while (query.next()) {
        records.push_back(RecordAt(query));
    }
    if (query.lastError().isValid()) { // a fetch that failed midway is no history
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    return records;
}

bool RecordStore::ForEach(std::int64_t fromMs, std::int64_t untilMs,
                          const std::function<void(const RepairRecord&)>& take, QString& error) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ") + Columns +
                  QStringLiteral(" FROM repair_record WHERE recorded_ms >= ? AND recorded_ms < ?"
                                 " ORDER BY recorded_ms, id"));
    query.addBindValue(Bound(fromMs));
    query.addBindValue(Bound(untilMs));
    if (!Query(query, error)) {
        return false;
    }
    while (query.next()) {
        take(RecordAt(query));
    }
    if (query.lastError().isValid()) {
        error = SqlError(query.lastError());
        return false;
    }
    return true;
}

std::optional<std::int64_t> RecordStore::Count(QString& error) {
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM repair_record")) || !query.next()) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

std::optional<std::unordered_set<std::string>> RecordStore::ReversedIds(QString& error) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    // "> ''" rather than "<> ''", so that the index on reverses serves it.
    if (!query.exec(QStringLiteral("SELECT DISTINCT reverses FROM repair_record"
                                   " WHERE reverses > ''"))) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    std::unordered_set<std::string> ids;
    while (query.next()) {
        ids.insert(Text(query, 0));
    }
    if (query.lastError().isValid()) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    return ids;
}

std::optional<std::vector<RepairRecord>> RecordStore::Unsent(int most, QString& error) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    // In the order they were written, so that a repair goes before its reversal.
    query.prepare(QStringLiteral("SELECT ") + Columns +
                  QStringLiteral(" FROM repair_record r WHERE NOT EXISTS"
                                 " (SELECT 1 FROM outbox_sent s WHERE s.id = r.id)"
                                 " ORDER BY r.rowid LIMIT ?"));
    query.addBindValue(most);
    if (!Query(query, error)) {
        return std::nullopt;
    }
    std::vector<RepairRecord> records;
    while (query.next()) {
        records.push_back(RecordAt(query));
    }
    return records;
}

std::optional<std::int64_t> RecordStore::UnsentCount(QString& error) {
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM repair_record r WHERE NOT EXISTS"
                                   " (SELECT 1 FROM outbox_sent s WHERE s.id = r.id)")) ||
        !query.next()) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

bool RecordStore::MarkSent(std::span<const RepairRecord> records, QString& error) {
    if (!BeginWrite(db_, kind_, error)) {
        return false;
    }
    bool ok = true;
    {
        QSqlQuery query(db_);
        ok = query.prepare(QStringLiteral(
            "INSERT INTO outbox_sent (id, sent_ms) VALUES (?, ?) ON CONFLICT DO NOTHING"));
        const std::int64_t now = NowUtcMs();
        for (auto r = records.begin(); ok && r != records.end(); ++r) {
            query.addBindValue(Bound(r->Id));
            query.addBindValue(Bound(now));
            ok = Query(query, error);
        }
    }
    if (ok && CommitWrite(db_, kind_, error)) {
        return true;
    }
    RollbackWrite(db_, kind_);
    return false;
}

} // namespace dorvik
