#pragma once
// The dorvik-log command line: `dorvik-log [--db DATABASE] COMMAND [OPTIONS]` over the repair
// log the program uses, or the one --db names.

#include <QStringList>

#include <iosfwd>
#include <string_view>

namespace dorvik::logtool {

// Exit statuses: 0 done, 1 check found something, 2 an error.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFindings = 1;
inline constexpr int ExitError = 2;

std::string_view Usage();

// Runs one command line; `args` excludes the program name.
int RunLogTool(const QStringList& args, std::ostream& out, std::ostream& err);

} // namespace dorvik::logtool
