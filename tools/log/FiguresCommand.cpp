// dorvik-log pareto --board NAME [--by part|net|probe|action|operator] [--since DAY] [--until DAY]
// and dorvik-log figures --board NAME [--since DAY] [--until DAY]: the line's figures for a board
// type, as the program's Pareto window gives them.

#include "linefigures/LineCounts.h"
#include "log/CommandLine.h"
#include "log/DayRange.h"
#include "log/Tool.h"

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

namespace dorvik::logtool {
namespace {

struct FigureOptions {
    std::optional<QString> Board;
    std::optional<ParetoBy> By;
    DayRange Days;
};

// The options of `command`; --by only where `takesBy`. Nothing, with the reason, when they are
// not right.
std::optional<FigureOptions> Parse(const char* command, bool takesBy, const QStringList& args,
                                   QString& error) {
    FigureOptions options;
    for (qsizetype at = 0; at < args.size() && error.isEmpty(); ++at) {
        const QString& arg = args[at];
        if (options.Days.Take(args, at, error)) {
            continue;
        }
        const bool isBoard = arg == QLatin1String("--board");
        const bool isBy = takesBy && arg == QLatin1String("--by");
        if (!isBoard && !isBy) {
            error = QStringLiteral("%1: unknown option %2").arg(QLatin1String(command), arg);
        } else if (at + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(arg);
        } else if (isBoard ? options.Board.has_value() : options.By.has_value()) {
            error = QStringLiteral("%1 is given twice").arg(arg);
        } else if (isBoard) {
            options.Board = args[++at];
        } else if (const auto by = ParetoByNamed(args[++at].toStdString())) {
            options.By = by;
        } else {
            error = QStringLiteral("--by takes part, net, probe, action or operator, not %1")
                        .arg(args[at]);
        }
    }
    if (error.isEmpty() && !options.Board) {
        error = QStringLiteral("%1 needs --board NAME").arg(QLatin1String(command));
    }
    return error.isEmpty() ? std::optional(options) : std::nullopt;
}

// A name as one field of a line: tabs and line ends a database may hold become blanks.
std::string OneLine(std::string name) {
    for (char& c : name) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return name;
}

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// What both commands start from: their options, the records they count and the log, opened to
// read. Nothing once the error is said, with the exit status in `status`.
struct Prepared {
    FigureOptions Options;
    FigureScope Scope;
    std::unique_ptr<RecordStore> Store;
};

std::optional<Prepared> Prepare(const Tool& tool, const char* command, bool takesBy,
                                const QStringList& args, int& status) {
    status = ExitError;
    QString error;
    std::optional<FigureOptions> options = Parse(command, takesBy, args, error);
    if (!options) {
        status = tool.UsageError(error);
        return std::nullopt;
    }
    const auto span = options->Days.Milliseconds(error);
    if (!span) {
        status = tool.Fail(error);
        return std::nullopt;
    }
    std::unique_ptr<RecordStore> store = tool.OpenForReading();
    if (store == nullptr) {
        return std::nullopt;
    }
    FigureScope scope{options->Board->toStdString(), span->FromMs, span->UntilMs};
    return Prepared{std::move(*options), std::move(scope), std::move(store)};
}

} // namespace

int Pareto(const Tool& tool, const QStringList& args) {
    int status = ExitError;
    const std::optional<Prepared> prepared = Prepare(tool, "pareto", true, args, status);
    if (!prepared) {
        return status;
    }
    QString error;
    const auto rows = CountPareto(*prepared->Store, prepared->Scope,
                                  prepared->Options.By.value_or(ParetoBy::Part), error);
    if (!rows) {
        return tool.Fail(error);
    }
    for (const ParetoRow& row : *rows) {
        tool.Out << OneLine(row.Name) << '\t' << row.Count << '\t' << OneDecimal(row.Cumulative)
                 << '\n';
    }
    return tool.Finished(ExitOk);
}

int Figures(const Tool& tool, const QStringList& args) {
    int status = ExitError;
    const std::optional<Prepared> prepared = Prepare(tool, "figures", false, args, status);
    if (!prepared) {
        return status;
    }
    QString error;
    const auto figures = CountFigures(*prepared->Store, prepared->Scope, error);
    if (!figures) {
        return tool.Fail(error);
    }
    tool.Out << "units\t" << figures->Units << "\nrepairs\t" << figures->Repairs
             << "\nrepeat_rate\t" << OneDecimal(figures->RepeatRate) << "\nnff_rate\t"
             << OneDecimal(figures->NffRate) << "\nmttr_seconds\t" << figures->MttrSeconds << '\n';
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
