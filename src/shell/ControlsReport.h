#pragma once
// The script interface's report of the main window's commands: one line per tool-bar button and
// menu item, "NAME enabled=0|1 caption=TEXT colour=#RRGGBB".

#include <string>
#include <vector>

namespace dorvik {

class TForm1;

std::vector<std::string> ControlsLines(const TForm1& form);

} // namespace dorvik
