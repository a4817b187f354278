#pragma once
// Records for the repair log's tests: a plausible repair whose fields a test changes as it needs.

#include "repairlog/RepairActions.h"
#include "repairlog/RepairRecord.h"
#include "repairlog/UtcTime.h"

#include <QUuid>

#include <string>

namespace dorvik::test {

inline std::string NewId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
}

inline RepairRecord SampleRecord(std::string serial = "SN1000", std::int64_t recorded = 0) {
    RepairRecord r;
    r.Id = NewId();
    r.Recorded = recorded != 0 ? recorded : *DayStartUtc("2026-11-02") + 3'600'000;
    r.Shown = r.Recorded - 95'000;
    r.Serial = std::move(serial);
    r.Board = "MB-200";
    r.BoardFile = "mb200.brd";
    r.ReportFile = "SN1000_report.txt";
    r.Fault = 2;
    r.Kind = "Short";
    r.Lines = "short 12 34 | comp U5";
    r.Description = "Short #1: VCC to GND";
    r.Nets = "VCC GND";
    r.Probes = "12 34";
    r.Action = "Solder bridge removed";
    r.Result = "RepairSuccessful";
    r.Refdes = "U5";
    r.Comment = "bridge between pins 3 and 4";
    r.Operator = "anna";
    r.Bench = "bench-7";
    r.Version = "2.2";
    return r;
}

inline RepairRecord ReversalOf(const RepairRecord& original, std::int64_t later = 60'000) {
    RepairRecord r = original;
    r.Id = NewId();
    r.Recorded = original.Recorded + later;
    r.Reverses = original.Id;
    return r;
}

} // namespace dorvik::test
