#pragma once
// The repair log's benchmarks need bench processes of their own: dorvik-bench started as
// `dorvik-bench --line-writer CONNINFO SECONDS` is one of them.

namespace dorvik::bench {

inline constexpr char LineWriterOption[] = "--line-writer";

// Opens the line database, prints "ready", waits for a line on standard input, then commits one
// record per transaction for SECONDS and prints "done N" and each commit's time in microseconds.
int RunLineWriter(int argc, char** argv);

} // namespace dorvik::bench
