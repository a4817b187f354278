#pragma once
// The dorvik-brd command line: decode, encode, generate and check board files.

#include <cstdio>
#include <span>
#include <string_view>

namespace dorvik::brd {

// Exit statuses: 0 success (and a clean check), 1 a check with findings, 2 an error.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFindings = 1;
inline constexpr int ExitError = 2;

// Runs one command; `args` excludes the program name. Standard input is read for the file name
// "-".
int RunCommand(std::span<const std::string_view> args, std::FILE* in, std::FILE* out,
               std::FILE* err);

} // namespace dorvik::brd
