#pragma once
// The PostgreSQL database a repair log benchmark works in.

#include <QString>

#include <optional>
#include <string>

namespace dorvik::bench {

// DORVIK_BENCH_POSTGRES when it is set (a libpq connection, used as it is: every benchmark then
// shares it); else, in a build with the tests, a new empty database on a server of the
// benchmarks' own, started at the first call and stopped at exit. Nothing, with the reason in
// `whyNot`, when neither can be had.
std::optional<QString> BenchPostgresDatabase(std::string& whyNot);

} // namespace dorvik::bench
