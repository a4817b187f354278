#pragma once
// The text reports of the script interface: the main window's state, one "Name=value" line per
// member in a fixed order, and the caption colour as #RRGGBB.

#include "view/Colour.h"

#include <string>
#include <vector>

namespace dorvik {

struct Workspace;

// The window state's members, then the program-wide rotation and table counts.
std::vector<std::string> StateLines(const Workspace& ws);

// "#RRGGBB", upper-case hexadecimal digits.
std::string HexColour(Colour colour);

} // namespace dorvik
