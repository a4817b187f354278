// dorvik-log history SERIAL: the unit's records, oldest first, tab-separated under a line of the
// column names.

#include "log/CommandLine.h"
#include "log/Tool.h"

#include <ostream>

namespace dorvik::logtool {

int History(const Tool& tool, const QStringList& args) {
    if (args.size() != 1) {
        return tool.UsageError(QStringLiteral("history takes one SERIAL"));
    }
    const std::unique_ptr<RecordStore> store = tool.OpenForReading();
    if (store == nullptr) {
        return ExitError;
    }
    QString error;
    const auto records = store->History(args[0], error);
    if (!records) {
        return tool.Fail(error);
    }
    tool.Out << TabSeparatedHeader() << '\n';
    for (const RepairRecord& record : *records) {
        tool.Out << TabSeparated(record) << '\n';
    }
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
