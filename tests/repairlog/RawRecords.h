#pragma once
// Rows put into a log's table directly, past the store and its rules, with a prepared statement:
// the defects that `check` must find.

#include "repairlog/RepairRecord.h"
#include "repairlog/UtcTime.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace dorvik::test {

inline QString InsertRaw(QSqlDatabase& db, const RepairRecord& r) {
    QSqlQuery query(db);
    query.prepare("INSERT INTO repair_record (id, recorded, recorded_ms, shown, shown_ms, serial,"
                  " board, board_file, report_file, fault, kind, lines, description, nets, probes,"
                  " action, result, refdes, comment, operator, bench, version, reverses) VALUES"
                  " (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    for (const QVariant& value : {QVariant(text(r.Id)),
                                  QVariant(text(IsoUtc(r.Recorded))),
                                  QVariant(qlonglong(r.Recorded)),
                                  QVariant(text(IsoUtc(r.Shown))),
                                  QVariant(qlonglong(r.Shown)),
                                  QVariant(text(r.Serial)),
                                  QVariant(text(r.Board)),
                                  QVariant(text(r.BoardFile)),
                                  QVariant(text(r.ReportFile)),
                                  QVariant(r.Fault),
                                  QVariant(text(r.Kind)),
                                  QVariant(text(r.Lines)),
                                  QVariant(text(r.Description)),
                                  QVariant(text(r.Nets)),
                                  QVariant(text(r.Probes)),
                                  QVariant(text(r.Action)),
                                  QVariant(text(r.Result)),
                                  QVariant(text(r.Refdes)),
                                  QVariant(text(r.Comment)),
                                  QVariant(text(r.Operator)),
                                  QVariant(text(r.Bench)),
                                  QVariant(text(r.Version)),
                                  QVariant(text(r.Reverses))}) {
        query.addBindValue(value);
    }
    return query.exec() ? QString() : query.lastError().text();
}

} // namespace dorvik::test
