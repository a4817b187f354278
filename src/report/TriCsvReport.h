#pragma once
// The CSV failure file of a TRI tester: open and short lines of probe-number groups, and the
// rows of failed components.

#include "report/BoardLookup.h"
#include "report/ReportResult.h"

#include <string_view>
#include <vector>

namespace dorvik {

bool LooksLikeTriCsv(const std::vector<std::string_view>& lines);

void TranslateTriCsv(const std::vector<std::string_view>& lines, const BoardLookup& board,
                     ReportResult& result);

} // namespace dorvik
