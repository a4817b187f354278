// dorvik-log check: one line per finding, nothing for a sound log; exit 1 with findings.

#include "log/CommandLine.h"
#include "log/Tool.h"
#include "repairlog/LogCheck.h"

#include <ostream>

namespace dorvik::logtool {

int Check(const Tool& tool, const QStringList& args) {
    if (!args.isEmpty()) {
        return tool.UsageError(QStringLiteral("check takes no arguments"));
    }
    const std::unique_ptr<RecordStore> store = tool.OpenForReading();
    if (store == nullptr) {
        return ExitError;
    }
    QString error;
    const auto findings = CheckLog(*store, error);
    if (!findings) {
        return tool.Fail(error);
    }
    for (const std::string& finding : *findings) {
        tool.Out << finding << '\n';
    }
    return tool.Finished(findings->empty() ? ExitOk : ExitFindings);
}

} // namespace dorvik::logtool
