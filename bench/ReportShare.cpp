#include "ReportShare.h"

#include "unitindex/ReportFacts.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>

namespace dorvik::bench {
namespace {

std::string Digits(std::size_t value, int count) {
    std::string text = std::to_string(value);
    return std::string(text.size() < std::size_t(count) ? count - text.size() : 0, '0') + text;
}

// Report k: unit k % ShareUnits, tested on one of four days at a time of its own.
struct Tested {
    std::size_t Day; // 1..4 of July 2026
    std::string Hhmmss;
};

Tested TestedOf(std::size_t k) {
    const std::size_t second = k * 37 % 86'400;
    return {k % 4 + 1,
            Digits(second / 3600, 2) + Digits(second / 60 % 60, 2) + Digits(second % 60, 2)};
}

std::string Ticket(std::size_t k) {
    constexpr const char* Weekdays[] = {"Wed", "Thu", "Fri", "Sat"}; // July 1st 2026 to 4th
    const Tested t = TestedOf(k);
    const std::string rule = "----------------------------------------\n";
    const std::string heading = rule + "N50Q_5 REV C\nBoard Version:  v2\n" + Weekdays[t.Day - 1] +
                                " Jul 0" + std::to_string(t.Day) + " " + t.Hhmmss.substr(0, 2) +
                                ":" + t.Hhmmss.substr(2, 2) + ":" + t.Hhmmss.substr(4, 2) +
                                " 2026\n" + rule;
    std::string text = heading + "Shorts Report for \"shorts\".\n" + rule +
                       "Short #1, Thresh 9, Delay 50us      Ohms\n"
                       "From: VCC_3V3               20375    4\n"
                       "To:   GND                  219157    4\n"
                       "Common Devices:\n"
                       "                  c12\n"
                       "                  u4\n"
                       "Total of 2 nodes, Message is:  None.\n"
                       "------End, 1 Problem Reported-----------\n";
    for (std::size_t f = 0; f < 8 + k % 16; ++f) {
        text += heading + "r" + std::to_string(f * 13 + k % 97) +
                " HAS FAILED\n\nREPLACE DEVICE: r" + std::to_string(f * 13 + k % 97) +
                "\n\nMeasured:   1.2451k\nNominal:    1.0000k\nResistance in OHMS\n" + rule;
    }
    return text + "Serial #: " + SerialOf(k % ShareUnits) + "\n";
}

std::string TriCsv(std::size_t k) {
    const Tested t = TestedOf(k);
    const std::string date = "2026070" + std::to_string(t.Day);
    std::string text = "// Header_Data\n"
                       "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time, Result\n"
                       "FAIL,1,3,N50Q_5," +
                       SerialOf(k % ShareUnits) + "," + date + "," + t.Hhmmss +
                       ",F,0,0,,FPPF,1,F,3," + date + "," + t.Hhmmss +
                       ",0,,,0,0,16 sec\n\n"
                       "// Component_Data\n"
                       "// StepNum, PartName, Act_V, Std_V, HLim, LLim, Mode, Type, HPin, LPin, "
                       "Loc, Msr_V, Result\n";
    for (std::size_t row = 0; row < 20 + k % 30; ++row) {
        text += " " + std::to_string(70 + row) + ", R" + std::to_string(row + k % 50) +
                ",    1.000K  ,    1.000K  ,  10.0,  10.0, 0, R, 896, 302, C1, 1.2451K  , 1\n";
    }
    return text + "Short < 13 >-VCC_3V3 -> Parts:U4.2 < 50 >-GND -> Parts:C12.1\n";
}

} // namespace

std::string SerialOf(std::size_t unit) {
    return "PX26" + Digits(unit * 7919 % 1'000'000, 6);
}

const ReportShare& Share() {
    static ReportShare share = [] {
        ReportShare made;
        made.Root = made.Dir.path().toStdString();
        for (std::size_t k = 0; k < ShareReports && made.Error.empty(); ++k) {
            const std::string folder = made.Root + "/line" + std::to_string(k % 3 + 1) +
                                       "/2026-07-0" + std::to_string(TestedOf(k).Day);
            std::filesystem::create_directories(folder);
            const bool ticket = k % 2 == 0;
            const std::string path = folder + "/" + SerialOf(k % ShareUnits) + "_" +
                                     std::to_string(k) + (ticket ? "_report_out.txt" : ".csv");
            std::ofstream(path) << (ticket ? Ticket(k) : TriCsv(k));
            // The first look also makes the empty board reports are read against, once in a
            // program (15 MB for a moment), before anything is measured.
            if (k == 0 && ExamineFile(path, std::numeric_limits<std::int64_t>::max()).Result !=
                              FileFacts::Outcome::Report) {
                made.Error = "the bench's report is none";
            }
        }
        using namespace std::chrono;
        made.NowMs = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() +
                     2 * SettleMs;
        return made;
    }();
    return share;
}

} // namespace dorvik::bench
