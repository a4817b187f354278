#pragma once
// Gathers the unit visits of repairs that come in time order, holding a visit only while it may
// still grow: once no repair of it came for `idleMs`, or when more than `most` visits are open (the
// one idle longest first), it is handed on, and so is every visit at the end. Memory stays bounded
// by the visits of the idle span, never the whole log.

#include "repairlog/CfxMessage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>

namespace dorvik {

class OpenVisits final {
public:
    using Closed = std::function<void(UnitVisit&&)>;

    // A unit that waits a week for a part still makes one visit.
    static constexpr std::int64_t DefaultIdleMs = 7 * 86'400'000LL;
    static constexpr std::size_t DefaultMost = 100'000;

    explicit OpenVisits(Closed closed, std::int64_t idleMs = DefaultIdleMs,
                        std::size_t most = DefaultMost);

    // A standing repair, not older than any added before it.
    void Add(const RepairRecord& repair);
    // Hands on every visit still open, the one idle longest first.
    void CloseAll();

    std::size_t Open() const noexcept { return byKey_.size(); }

private:
    struct Entry {
        std::string Key;
        std::int64_t LastMs = 0;
        UnitVisit Visit;
    };
    void CloseFront();

    Closed closed_;
    std::int64_t idleMs_;
    std::size_t most_;
    std::list<Entry> byLastRepair_; // idle longest first
    std::unordered_map<std::string, std::list<Entry>::iterator> byKey_;
};

} // namespace dorvik
