#pragma once
// A fault list of many faults on the worked example board, the script that ticks every one of
// them through the Repair window, and the record each tick has to leave in the log, field by
// field, so that a record cut short or mixed up with another fault's shows.

#include "repairlog/FaultFacts.h"
#include "repairlog/LogSettings.h"
#include "repairlog/RecordStore.h"
#include "repairlog/RepairRecord.h"
#include "support/BoardText.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace dorvik {

// A record as a failed expectation shows it: its columns, tab-separated.
inline void PrintTo(const RepairRecord& record, std::ostream* out) {
    *out << TabSeparated(record);
}

} // namespace dorvik

namespace dorvik::test {

struct FaultShape {
    const char* Line;
    const char* Nets;
    const char* Probes;
    const char* Refdes;
};

// What each kind of line names on the worked example (probes 12 VCC and 13 GND, parts U1, R7).
inline constexpr FaultShape Shapes[] = {
    {"open 12", "VCC", "12", ""}, {"short 12 13", "VCC GND", "12 13", ""},
    {"comp U1", "", "", "U1"},    {"comp R7,1", "VCC", "12", "R7"},
    {"net VCC", "VCC", "", ""},   {"open 13", "GND", "13", ""},
};

inline const FaultShape& ShapeOf(int fault) {
    return Shapes[static_cast<std::size_t>(fault - 1) % std::size(Shapes)];
}

// The bench as a test lays it out: the board, and fault lists of `faults` faults of `serial`.
class TickedList {
public:
    TickedList(QString folder, std::string serial, int faults)
        : folder_(std::move(folder)), serial_(std::move(serial)), faults_(faults) {
        QFile board(QDir(folder_).filePath(QStringLiteral("worked.brd")));
        if (board.open(QIODevice::WriteOnly)) {
            board.write(Encode(WorkedExample).c_str());
        }
    }

    int Faults() const { return faults_; }
    const std::string& Serial() const { return serial_; }

    // Writes the list as `name` in the folder.
    void WriteList(const QString& name) const {
        QString text = QStringLiteral("# serial: %1\n# board: WORKED-EX\n")
                           .arg(QString::fromStdString(serial_));
        for (int k = 1; k <= faults_; ++k) {
            text += QStringLiteral("%1 # Fault %2\n").arg(QLatin1String(ShapeOf(k).Line)).arg(k);
        }
        QFile file(QDir(folder_).filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(text.toUtf8());
        }
    }

    // Opens the board and the list `name` (written first) as operator `who`.
    QString Opening(const QString& name, const QString& who) const {
        WriteList(name);
        return QStringLiteral("operator %1\nopen %2\nreport %3\n")
            .arg(who, QDir(folder_).filePath(QStringLiteral("worked.brd")),
                 QDir(folder_).filePath(name));
    }

    // Ticks faults [from, to] with OK in the Repair window, each with its own comment.
    static QString Ticks(int from, int to) {
        QString script;
        for (int k = from; k <= to; ++k) {
            script += QStringLiteral("tick %1\ncomment note %1\nok\n").arg(k);
        }
        return script;
    }

    // The record fault `fault` of list `list` ticked by `who` leaves (but for its id and times).
    RepairRecord Expected(int fault, const std::string& list, const std::string& who) const {
        const FaultShape& shape = ShapeOf(fault);
        const std::string line = shape.Line;
        RepairRecord r;
        r.Serial = serial_;
        r.Board = "WORKED-EX";
        r.BoardFile = "worked.brd";
        r.ReportFile = list;
        r.Fault = fault;
        r.Kind = line.substr(0, line.find(' '));
        r.Lines = line;
        r.Description = "Fault " + std::to_string(fault);
        r.Nets = shape.Nets;
        r.Probes = shape.Probes;
        r.Action = "Replaced";
        r.Result = "RepairSuccessful";
        r.Refdes = shape.Refdes;
        r.Comment = "note " + std::to_string(fault);
        r.Operator = who;
        r.Bench = BenchName().toStdString();
        r.Version = DORVIK_VERSION;
        return r;
    }

private:
    QString folder_;
    std::string serial_;
    int faults_;
};

// The record without what differs between two runs of the same tick: its id and its times.
inline RepairRecord Timeless(RepairRecord r) {
    r.Id.clear();
    r.Recorded = 0;
    r.Shown = 0;
    return r;
}

// Every record of a log, by id; a second copy of an id would show as a count above one.
inline std::map<std::string, RepairRecord> AllRecords(RecordStore& store, QString& error,
                                                      std::size_t* rows = nullptr) {
    std::map<std::string, RepairRecord> records;
    std::size_t seen = 0;
    store.ForEach(
        0, INT64_MAX,
        [&](const RepairRecord& r) {
            ++seen;
            records.emplace(r.Id, r);
        },
        error);
    if (rows != nullptr) {
        *rows = seen;
    }
    return records;
}

// The parts, nets and probes each record names, as the log's item table holds them.
inline std::map<std::string, std::set<std::string>> AllItems(QSqlDatabase& db) {
    std::map<std::string, std::set<std::string>> items;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT record_id, item, name FROM repair_item"))) {
        while (query.next()) {
            items[query.value(0).toString().toStdString()].insert(
                query.value(1).toString().toStdString() + ':' +
                query.value(2).toString().toStdString());
        }
    }
    return items;
}

// What the item table has to hold for the record: nothing half-written.
inline std::set<std::string> ItemsOf(const RepairRecord& r) {
    std::set<std::string> items;
    for (const auto& [kind, words] : {std::pair<const char*, const std::string*>{"part", &r.Refdes},
                                      {"net", &r.Nets},
                                      {"probe", &r.Probes}}) {
        for (const std::string& name : SplitAtBlanks(*words)) {
            items.insert(std::string(kind) + ':' + name);
        }
    }
    return items;
}

// SQLite's own check of the whole file, read through a connection of its own.
inline QString IntegrityOf(const QString& path) {
    QString answer;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            answer = query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next()
                         ? query.value(0).toString()
                         : query.lastError().text();
        } else {
            answer = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
    return answer;
}

} // namespace dorvik::test
