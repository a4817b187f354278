// dorvik-brd: a command-line tool for the people who make and check board files.

#include "CommandLine.h"

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return dorvik::brd::RunCommand(args, stdin, stdout, stderr);
}
