#pragma once
// What fails on a board type, counted from the repair log by the database itself (grouped
// queries, the same SQL on SQLite and PostgreSQL): the Pareto of parts, nets, probes, actions or
// operators, and the line's figures. Only repairs that stand count: neither reversals nor the
// repairs they reverse. The log is only read.

#include "repairlog/RecordStore.h"

#include <QString>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

// The records counted: those of one board name, recorded within [FromMs, UntilMs).
struct FigureScope {
    std::string Board;
    std::int64_t FromMs = std::numeric_limits<std::int64_t>::min();
    std::int64_t UntilMs = std::numeric_limits<std::int64_t>::max();
};

enum class ParetoBy { Part, Net, Probe, Action, Operator };

// "part", "net", "probe", "action", "operator".
std::string_view ParetoByName(ParetoBy by) noexcept;
std::optional<ParetoBy> ParetoByNamed(std::string_view name) noexcept;

struct ParetoRow {
    std::string Name;
    std::int64_t Count = 0;
    double Cumulative = 0; // percent of all counts, running, this row's included
};

// Highest count first, ties by name (byte order, so that both databases agree). A record counts
// once for each part (its reference designators), net or probe it names, or once for its action
// or operator.
std::optional<std::vector<ParetoRow>> CountPareto(RecordStore& log, const FigureScope& scope,
                                                  ParetoBy by, QString& error);

struct LineFigures {
    std::int64_t Units = 0;       // serials repaired (records without a serial are no unit)
    std::int64_t Repairs = 0;     // repairs that stand
    double RepeatRate = 0;        // percent of the units with more than one repair visit
    double NffRate = 0;           // percent of the repairs that found no fault
    std::int64_t MttrSeconds = 0; // mean from the fault shown to the repair recorded, rounded

    bool operator==(const LineFigures&) const = default;
};

std::optional<LineFigures> CountFigures(RecordStore& log, const FigureScope& scope, QString& error);

} // namespace dorvik
