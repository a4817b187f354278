#pragma once
// The times of the unit index's files: a file's modification time in ms since 1970 (UTC), and
// the local time the index writes for a report that states none.

#include <cstdint>
#include <string>

#include <sys/stat.h>

namespace dorvik {

std::int64_t ModifiedMsOf(const struct stat& info) noexcept;

// "YYYY-MM-DDTHH:MM:SS" in local time, as reports state the time of a test.
std::string LocalTimeText(std::int64_t ms);

} // namespace dorvik
