#pragma once
// The records the writer program commits: every field follows from the writer's name and the
// record's number, so that a test tells a record as written from a changed or half-written one.

#include "repairlog/RepairRecord.h"

#include <string>

namespace dorvik::test {

inline RepairRecord WrittenRecord(const std::string& writer, int n) {
    const std::string number = std::to_string(n);
    RepairRecord r;
    r.Recorded = 1'790'000'000'000 + n;
    r.Shown = r.Recorded - 1000;
    r.Serial = "SN-" + writer;
    r.Board = "MB-200";
    r.BoardFile = "mb200.brd";
    r.ReportFile = writer + ".txt";
    r.Fault = n;
    r.Kind = "Short";
    r.Lines = "short 12 13 | comp U" + std::to_string(n % 50);
    r.Description = "record " + number + " of " + writer;
    r.Nets = "VCC GND N" + std::to_string(n % 13);
    r.Probes = "12 13";
    r.Action = "Replaced";
    r.Result = "RepairSuccessful";
    r.Refdes = "U" + std::to_string(n % 50) + " R" + std::to_string(n % 7);
    // Texts of every length a comment may have, with what SQL text would trip over.
    r.Comment = "O'Brien; '); DROP TABLE repair_record; -- " + std::string((n * 37) % 900, 'c');
    r.Operator = writer;
    r.Bench = "bench-" + writer;
    r.Version = "2.2";
    return r;
}

} // namespace dorvik::test
