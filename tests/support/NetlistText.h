#pragma once
// Test helpers: feature records of IPC-D-356 netlists written field by field into their columns.

#include <cstdio>
#include <string>
#include <string_view>

namespace dorvik::test {

struct FeatureFields {
    std::string_view Code = "327";
    std::string_view Net;
    std::string_view RefDes;
    std::string_view Pin;
    int Access = 1;
    long X = 0;
    long Y = 0;
    bool Hole = false;
};

// One record as a writer that signs and zero-pads every number writes it (80 columns).
inline std::string FeatureLine(const FeatureFields& f) {
    char line[160];
    const std::string hole = f.Hole ? "D0300P" : "      ";
    std::snprintf(line, sizeof line,
                  "%-3.3s%-14.14s   %-6.6s%c%-4.4s %sA%02dX%c%06ldY%c%06ldX0100Y0100R000 S0      ",
                  std::string(f.Code).c_str(), std::string(f.Net).c_str(),
                  std::string(f.RefDes).c_str(), f.Pin.empty() ? ' ' : '-',
                  std::string(f.Pin).c_str(), hole.c_str(), f.Access, f.X < 0 ? '-' : '+',
                  f.X < 0 ? -f.X : f.X, f.Y < 0 ? '-' : '+', f.Y < 0 ? -f.Y : f.Y);
    return std::string(line) + "\n";
}

} // namespace dorvik::test
