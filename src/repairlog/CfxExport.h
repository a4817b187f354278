#pragma once
// Records as JSON Lines of IPC-CFX messages: one UnitsRepaired envelope per unit visit, holding
// the visit's standing repairs (neither reversals nor reversed). A visit whose repairs were all
// reversed gives no message. Records come in time order and visits are written as they close
// (see OpenVisits), so the whole log is never held; what is reversed is known beforehand, as
// a reversal may come long after the repair it cancels.

#include "repairlog/ExportSink.h"
#include "repairlog/OpenVisits.h"

#include <cstdint>
#include <string>
#include <unordered_set>

namespace dorvik {

class CfxExport final {
public:
    // `reversed`: the ids the log's reversals cancel (RecordStore::ReversedIds).
    CfxExport(ExportSink sink, std::unordered_set<std::string> reversed);
    CfxExport(const CfxExport&) = delete; // its open visits call back into it
    CfxExport& operator=(const CfxExport&) = delete;

    // Records oldest first.
    void Add(const RepairRecord& record);
    // Writes the visits still open; true when every message was written.
    bool Finish();

    std::int64_t Messages() const noexcept { return messages_; }

private:
    void Write(UnitVisit&& visit);

    ExportSink sink_;
    std::unordered_set<std::string> reversed_;
    OpenVisits open_;
    std::int64_t messages_ = 0;
};

} // namespace dorvik
