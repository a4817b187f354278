#pragma once
// The text failure ticket of a Keysight 3070 tester: shorts and opens of the shorts test, failed
// opens of the pins test, TestJet opens, and failed analog devices.

#include "report/BoardLookup.h"
#include "report/ReportResult.h"

#include <string_view>
#include <vector>

namespace dorvik {

// Whether the text reads as such a ticket: one of its report or failure headings is there.
bool LooksLikeKeysight3070Ticket(const std::vector<std::string_view>& lines);

void TranslateKeysight3070Ticket(const std::vector<std::string_view>& lines,
                                 const BoardLookup& board, ReportResult& result);

} // namespace dorvik
