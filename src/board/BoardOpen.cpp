#include "board/BoardOpen.h"

#include "board/BoardReader.h"
#include "board/Ipc356Record.h"

#include <array>

namespace dorvik {

BoardFileKind DetectBoardFileKind(std::string_view head) noexcept {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        head.remove_prefix(3); // a byte order mark some editors write
    }
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        std::string_view line = head.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const ipc356::RecordKind kind = ipc356::KindOf(line);
        if (kind != ipc356::RecordKind::Blank) {
            // The operation code decides; a comment may well hold bytes of another code page.
            return kind == ipc356::RecordKind::Unknown ? BoardFileKind::BoardFile
                                                       : BoardFileKind::Netlist;
        }
        if (end == std::string_view::npos) {
            break;
        }
        head.remove_prefix(end + 1);
    }
    return BoardFileKind::BoardFile;
}

BoardOpenResult ReadBoardOrNetlist(std::FILE* file, BoardData& board,
                                   const NetlistOptions& options) {
    BoardOpenResult result;
    std::array<char, 4096> head{};
    const std::size_t n = std::fread(head.data(), 1, head.size(), file);
    result.Kind = DetectBoardFileKind({head.data(), n});
    if (std::fseek(file, 0, SEEK_SET) == 0) {
        if (result.Kind == BoardFileKind::Netlist) {
            result.Netlist = ReadNetlist(file, board, options);
        } else {
            result.Board = ReadBoardFile(file, board);
        }
        return result;
    }
    // A stream that cannot go back (a pipe): read it whole, the head first.
    std::string bytes(head.data(), n);
    std::array<char, 1 << 16> block{};
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;) {
        bytes.append(block.data(), got);
    }
    if (result.Kind == BoardFileKind::Netlist) {
        result.Netlist = ReadNetlist(std::string_view(bytes), board, options);
    } else if (std::FILE* memory = ::fmemopen(bytes.data(), bytes.size(), "r")) {
        result.Board = ReadBoardFile(memory, board);
        std::fclose(memory);
    }
    return result;
}

namespace {

std::string Located(const NetlistMessage& m) {
    return m.Line > 0 ? "line " + std::to_string(m.Line) + ": " + m.Text : m.Text;
}

} // namespace

NetlistNotice DescribeNetlistRead(const NetlistRead& read) {
    NetlistNotice notice;
    for (const NetlistMessage& m : read.Findings) {
        notice.Details += Located(m) + "\n";
    }
    if (read.FindingsLeftOut > 0) {
        notice.Details += "... and " + std::to_string(read.FindingsLeftOut) + " more\n";
    }
    const std::int64_t findings =
        static_cast<std::int64_t>(read.Findings.size()) + read.FindingsLeftOut;
    if (read.Error) {
        notice.Summary = "The netlist holds no board: " + Located(*read.Error);
        if (findings > 0) {
            notice.Summary += " (" + std::to_string(findings) + " findings)";
        }
    } else if (findings > 0) {
        notice.Summary = "The netlist was read with " + std::to_string(findings) +
                         (findings == 1 ? " finding" : " findings") +
                         "; the first: " + Located(read.Findings.front());
    }
    return notice;
}

} // namespace dorvik
