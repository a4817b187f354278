#include "unitindex/ReportIndex.h"

#include "report/TextLines.h"
#include "unitindex/FolderPaths.h"

#include <algorithm>

namespace dorvik {
namespace {

// A scanner ends what it read with a line end; blanks around a serial are no part of it.
std::string_view ScannedSerial(std::string_view serial) noexcept {
    while (!serial.empty() && (serial.back() == '\n' || IsBlankChar(serial.back()))) {
        serial.remove_suffix(1);
    }
    while (!serial.empty() && (serial.front() == '\n' || IsBlankChar(serial.front()))) {
        serial.remove_prefix(1);
    }
    return serial;
}

} // namespace

void ReportIndex::Put(IndexedReport report) {
    Remove(report.Path);
    std::vector<std::string>& paths = bySerial_[report.Serial];
    const auto at = std::lower_bound(paths.begin(), paths.end(), report,
                                     [this](const std::string& path, const IndexedReport& r) {
                                         return NewerReport(byPath_.at(path), r);
                                     });
    paths.insert(at, report.Path);
    std::string path = report.Path;
    byPath_.emplace(std::move(path), std::move(report));
}

void ReportIndex::Remove(const std::string& path) {
    const auto found = byPath_.find(path);
    if (found == byPath_.end()) {
        return;
    }
    const auto serial = bySerial_.find(found->second.Serial);
    if (serial != bySerial_.end()) {
        std::erase(serial->second, path);
        if (serial->second.empty()) {
            bySerial_.erase(serial);
        }
    }
    byPath_.erase(found);
}

void ReportIndex::RemoveUnder(const std::string& folder) {
    std::vector<std::string> under;
    for (const auto& [path, report] : byPath_) {
        if (LiesUnder(path, folder)) {
            under.push_back(path);
        }
    }
    for (const std::string& path : under) {
        Remove(path);
    }
}

std::vector<IndexedReport> ReportIndex::ReportsOf(std::string_view serial) const {
    std::vector<IndexedReport> reports;
    const auto found = bySerial_.find(std::string(ScannedSerial(serial)));
    if (found == bySerial_.end()) {
        return reports;
    }
    reports.reserve(found->second.size());
    for (const std::string& path : found->second) {
        reports.push_back(byPath_.at(path));
    }
    return reports;
}

const IndexedReport* ReportIndex::At(const std::string& path) const {
    const auto found = byPath_.find(path);
    return found == byPath_.end() ? nullptr : &found->second;
}

} // namespace dorvik
