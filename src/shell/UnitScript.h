#pragma once
// The script's commands of the report folders (unitreports, waitindex).

#include "shell/ScriptCommand.h"

#include <functional>
#include <string>

class QWidget;

namespace dorvik {

class TForm1;

// `modal` is the active modal window, if any; `print` writes one output line. Throws
// ScriptFailure when the command does not apply.
void RunUnitCommand(TForm1& form, const ScriptCommand& command, QWidget* modal,
                    const std::function<void(const std::string&)>& print);

} // namespace dorvik
