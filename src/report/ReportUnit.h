#pragma once
// The unit a report is about, as the report states it: the board's serial, the board's name and
// when it was tested. Kept with a saved fault list so that the list still says which unit it is.

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvik {

struct ReportUnit {
    // UTF-8 texts, each empty when the report does not say.
    std::string Serial;
    std::string Board;
    // Local time of the test, "YYYY-MM-DDTHH:MM:SS" (no zone; reports state none).
    std::string Tested;

    bool operator==(const ReportUnit&) const = default;
};

// The most bytes a unit's text keeps.
inline constexpr std::size_t MaxUnitTextBytes = 128;

// What a report says as a unit's text: see OneLineText.
std::string UnitText(std::string_view said);

// The time as ReportUnit::Tested writes it, from the date's digits YYYYMMDD and the time's
// HHMMSS; empty when they are not such digits or name no real date and time (a 30th of
// February, 24:00:00).
std::string TestedText(std::string_view date, std::string_view time);

// Whether a text is a time as TestedText writes it.
bool IsTestedText(std::string_view text);

} // namespace dorvik
