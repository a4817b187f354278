#pragma once
// The translation rules shared by the tester reports: nodes to nails or nets, devices to parts,
// and faults that name more than a window holds split into several lines.

#include "report/BoardLookup.h"
#include "report/FaultList.h"
#include "report/ReportResult.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

// A node the tester named, with what it said about it ("BRC 20375, 4 ohms").
struct NamedNode {
    std::string Name;
    std::string Detail;
};

// A device and one of its pins as the tester named them ("qg19%qf1", "G"); Pin may be empty.
struct NamedPin {
    std::string Device;
    std::string Pin;
};

// The device a tester's name stands for: "qg19%qf1" is device qg19 with subtest qf1, "2%u5" is
// device u5 of board 2 of a panel.
std::string DeviceOf(std::string_view testerName);

// Open or short lines over probe numbers in the order given, each number once: the first with
// the others two at a time.
std::vector<FaultLine> ProbeLines(LineKind kind, const std::vector<std::int32_t>& probes);

// Open or short lines over named nodes: each node becomes the Number of its nail; the nails
// become ProbeLines; a node without a nail becomes a line "net NODE". Each line's description
// names the nodes it carries with their details.
std::vector<FaultLine> NodeLines(LineKind kind, const std::vector<NamedNode>& nodes,
                                 const BoardLookup& board);

// Component entries for device pins, a part once with its numbered pins ("U5,3,7"); a device
// not on the board keeps its name. Pins that are not numbers (BGA balls, "G", "C") name the
// part alone; they are listed in `notes` ("qh2.G").
std::vector<std::string> CompEntries(const std::vector<NamedPin>& pins, const BoardLookup& board,
                                     std::vector<std::string>& notes);

// Comp lines holding the entries three at a time; an entry naming a part already named in the
// line (the rest of a part's pins) starts a line of its own.
std::vector<FaultLine> CompLines(const std::vector<std::string>& entries);

// Sets OnBoard of each line and adds the fault to the result. A line the fault list file could
// not hold (a name such as "#") is skipped as line `lineNumber` of the report; a fault without
// lines is left out.
void AddFault(ReportResult& result, std::size_t lineNumber, std::string kind,
              std::vector<FaultLine> lines, const BoardLookup& board);

// Joins texts with ", ".
std::string JoinTexts(const std::vector<std::string>& texts, std::string_view separator = ", ");

} // namespace dorvik
