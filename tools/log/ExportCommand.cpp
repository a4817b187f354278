// dorvik-log export --csv|--cfx [--since DAY] [--until DAY] [-o FILE]. A file is written through
// QSaveFile: it appears, whole, only once the export succeeded.

#include "log/CommandLine.h"
#include "log/DayRange.h"
#include "log/Tool.h"
#include "repairlog/CfxExport.h"
#include "repairlog/CsvExport.h"

#include <QSaveFile>

#include <optional>

namespace dorvik::logtool {
namespace {

enum class Form { Csv, Cfx };

struct ExportOptions {
    std::optional<Form> As;
    DayRange Days;
    std::optional<QString> Output;
};

// The options, or nothing with the reason.
std::optional<ExportOptions> Parse(const QStringList& args, QString& error) {
    ExportOptions options;
    for (qsizetype at = 0; at < args.size() && error.isEmpty(); ++at) {
        const QString& arg = args[at];
        if (arg == QLatin1String("--csv") || arg == QLatin1String("--cfx")) {
            const Form form = arg == QLatin1String("--csv") ? Form::Csv : Form::Cfx;
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

// Writes the records of the span; false, with the reason, when the log could not be read.
bool Write(RecordStore& store, Form form, const DayRange::Span& span, ExportSink sink,
           bool& written, QString& error) {
    if (form == Form::Csv) {
        CsvExport csv(sink);
        const bool read = store.ForEach(
            span.FromMs, span.UntilMs, [&](const RepairRecord& r) { csv.Add(r); }, error);
        written = csv.Good();
        return read;
    }
    auto reversed = store.ReversedIds(error);
    if (!reversed) {
        return false;
    }
    CfxExport cfx(sink, std::move(*reversed));
    const bool read = store.ForEach(
        span.FromMs, span.UntilMs, [&](const RepairRecord& r) { cfx.Add(r); }, error);
    written = cfx.Finish();
    return read;
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
    std::optional<QSaveFile> file;
    if (options->Output) {
        file.emplace(*options->Output);
        if (!file->open(QIODevice::WriteOnly)) {
            return tool.Fail(QStringLiteral("%1 cannot be written: %2")
                                 .arg(*options->Output, file->errorString()));
        }
    }
    bool written = false;
    const ExportSink sink = file ? ExportSink(*file) : ExportSink(tool.Out);
    if (!Write(*store, *options->As, *span, sink, written, error)) {
        return tool.Fail(error); // the file, never committed, is not left behind
    }
    if (file && (!written || !file->commit())) {
        return tool.Fail(
            QStringLiteral("%1 cannot be written: %2").arg(*options->Output, file->errorString()));
    }
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
