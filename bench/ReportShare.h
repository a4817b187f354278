#pragma once
// A line's report share as the benchmarks lay it out: 10,000 reports (Keysight 3070 failure
// tickets and TRI CSV failure files of a few KB, 2,500 units, twelve folders), written once into
// a temporary folder for all runs. Ticket boards are named "N50Q_5 REV C", TRI boards "N50Q_5".

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <string>

namespace dorvik::bench {

inline constexpr std::size_t ShareReports = 10'000;
inline constexpr std::size_t ShareUnits = 2'500;

// The serial of unit `unit` (0 to ShareUnits - 1).
std::string SerialOf(std::size_t unit);

struct ReportShare {
    QTemporaryDir Dir;
    std::string Root;
    std::int64_t NowMs = 0; // when every file has settled
    std::string Error;
};

const ReportShare& Share();

} // namespace dorvik::bench
