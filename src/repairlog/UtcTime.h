#pragma once
// Times of the repair log: milliseconds since 1970 UTC, written as ISO 8601 with milliseconds and
// a Z, so that the text sorts as the time does in every database.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvik {

std::int64_t NowUtcMs();

// "2026-12-11T04:05:06.789Z".
std::string IsoUtc(std::int64_t ms);

// "YYYY-MM-DD" (a real day) to the first millisecond of that day, UTC.
std::optional<std::int64_t> DayStartUtc(std::string_view day);

// "YYYY-MM-DDTHH:MM:SS.mmmZ" back to milliseconds; nothing when it is not that form.
std::optional<std::int64_t> ParseIsoUtc(std::string_view text);

inline constexpr std::int64_t MsPerDay = 86'400'000;

} // namespace dorvik
