#include "report/ReportReader.h"

#include "report/BoardLookup.h"
#include "report/FaultListFile.h"
#include "report/Keysight3070Ticket.h"
#include "report/TextLines.h"
#include "report/TriCsvReport.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace dorvik {

namespace {

// A file recognised as a fault list has a fault line among its first lines that say anything.
constexpr std::size_t FaultListProbeLines = 50;

std::string_view WithoutByteOrderMark(std::string_view text) noexcept {
    return StartsWith(text, "\xEF\xBB\xBF") ? text.substr(3) : text;
}

bool IsDatalog(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        const std::string_view text = Trimmed(line);
        if (!text.empty()) {
            return StartsWith(text, "{@");
        }
    }
    return false;
}

// Dorvik writes nothing but fault lines: a file whose first line that says anything is one is a
// fault list, whatever its descriptions quote from a tester.
bool StartsAsFaultList(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        const std::string_view text = Trimmed(line);
        if (!text.empty() && text.front() != '#') {
            return IsFaultListLine(text);
        }
    }
    return false;
}

bool LooksLikeFaultList(const std::vector<std::string_view>& lines) {
    std::size_t said = 0;
    for (const std::string_view line : lines) {
        const std::string_view text = Trimmed(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        if (IsFaultListLine(text)) {
            return true;
        }
        if (++said == FaultListProbeLines) {
            break;
        }
    }
    return false;
}

ReportKind Detect(const std::vector<std::string_view>& lines) {
    if (StartsAsFaultList(lines)) {
        return ReportKind::FaultListFile;
    }
    if (LooksLikeTriCsv(lines)) {
        return ReportKind::TriCsv;
    }
    if (LooksLikeKeysight3070Ticket(lines)) {
        return ReportKind::Keysight3070Ticket;
    }
    if (IsDatalog(lines)) {
        return ReportKind::Keysight3070Datalog;
    }
    if (LooksLikeFaultList(lines)) {
        return ReportKind::FaultListFile;
    }
    return ReportKind::Unknown;
}

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

} // namespace

ReportKind DetectReportKind(std::string_view text) {
    return Detect(SplitLines(WithoutByteOrderMark(text)));
}

ReportResult ReadReport(std::string_view bytes, const BoardData& board) {
    ReportResult result;
    const std::string_view text = WithoutByteOrderMark(bytes);
    if (text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos) {
        result.Error = "the file is empty";
        return result;
    }
    const std::vector<std::string_view> lines = SplitLines(text);
    const BoardLookup lookup(board);
    switch (Detect(lines)) {
    case ReportKind::TriCsv:
        TranslateTriCsv(lines, lookup, result);
        break;
    case ReportKind::Keysight3070Ticket:
        TranslateKeysight3070Ticket(lines, lookup, result);
        break;
    case ReportKind::FaultListFile:
        ReadFaultListLines(lines, lookup, result);
        break;
    case ReportKind::Keysight3070Datalog:
        result.Kind = ReportKind::Keysight3070Datalog;
        result.Error = "a Keysight 3070 datalog; open the failure ticket of the same test "
                       "(its *_report_out_*.txt) instead";
        break;
    case ReportKind::Unknown:
        result.Error = "not a report of a known kind; " + std::string(KnownKindsText);
        break;
    }
    if (result.Error.empty() && result.List.LineCount() == 0) {
        result.Error = "the " + std::string(ReportKindName(result.Kind)) + " names no fault";
    }
    return result;
}

ReportResult ReadReportFile(const std::string& path, const BoardData& board) {
    ReportResult result;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.Error = "the file cannot be read";
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > MaxReportBytes) {
        result.Error = "the file is larger than " + std::to_string(MaxReportBytes >> 20) +
                       " MB; no report is that long";
        return result;
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(got);
    return ReadReport(bytes, board);
}

} // namespace dorvik
