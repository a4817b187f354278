#include "repairlog/RepairRecord.h"

#include "repairlog/UtcTime.h"

namespace dorvik {
namespace {

std::string OnOneLine(std::string value) {
    for (char& c : value) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return value;
}

template <class Values> std::string JoinedByTabs(const Values& values) {
    std::string line;
    for (std::size_t k = 0; k < values.size(); ++k) {
        line += k == 0 ? "" : "\t";
        line += OnOneLine(std::string(values[k]));
    }
    return line;
}

} // namespace

std::array<std::string, RecordColumnCount> RecordValues(const RepairRecord& r) {
    return {r.Id,
            IsoUtc(r.Recorded),
            IsoUtc(r.Shown),
            r.Serial,
            r.Board,
            r.BoardFile,
            r.ReportFile,
            std::to_string(r.Fault),
            r.Kind,
            r.Lines,
            r.Description,
            r.Nets,
            r.Probes,
            r.Action,
            r.Result,
            r.Refdes,
            r.Comment,
            r.Operator,
            r.Bench,
            r.Version,
            r.Reverses};
}

std::string TabSeparated(const RepairRecord& record) {
    return JoinedByTabs(RecordValues(record));
}

std::string TabSeparatedHeader() {
    return JoinedByTabs(RecordColumns);
}

} // namespace dorvik
