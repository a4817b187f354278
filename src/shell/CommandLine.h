#pragma once
// The program's command line: dorvik [--script FILE] [--report REPORT] [BOARD].

#include <QString>
#include <QStringList>

#include <optional>

namespace dorvik {

struct CommandLine {
    bool Help = false;
    std::optional<QString> Script; // "-" reads the commands from standard input
    std::optional<QString> Board;
    std::optional<QString> Report; // read after the board, as File > Open Report does
    QString Error;                 // not empty when the arguments are not a valid command line
};

// Reads the arguments that follow the program name. "--" ends the options, so that a board file
// whose name starts with "-" can be given.
CommandLine ParseCommandLine(const QStringList& arguments);

QString UsageText();

} // namespace dorvik
