#include "unitindex/ReportFacts.h"

#include "board/BoardData.h"
#include "report/ReportReader.h"
#include "unitindex/FileTimes.h"
#include "unitindex/OpenFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <optional>

#include <sys/stat.h>

namespace dorvik {
namespace {

// A text file has no NUL byte; looking this far tells a binary file without reading it whole.
constexpr std::size_t BinaryProbeBytes = 64 * 1024;

// Reading a report against no board still gives its kind and its unit. The counts say what a
// board's tables hold; an empty board's say nothing, so its tables keep none of the 15 MB of room
// a board is made with, and one serves every file.
const BoardData& NoBoard() {
    static const BoardData board = [] {
        BoardData empty;
        empty.OutlineTable = {};
        empty.PartTable = {};
        empty.PinTable = {};
        empty.NailTable = {};
        return empty;
    }();
    return board;
}

// Whether a file changed at `modifiedMs` may still be being written at `nowMs`. A time far ahead
// of now is a clock that runs ahead on a share, not a file being written: it would never settle.
bool MayBeBeingWritten(std::int64_t modifiedMs, std::int64_t nowMs) noexcept {
    const std::int64_t age = nowMs - modifiedMs;
    return age < SettleMs && age > -SettleMs;
}

FileFacts Outcome(FileFacts::Outcome result, std::string why) {
    FileFacts facts;
    facts.Result = result;
    facts.Why = std::move(why);
    return facts;
}

FileFacts CannotBeRead() {
    return Outcome(FileFacts::Outcome::Unreadable,
                   "cannot be read: " + std::string(std::strerror(errno)));
}

// Why a file is not read, by what the system says of it; nothing when it is to be read.
std::optional<FileFacts> NotToRead(const struct stat& info, std::int64_t nowMs) {
    using enum FileFacts::Outcome;
    if (!S_ISREG(info.st_mode)) {
        return Outcome(NotAReport, "is not a file");
    }
    if (MayBeBeingWritten(ModifiedMsOf(info), nowMs)) {
        return Outcome(BeingWritten, "changed just now");
    }
    if (static_cast<unsigned long long>(info.st_size) > MaxReportBytes) {
        return Outcome(Unreadable, "is larger than a report can be");
    }
    return std::nullopt;
}

FileFacts Examine(const std::string& path, std::int64_t nowMs) {
    using enum FileFacts::Outcome;
    // Looked at before it is opened, so that no pipe or device is opened and no file being
    // written is read.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return CannotBeRead();
    }
    if (std::optional<FileFacts> refused = NotToRead(info, nowMs)) {
        return std::move(*refused);
    }
    // The name may stand for another file by now; what is read is judged by the open file.
    const OpenFile file(path);
    struct stat opened {};
    if (!file.IsOpen() || ::fstat(file.Fd(), &opened) != 0) {
        return CannotBeRead();
    }
    if (std::optional<FileFacts> refused = NotToRead(opened, nowMs)) {
        return std::move(*refused);
    }

    // One byte more than the file holds tells a file that grew since it was looked at.
    const std::size_t wanted = static_cast<std::size_t>(opened.st_size) + 1;
    std::string bytes;
    if (!AppendRead(file.Fd(), std::min(wanted, BinaryProbeBytes), bytes)) {
        return CannotBeRead();
    }
    if (bytes.find('\0') != std::string::npos) {
        return Outcome(NotAReport, "is no text");
    }
    if (bytes.size() == BinaryProbeBytes &&
        !AppendRead(file.Fd(), wanted - BinaryProbeBytes, bytes)) {
        return CannotBeRead();
    }
    if (bytes.size() == wanted) {
        return Outcome(BeingWritten, "grew while it was read");
    }

    const ReportResult read = ReadReport(bytes, NoBoard());
    if (!read.Error.empty()) {
        return Outcome(NotAReport, read.Error);
    }
    if (read.Unit.Serial.empty()) {
        return Outcome(NotAReport,
                       "the " + std::string(ReportKindName(read.Kind)) + " names no serial");
    }

    FileFacts facts;
    facts.Result = Report;
    IndexedReport& report = facts.Report.emplace();
    report.Path = path;
    report.Serial = read.Unit.Serial;
    report.Board = read.Unit.Board;
    report.ModifiedMs = ModifiedMsOf(opened);
    report.Size = static_cast<std::int64_t>(bytes.size());
    report.TimeFromFile = read.Unit.Tested.empty();
    report.Time = report.TimeFromFile ? LocalTimeText(report.ModifiedMs) : read.Unit.Tested;
    return facts;
}

} // namespace

FileFacts ExamineFile(const std::string& path, std::int64_t nowMs) {
    try {
        return Examine(path, nowMs);
    } catch (const std::exception& e) {
        // Out of memory for one file's bytes, say: that file is skipped, the walk goes on.
        return Outcome(FileFacts::Outcome::Unreadable, "cannot be read: " + std::string(e.what()));
    }
}

} // namespace dorvik
