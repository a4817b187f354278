#include "repairlog/CsvExport.h"

namespace dorvik {
namespace {

void AppendField(std::string& row, std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        row += value;
        return;
    }
    row += '"';
    for (const char c : value) {
        row += c;
        if (c == '"') {
            row += '"';
        }
    }
    row += '"';
}

} // namespace

std::string CsvField(std::string_view value) {
    std::string field;
    AppendField(field, value);
    return field;
}

CsvExport::CsvExport(ExportSink sink) : sink_(sink) {
    Row(RecordColumns);
}

template <class Values> bool CsvExport::Row(const Values& values) {
    row_.clear();
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k > 0) {
            row_ += ',';
        }
        AppendField(row_, values[k]);
    }
    row_ += "\r\n";
    return sink_.Write(row_);
}

bool CsvExport::Add(const RepairRecord& record) {
    return Row(RecordValues(record));
}

} // namespace dorvik
