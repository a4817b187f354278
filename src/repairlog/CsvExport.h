#pragma once
// Records as RFC 4180 CSV: a header row of the column names, then a row per record, a field in
// double quotes only when it holds a comma, a quote, a CR or an LF (quotes doubled), CRLF after
// every row, UTF-8 without a byte order mark. Written record by record; nothing is kept.

#include "repairlog/ExportSink.h"
#include "repairlog/RepairRecord.h"

#include <string>
#include <string_view>

namespace dorvik {

// One field as CSV writes it.
std::string CsvField(std::string_view value);

class CsvExport final {
public:
    // Writes the header row.
    explicit CsvExport(ExportSink sink);

    bool Add(const RepairRecord& record);
    // Whether every row so far was written.
    bool Good() const noexcept { return sink_.Good(); }

private:
    template <class Values> bool Row(const Values& values);

    ExportSink sink_;
    std::string row_; // reused from row to row
};

} // namespace dorvik
