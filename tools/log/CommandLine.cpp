#include "log/CommandLine.h"

#include "log/Tool.h"
#include "repairlog/LogSettings.h"

#include <ostream>

namespace dorvik::logtool {
namespace {

constexpr std::string_view UsageText =
    "Usage: dorvik-log [--db DATABASE] COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  history SERIAL  the unit's records, oldest first: a line of the column names, then\n"
    "                  one tab-separated line per record\n"
    "  export --csv [--since DAY] [--until DAY] [-o FILE]\n"
    "                  every record of the days given (UTC, both included), oldest first,\n"
    "                  as RFC 4180 CSV with a header row\n"
    "  export --cfx [--since DAY] [--until DAY] [-o FILE]\n"
    "                  the same as JSON Lines: one IPC-CFX UnitsRepaired message per unit\n"
    "                  visit, holding its repairs that were not reversed\n"
    "  send            send the bench's outbox to the line database; prints sent: N\n"
    "  check           one line per defect found in the log; nothing when it is sound\n"
    "  pareto --board NAME [--by part|net|probe|action|operator] [--since DAY] [--until DAY]\n"
    "                  what the board's repairs name, highest count first: NAME, COUNT and\n"
    "                  the running percentage, tab-separated (default --by part)\n"
    "  figures --board NAME [--since DAY] [--until DAY]\n"
    "                  units, repairs, repeat_rate, nff_rate (percent) and mttr_seconds of\n"
    "                  the board's repairs, one NAME<TAB>VALUE line each\n"
    "\n"
    "DATABASE is an SQLite file or a PostgreSQL connection (postgresql://..., postgres://...,\n"
    "or keyword=value settings), as DORVIK_REPAIR_LOG takes it. Without --db: the log the\n"
    "program uses (DORVIK_REPAIR_LOG, else File > Repair Log..., else the bench's own file).\n"
    "DAY is YYYY-MM-DD. Without -o, the export goes to standard output. Only send writes to\n"
    "the log; a missing SQLite file is never made.\n"
    "\n"
    "Exit status: 0 done, 1 check found something, 2 error.\n";

struct Entry {
    const char* Name;
    Command Run;
};

// The commands by name.
constexpr Entry Commands[] = {
    {"history", History}, {"export", Export}, {"send", Send},
    {"check", Check},     {"pareto", Pareto}, {"figures", Figures},
};

bool AsksForHelp(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string_view Usage() {
    return UsageText;
}

int RunLogTool(const QStringList& args, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(args)) {
        out << UsageText;
        out.flush();
        return out.good() ? ExitOk : ExitError;
    }
    qsizetype at = 0;
    QString database;
    bool databaseGiven = false;
    if (at < args.size() &&
        (args[at] == QLatin1String("--db") || args[at].startsWith(QLatin1String("--db=")))) {
        databaseGiven = true;
        database = args[at] == QLatin1String("--db") ? args.value(at + 1) : args[at].mid(5);
        at += args[at] == QLatin1String("--db") ? 2 : 1;
    }
    const Tool tool{databaseGiven ? ParseLogLocation(database, DefaultBenchFile())
                                  : ResolveLogLocation(StoredLogSetting()),
                    out, err};
    if (databaseGiven && database.trimmed().isEmpty()) {
        return tool.UsageError(QStringLiteral("--db needs a DATABASE"));
    }
    if (at >= args.size()) {
        return tool.UsageError(QStringLiteral("no command given"));
    }
    const QString command = args[at];
    for (const Entry& entry : Commands) {
        if (command == QLatin1String(entry.Name)) {
            return entry.Run(tool, args.mid(at + 1));
        }
    }
    return tool.UsageError(command.startsWith(u'-')
                               ? QStringLiteral("unknown option %1").arg(command)
                               : QStringLiteral("unknown command %1").arg(command));
}

} // namespace dorvik::logtool
