#include "shell/UnitScript.h"

#include "shell/MainWindow.h"
#include "shell/ScriptChecks.h"
#include "shell/UnitCommands.h"
#include "unitui/UnitReports.h"
#include "unitwatch/ReportIndexService.h"

namespace dorvik {
namespace {

constexpr int IndexWaitMs = 60'000;

} // namespace

void RunUnitCommand(TForm1& form, const ScriptCommand& command, QWidget* modal,
                    const std::function<void(const std::string&)>& print) {
    UnitCommands& units = form.Units();
    switch (command.Verb) {
    case ScriptVerb::UnitReports: {
        const std::vector<IndexedReport>& reports = units.Reports().Reports();
        print("unitreports: " + std::to_string(reports.size()));
        for (const IndexedReport& report : reports) {
            print("report: " + report.Path + '\t' + report.Time);
        }
        return;
    }
    case ScriptVerb::WaitIndex:
        RequireMainWindow(modal, "waitindex");
        if (!units.Index().WaitUntilComplete(IndexWaitMs)) {
            throw ScriptFailure(QStringLiteral("the report folders were not read within %1 s")
                                    .arg(IndexWaitMs / 1000));
        }
        print("index: " + std::to_string(units.Index().Size()));
        return;
    default:
        throw ScriptFailure(QStringLiteral("not a command of the report folders"));
    }
}

} // namespace dorvik
