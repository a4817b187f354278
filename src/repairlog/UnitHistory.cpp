#include "repairlog/UnitHistory.h"

#include "repairlog/FaultFacts.h"
#include "repairlog/UtcTime.h"
#include "report/TextLines.h"

#include <algorithm>

namespace dorvik {

std::string VisitOf(std::string_view reportFile, std::string_view reportTested,
                    std::string_view bench, std::int64_t nowMs) {
    if (!reportFile.empty()) {
        return "report " + std::string(reportFile) + " " + std::string(reportTested);
    }
    return "bench " + std::string(bench) + " " + IsoUtc(nowMs).substr(0, 10);
}

std::string VisitOf(const RepairRecord& record) {
    return VisitOf(record.ReportFile, record.ReportTested, record.Bench, record.Recorded);
}

UnitHistory::UnitHistory(std::vector<RepairRecord> records) : records_(std::move(records)) {
    std::stable_sort(records_.begin(), records_.end(),
                     [](const RepairRecord& a, const RepairRecord& b) {
                         return a.Recorded != b.Recorded ? a.Recorded < b.Recorded : a.Id < b.Id;
                     });
    for (const RepairRecord& record : records_) {
        Index(record);
    }
}

void UnitHistory::Add(RepairRecord record) {
    Index(record);
    records_.push_back(std::move(record));
}

void UnitHistory::Index(const RepairRecord& record) {
    if (record.IsReversal()) {
        reversed_.insert(record.Reverses);
    }
}

bool UnitHistory::IsReversed(std::string_view id) const {
    return reversed_.count(std::string(id)) > 0;
}

bool UnitHistory::Stands(const RepairRecord& record) const {
    return !record.IsReversal() && !IsReversed(record.Id);
}

std::size_t UnitHistory::EarlierVisits(std::string_view current) const {
    std::unordered_set<std::string> visits;
    for (const RepairRecord& record : records_) {
        if (Stands(record)) {
            visits.insert(VisitOf(record));
        }
    }
    return visits.size() - visits.count(std::string(current));
}

bool UnitHistory::RepairedBefore(std::string_view part, std::string_view current) const {
    for (const RepairRecord& record : records_) {
        if (!Stands(record) || VisitOf(record) == current) {
            continue;
        }
        // The operator may have typed the name in another case than the board writes it.
        for (const std::string& named : SplitAtBlanks(record.Refdes)) {
            if (EqualsIgnoringCase(named, part)) {
                return true;
            }
        }
    }
    return false;
}

const RepairRecord* UnitHistory::StandingRepairOf(std::string_view current, std::int32_t fault,
                                                  std::string_view lines) const {
    const RepairRecord* found = nullptr;
    for (const RepairRecord& record : records_) {
        if (record.Fault == fault && record.Lines == lines && Stands(record) &&
            VisitOf(record) == current) {
            found = &record; // the newest, should a fault have been recorded twice
        }
    }
    return found;
}

} // namespace dorvik
