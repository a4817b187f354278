#pragma once
// What a repair record says about the fault it repairs: its kind, its lines in the fault-list
// form, the tester's words, and the nets, probes and parts it names on the board loaded.

#include "board/BoardData.h"
#include "report/FaultList.h"

#include <string>
#include <vector>

namespace dorvik {

struct FaultFacts {
    std::string Kind;
    std::string Lines;               // "short 12 34 | comp U5", no descriptions
    std::string Description;         // the lines' descriptions, joined by " | "
    std::vector<std::string> Nets;   // UTF-8, each once, in the order the lines name them
    std::vector<std::string> Probes; // decimal, each once
    std::vector<std::string> Parts;  // the parts the fault's comp lines name, each once
};

// An open or short line gives its probes and the nets the displays resolve them to; a net line
// its net; a comp line its parts, and for the pins it lists their nets and probes.
FaultFacts FactsOf(const Fault& fault, const BoardData& board);

// The fault's lines in the fault-list form, joined by " | ", and the parts its comp lines name:
// what needs no board.
std::string LinesOf(const Fault& fault);
std::vector<std::string> PartsOf(const Fault& fault);

// "a b c".
std::string JoinedByBlanks(const std::vector<std::string>& words);
// The blank-separated words of a text.
std::vector<std::string> SplitAtBlanks(std::string_view text);

} // namespace dorvik
