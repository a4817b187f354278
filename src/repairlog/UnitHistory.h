#pragma once
// The repair history of one unit and the rules read from it: which repairs stand (neither a
// reversal nor reversed), the unit's repair visits, the parts repaired on an earlier visit, and
// the loop limit for a unit that keeps coming back.

#include "repairlog/RepairRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace dorvik {

// A repair visit: the records of one unit from one report (its file, and the test time it states
// when it states one), or, without a report, the records made at one bench on one day (UTC).
std::string VisitOf(const RepairRecord& record);
// The visit a record made now from this report at this bench would belong to.
std::string VisitOf(std::string_view reportFile, std::string_view reportTested,
                    std::string_view bench, std::int64_t nowMs);

// How many earlier visits make a unit a loop case, unless the operator sets another number.
inline constexpr int DefaultLoopLimit = 3;

class UnitHistory final {
public:
    UnitHistory() = default;
    // The records of one unit, in any order; kept oldest first (ties by id).
    explicit UnitHistory(std::vector<RepairRecord> records);

    const std::vector<RepairRecord>& Records() const noexcept { return records_; }
    // Adds a record just made (it is the newest).
    void Add(RepairRecord record);

    bool IsReversed(std::string_view id) const;
    // A repair that stands: not a reversal, and no reversal names it.
    bool Stands(const RepairRecord& record) const;

    // The visits with a standing repair, other than `current`.
    std::size_t EarlierVisits(std::string_view current) const;
    // Whether `part` was named by a standing repair of a visit other than `current`.
    bool RepairedBefore(std::string_view part, std::string_view current) const;
    // The standing repair of fault `fault` (from 1) with these lines in visit `current`.
    const RepairRecord* StandingRepairOf(std::string_view current, std::int32_t fault,
                                         std::string_view lines) const;

private:
    void Index(const RepairRecord& record);

    std::vector<RepairRecord> records_;
    std::unordered_set<std::string> reversed_;
};

inline bool IsLoop(std::size_t earlierVisits, int limit) noexcept {
    return limit > 0 && earlierVisits >= static_cast<std::size_t>(limit);
}

} // namespace dorvik
