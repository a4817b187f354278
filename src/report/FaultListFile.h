#pragma once
// Dorvik's own fault list file: one fault line per line, read into a list and written back with
// the repaired ticks, so that a repair can go on later or at another bench.

#include "report/BoardLookup.h"
#include "report/ReportResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

// Reads the lines of a fault list into `result` (kind, unit, list, skipped lines).
void ReadFaultListLines(const std::vector<std::string_view>& lines, const BoardLookup& board,
                        ReportResult& result);

// The list as a fault list file: the unit's notes first ("# serial: …", "# board: …",
// "# tested: …", each when known), then each line with its description, the first line of a
// repaired fault marked "[x]", the further lines of a fault marked "+", and "# kind: …" before
// the first line of a fault whose kind is not that line's keyword. LF line ends.
std::string WriteFaultList(const FaultList& list, const ReportUnit& unit);

// One selectable line as it is written in the file (the `faults` command prints these).
std::string SavedLineText(const FaultList& list, std::size_t k);

// "faults: N", then "fault K: LINE" for each selectable line, K from 1, each line ended by LF.
std::string FaultsListing(const FaultList& list);

// Whether a line reads as a fault line (used to recognise a fault list by its content).
bool IsFaultListLine(std::string_view line);

} // namespace dorvik
