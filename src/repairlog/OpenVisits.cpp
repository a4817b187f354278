#include "repairlog/OpenVisits.h"

#include "repairlog/UnitHistory.h"

namespace dorvik {

OpenVisits::OpenVisits(Closed closed, std::int64_t idleMs, std::size_t most)
    : closed_(std::move(closed)), idleMs_(idleMs), most_(most < 1 ? 1 : most) {}

void OpenVisits::CloseFront() {
    Entry entry = std::move(byLastRepair_.front());
    byLastRepair_.pop_front();
    byKey_.erase(entry.Key);
    closed_(std::move(entry.Visit));
}

void OpenVisits::Add(const RepairRecord& repair) {
    while (!byLastRepair_.empty() && byLastRepair_.front().LastMs < repair.Recorded - idleMs_) {
        CloseFront();
    }
    std::string visit = VisitOf(repair);
    std::string key = repair.Serial;
    key += '\0';
    key += visit;
    auto found = byKey_.find(key);
    if (found == byKey_.end()) {
        if (byKey_.size() >= most_) {
            CloseFront();
        }
        byLastRepair_.push_back({key, repair.Recorded, {repair.Serial, std::move(visit), {}}});
        found = byKey_.emplace(std::move(key), std::prev(byLastRepair_.end())).first;
    } else {
        // Still in order: this repair is the newest of all.
        byLastRepair_.splice(byLastRepair_.end(), byLastRepair_, found->second);
        found->second->LastMs = repair.Recorded;
    }
    found->second->Visit.Repairs.push_back(repair);
}

void OpenVisits::CloseAll() {
    while (!byLastRepair_.empty()) {
        CloseFront();
    }
}

} // namespace dorvik
