// dorvik-log: the repair log's command-line tool for the people who run the line.

#include "log/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>

int main(int argc, char** argv) {
    // Qt finds its database drivers, which are plugins, through the application object.
    QCoreApplication application(argc, argv);
    std::ios::sync_with_stdio(false);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return dorvik::logtool::RunLogTool(args, std::cout, std::cerr);
}
