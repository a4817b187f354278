#pragma once
// A folder of this test's own for report folders and board libraries, and the small reports the
// unit index tests write into it.

#include "unitindex/IndexedReport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>

namespace dorvik {

inline void PrintTo(const IndexedReport& r, std::ostream* out) {
    *out << "{" << r.Path << ", serial \"" << r.Serial << "\", board \"" << r.Board << "\", "
         << r.Time << (r.TimeFromFile ? " (file)" : "") << ", " << r.ModifiedMs << " ms, " << r.Size
         << " bytes}";
}

} // namespace dorvik

namespace dorvik::test {

inline std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// An hour ago: long settled.
inline std::int64_t SettledMs() {
    return NowMs() - 3'600'000;
}

inline void SetModifiedMs(const std::string& path, std::int64_t ms) {
    const timespec times[2] = {{ms / 1000, (ms % 1000) * 1'000'000},
                               {ms / 1000, (ms % 1000) * 1'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// A temporary folder; paths below it are given relative to it, with '/' between folders.
class UnitFolder {
public:
    UnitFolder() { EXPECT_TRUE(dir_.isValid()); }
    ~UnitFolder() {
        // Folders a test locked would stay behind.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 Root(), std::filesystem::directory_options::none, ignored)) {
            if (!entry.is_symlink(ignored)) {
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
            }
        }
    }

    std::string Root() const { return dir_.path().toStdString(); }
    std::string Path(std::string_view relative) const {
        return Root() + "/" + std::string(relative);
    }

    // Writes the file (and the folders it lies in), changed at `modifiedMs`.
    std::string Write(std::string_view relative, std::string_view text,
                      std::int64_t modifiedMs = SettledMs()) const {
        const std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        SetModifiedMs(path, modifiedMs);
        return path;
    }

    std::string MakeFolder(std::string_view relative) const {
        const std::string path = Path(relative);
        std::filesystem::create_directories(path);
        return path;
    }

    // A symbolic link at `relative` to `target` (as the link holds it).
    std::string Link(std::string_view relative, std::string_view target) const {
        const std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::filesystem::create_symlink(std::string(target), path);
        return path;
    }

    void Remove(std::string_view relative) const { std::filesystem::remove_all(Path(relative)); }

private:
    QTemporaryDir dir_;
};

// Whether permissions keep this process out of `path` (not so for root).
inline bool LockedOut(const std::string& path) {
    return ::access(path.c_str(), R_OK) != 0;
}

constexpr std::string_view Rule = "----------------------------------------\n";

// A Keysight 3070 failure ticket of one analog failure. `date` is the block header's date line
// ("Wed Mar 05 07:08:09 2025"); another line states no time.
inline std::string Ticket(std::string_view serial, std::string_view board,
                          std::string_view date = "Wed Mar 05 07:08:09 2025") {
    std::string text = std::string(Rule) + std::string(board) + "\nBoard Version:  v1\n" +
                       std::string(date) + "\n" + std::string(Rule) +
                       "c5 HAS FAILED\nMeasured:   1.2u\nNominal:    1.0u\n" + std::string(Rule);
    if (!serial.empty()) {
        text += "Serial #: " + std::string(serial) + "\n";
    }
    return text;
}

// A TRI CSV failure file: its header record, under the comment that names the columns when
// `named` (then the record starts with PASS/FAIL), else starting at ICT_ID.
inline std::string TriCsv(std::string_view serial, std::string_view board, std::string_view date,
                          std::string_view time, bool named) {
    const std::string unit = std::string(board) + "," + std::string(serial) + "," +
                             std::string(date) + "," + std::string(time);
    std::string text = "// Header_Data\n";
    if (named) {
        text += "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time, Result, Retest\n"
                "FAIL,1,3," +
                unit + ",F,0,0,,FPPF,1,F,3,20260701,001531,0,,,0,0,16 sec\n";
    } else {
        text += "1,0," + unit + ",F,1,1,,PPFP,1,F,0,20260701,000703,0,,,0,0\n";
    }
    return text + "\n// Component_Data\nShort < 13 >-VCC -> Parts:U1.2 < 50 >-ND -> Parts:R9.1\n";
}

// Dorvik's own fault list, its unit in the notes at its top.
inline std::string FaultList(std::string_view serial, std::string_view tested = "") {
    std::string text = "# serial: " + std::string(serial) + "\n";
    if (!tested.empty()) {
        text += "# tested: " + std::string(tested) + "\n";
    }
    return text + "open 7 19\n";
}

} // namespace dorvik::test
