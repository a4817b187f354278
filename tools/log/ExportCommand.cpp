// dorvik-log export --csv|--cfx [--since DAY] [--until DAY] [-o FILE]. A file appears, whole, only
// once the export succeeded (see OutputFile).

#include "log/CommandLine.h"
#include "log/DayRange.h"
#include "log/OutputFile.h"
#include "log/Tool.h"
#include "repairlog/LogExport.h"

#include <optional>

namespace dorvik::logtool {
namespace {

struct ExportOptions {
    std::optional<ExportForm> As;
    DayRange Days;
    std::optional<QString> Output;
};

// The options, or nothing with the reason.
std::optional<ExportOptions> Parse(const QStringList& args, QString& error) {
    ExportOptions options;
    for (qsizetype at = 0; at < args.size() && error.isEmpty(); ++at) {
        const QString& arg = args[at];
        if (arg == QLatin1String("--csv") || arg == QLatin1String("--cfx")) {
            const ExportForm form =
                arg == QLatin1String("--csv") ? ExportForm::Csv : ExportForm::Cfx;
            if (options.As && *options.As != form) {
                error = QStringLiteral("export takes one of --csv and --cfx");
            }
            options.As = form;
        } else if (options.Days.Take(args, at, error)) {
            continue;
        } else if (arg == QLatin1String("-o")) {
            if (at + 1 >= args.size() || args[at + 1].isEmpty()) {
                error = QStringLiteral("-o needs a FILE");
            } else if (options.Output) {
                error = QStringLiteral("-o is given twice");
            } else {
                options.Output = args[++at];
            }
        } else {
            error = QStringLiteral("export: unknown option %1").arg(arg);
        }
    }
    if (error.isEmpty() && !options.As) {
        error = QStringLiteral("export takes --csv or --cfx");
    }
    return error.isEmpty() ? std::optional(options) : std::nullopt;
}

} // namespace

int Export(const Tool& tool, const QStringList& args) {
    QString error;
    const std::optional<ExportOptions> options = Parse(args, error);
    if (!options) {
        return tool.UsageError(error);
    }
    const auto span = options->Days.Milliseconds(error);
    if (!span) {
        return tool.Fail(error);
    }
    const std::unique_ptr<RecordStore> store = tool.OpenForReading();
    if (store == nullptr) {
        return ExitError;
    }
    std::optional<OutputFile> file;
    if (options->Output) {
        file.emplace(*options->Output);
        if (!file->Open(error)) {
            return tool.Fail(error);
        }
    }
    const ExportSink sink = file ? ExportSink(file->Device()) : ExportSink(tool.Out);
    const std::optional<Exported> exported =
        ExportLog(*store, *options->As, span->FromMs, span->UntilMs, sink, error);
    if (!exported) {
        return tool.Fail(error); // a file never committed is not left behind
    }
    if (file && !file->Commit(error)) {
        return tool.Fail(error);
    }
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
