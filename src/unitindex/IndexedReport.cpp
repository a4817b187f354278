#include "unitindex/IndexedReport.h"

namespace dorvik {

bool NewerReport(const IndexedReport& a, const IndexedReport& b) noexcept {
    if (a.Time != b.Time) {
        return a.Time > b.Time; // the form "YYYY-MM-DDTHH:MM:SS" sorts as the time does
    }
    if (a.ModifiedMs != b.ModifiedMs) {
        return a.ModifiedMs > b.ModifiedMs;
    }
    // Testers number their files upwards, so the larger name is the later one.
    return a.Path > b.Path;
}

} // namespace dorvik
