#include "shell/CommandLine.h"

namespace dorvik {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg == QLatin1String("--help")) {
            line.Help = true;
        } else if (!optionsEnded && arg == QLatin1String("--script")) {
            if (line.Script) {
                line.Error = QStringLiteral("--script given twice");
                return line;
            }
            if (i + 1 >= arguments.size()) {
                line.Error = QStringLiteral("--script needs a FILE");
                return line;
            }
            line.Script = arguments[++i];
        } else if (!optionsEnded && arg == QLatin1String("--report")) {
            if (line.Report) {
                line.Error = QStringLiteral("--report given twice");
                return line;
            }
            if (i + 1 >= arguments.size()) {
                line.Error = QStringLiteral("--report needs a REPORT");
                return line;
            }
            line.Report = arguments[++i];
        } else if (!optionsEnded && arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            line.Error = QStringLiteral("unknown option %1").arg(arg);
            return line;
        } else if (line.Board) {
            line.Error = QStringLiteral("more than one BOARD given");
            return line;
        } else {
            line.Board = arg;
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: dorvik [--script FILE] [--report REPORT] [BOARD]\n"
        "Shows a board file of the in-circuit test fixture and marks faults on it.\n"
        "\n"
        "  BOARD          open this board file after start-up, as File > Open File does\n"
        "  --report REPORT  then read this tester's report or fault list, as File > Open\n"
        "                 Report does\n"
        "  --script FILE  then run the commands of FILE, one per line (- reads standard input)\n"
        "  --help         show this text and exit\n");
}

} // namespace dorvik
