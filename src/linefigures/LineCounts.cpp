#include "linefigures/LineCounts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace dorvik {
namespace {

constexpr std::array<std::pair<ParetoBy, std::string_view>, 5> ByNames{{
    {ParetoBy::Part, "part"},
    {ParetoBy::Net, "net"},
    {ParetoBy::Probe, "probe"},
    {ParetoBy::Action, "action"},
    {ParetoBy::Operator, "operator"},
}};

// The repairs `r` of the scope that stand: of the board, in the period, no reversal and not
// reversed.
constexpr char StandingTerms[] =
    " r.board = ? AND r.recorded_ms >= ? AND r.recorded_ms < ?"
    " AND r.reverses = ''"
    " AND NOT EXISTS (SELECT 1 FROM repair_record v WHERE v.reverses = r.id)";

QString Standing() {
    return QStringLiteral(" WHERE") + QString::fromLatin1(StandingTerms);
}

// A unit's visit as the unit panel counts visits: the report file and the time it states, else
// the bench and the UTC day of the record.
constexpr char VisitKey[] =
    "CASE WHEN r.report_file <> ''"
    " THEN 'report ' || r.report_file || ' ' || r.report_tested"
    " ELSE 'bench ' || r.bench || ' ' || CAST(r.recorded_ms / 86400000 AS TEXT)"
    " END";

bool Run(QSqlQuery& query, const QString& statement, const FigureScope& scope, QString& error,
         const QString& first = {}) {
    if (!query.prepare(statement)) {
        error = query.lastError().text();
        return false;
    }
    if (!first.isNull()) {
        query.addBindValue(first);
    }
    query.addBindValue(QString::fromStdString(scope.Board));
    query.addBindValue(static_cast<qlonglong>(scope.FromMs));
    query.addBindValue(static_cast<qlonglong>(scope.UntilMs));
    if (!query.exec()) {
        error = query.lastError().text();
        return false;
    }
    return true;
}

double Percent(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

} // namespace

std::string_view ParetoByName(ParetoBy by) noexcept {
    for (const auto& [value, name] : ByNames) {
        if (value == by) {
            return name;
        }
    }
    return {};
}

std::optional<ParetoBy> ParetoByNamed(std::string_view name) noexcept {
    for (const auto& [value, named] : ByNames) {
        if (named == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<ParetoRow>> CountPareto(RecordStore& log, const FigureScope& scope,
                                                  ParetoBy by, QString& error) {
    QSqlQuery query(log.Database());
    query.setForwardOnly(true);
    bool ran = false;
    if (by == ParetoBy::Action || by == ParetoBy::Operator) {
        const QString column =
            by == ParetoBy::Action ? QStringLiteral("r.action") : QStringLiteral("r.operator");
        ran = Run(query,
                  QStringLiteral("SELECT %1, COUNT(*) FROM repair_record r%2 GROUP BY %1")
                      .arg(column, Standing()),
                  scope, error);
    } else {
        // The item's kind is bound first: it stands in the join, before the scope's values.
        const std::string_view kind = ParetoByName(by);
        // CROSS JOIN keeps SQLite to the board's records first, through the index that covers
        // them, rather than every part of every board; PostgreSQL plans it as any join.
        ran = Run(query,
                  QStringLiteral("SELECT i.name, COUNT(*) FROM repair_record r"
                                 " CROSS JOIN repair_item i WHERE i.record_id = r.id AND i.item = ?"
                                 " AND") +
                      QString::fromLatin1(StandingTerms) + QStringLiteral(" GROUP BY i.name"),
                  scope, error,
                  QString::fromLatin1(kind.data(), static_cast<qsizetype>(kind.size())));
    }
    if (!ran) {
        return std::nullopt;
    }
    std::vector<ParetoRow> rows;
    std::int64_t total = 0;
    while (query.next()) {
        ParetoRow row;
        row.Name = query.value(0).toString().toStdString();
        row.Count = query.value(1).toLongLong();
        total += row.Count;
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) {
        error = query.lastError().text();
        return std::nullopt;
    }
    std::sort(rows.begin(), rows.end(), [](const ParetoRow& a, const ParetoRow& b) {
        return a.Count != b.Count ? a.Count > b.Count : a.Name < b.Name;
    });
    std::int64_t running = 0;
    for (ParetoRow& row : rows) {
        running += row.Count;
        row.Cumulative = Percent(running, total);
    }
    return rows;
}

std::optional<LineFigures> CountFigures(RecordStore& log, const FigureScope& scope,
                                        QString& error) {
    QSqlQuery totals(log.Database());
    totals.setForwardOnly(true);
    if (!Run(totals,
             QStringLiteral("SELECT COUNT(*),"
                            " COUNT(DISTINCT CASE WHEN r.serial <> '' THEN r.serial END),"
                            " SUM(CASE WHEN r.action = 'No fault found' THEN 1 ELSE 0 END),"
                            " AVG(r.recorded_ms - r.shown_ms) FROM repair_record r") +
                 Standing(),
             scope, error) ||
        !totals.next()) {
        if (error.isEmpty()) {
            error = totals.lastError().text();
        }
        return std::nullopt;
    }
    LineFigures figures;
    figures.Repairs = totals.value(0).toLongLong();
    figures.Units = totals.value(1).toLongLong();
    figures.NffRate = Percent(totals.value(2).toLongLong(), figures.Repairs);
    figures.MttrSeconds =
        figures.Repairs == 0 ? 0 : std::llround(totals.value(3).toDouble() / 1000.0);

    QSqlQuery repeats(log.Database());
    repeats.setForwardOnly(true);
    if (!Run(repeats,
             QStringLiteral("SELECT COUNT(*) FROM (SELECT r.serial FROM repair_record r") +
                 Standing() +
                 QStringLiteral(" AND r.serial <> '' GROUP BY r.serial HAVING COUNT(DISTINCT ") +
                 QString::fromLatin1(VisitKey) + QStringLiteral(") > 1) repeated"),
             scope, error) ||
        !repeats.next()) {
        if (error.isEmpty()) {
            error = repeats.lastError().text();
        }
        return std::nullopt;
    }
    figures.RepeatRate = Percent(repeats.value(0).toLongLong(), figures.Units);
    return figures;
}

} // namespace dorvik
