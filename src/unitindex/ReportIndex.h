#pragma once
// The reports of the report folders by unit: per serial, its reports newest first. Kept in memory
// for the lookup of a scan; it holds a few hundred bytes per report, never a report's text.

#include "unitindex/IndexedReport.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dorvik {

class ReportIndex {
public:
    // Puts the report in, replacing what the index held for its path (also under another serial).
    void Put(IndexedReport report);
    // Takes out the report at `path`; nothing when there is none.
    void Remove(const std::string& path);
    // Takes out every report whose path lies in `folder` or below it.
    void RemoveUnder(const std::string& folder);

    // The unit's reports, newest first; `serial` is compared after trimming its blanks, exactly.
    std::vector<IndexedReport> ReportsOf(std::string_view serial) const;
    // The report at `path`, or nullptr.
    const IndexedReport* At(const std::string& path) const;

    std::size_t Size() const noexcept { return byPath_.size(); }

private:
    std::unordered_map<std::string, IndexedReport> byPath_;
    // serial -> paths, newest first
    std::unordered_map<std::string, std::vector<std::string>> bySerial_;
};

} // namespace dorvik
