#include "repairlog/LogExport.h"

#include "repairlog/CfxExport.h"
#include "repairlog/CsvExport.h"

namespace dorvik {
namespace {

// Hands every record of the span to the export; how many there were, or nothing when the log
// could not be read.
template <class Export>
std::optional<std::int64_t> Feed(RecordStore& store, std::int64_t fromMs, std::int64_t untilMs,
                                 Export& to, QString& error) {
    std::int64_t records = 0;
    const auto take = [&](const RepairRecord& r) {
        to.Add(r);
        ++records;
    };
    return store.ForEach(fromMs, untilMs, take, error) ? std::optional(records) : std::nullopt;
}

} // namespace

std::optional<Exported> ExportLog(RecordStore& store, ExportForm form, std::int64_t fromMs,
                                  std::int64_t untilMs, ExportSink sink, QString& error) {
    if (form == ExportForm::Csv) {
        CsvExport csv(sink);
        const auto records = Feed(store, fromMs, untilMs, csv, error);
        return records ? std::optional(Exported{*records, csv.Good()}) : std::nullopt;
    }
    // A reversal may come long after the span; what the log reverses is read first.
    auto reversed = store.ReversedIds(error);
    if (!reversed) {
        return std::nullopt;
    }
    CfxExport cfx(sink, std::move(*reversed));
    const auto records = Feed(store, fromMs, untilMs, cfx, error);
    const bool written = cfx.Finish();
    return records ? std::optional(Exported{*records, written}) : std::nullopt;
}

} // namespace dorvik
