// The bytes as an IPC-D-356 netlist: through the opening path (content detection, the netlist
// reader from a stream), then through dorvik-brd import, whose board file must read back without
// a single finding of the board reader whatever the input was.
#include "board/BoardData.h"
#include "board/BoardOpen.h"
#include "board/BoardReader.h"
#include "board/Ipc356Reader.h"
#include "brd/Import.h"
#include "support/BoardText.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// Tables for the whole run, as in the program (tables are too large to make for every input).
dorvik::BoardData& Board() {
    static dorvik::BoardData board;
    return board;
}
dorvik::BoardData& ReadBack() {
    static dorvik::BoardData board;
    dorvik::test::ForgetTables(board);
    return board;
}

// Every finding of the board reader on an imported board is a fault of the import.
class NoFindings final : public dorvik::ReadObserver {
public:
    void Finding(std::int64_t, dorvik::ReadFinding, std::string_view) override { __builtin_trap(); }
};

bool Ended(const dorvik::NameSlot& name) {
    return std::memchr(name.data(), '\0', name.size()) != nullptr;
}

// The promises every reader of the tables relies on.
void CheckTables(const dorvik::BoardData& b) {
    using namespace dorvik;
    if (b.OutlineCount < 0 || b.OutlineCount > OutlineCapacity || b.PartCount < 0 ||
        b.PartCount > PartCapacity || b.PinCount < 0 || b.PinCount > PinCapacity ||
        b.NailCount < 0 || b.NailCount > NailCapacity) {
        __builtin_trap();
    }
    std::int32_t last = 0;
    for (std::int32_t j = 0; j < b.PartCount; ++j) {
        const PartEntry& part = b.PartTable[static_cast<std::size_t>(j)];
        if (part.PinEnd < last || part.PinEnd > b.PinCount || !Ended(part.Name)) {
            __builtin_trap();
        }
        last = part.PinEnd;
    }
    for (std::int32_t i = 0; i < b.PinCount; ++i) {
        const PinEntry& pin = b.PinTable[static_cast<std::size_t>(i)];
        if (!Ended(pin.Net) ||
            (pin.Probe != NoProbe && (pin.Probe < 1 || pin.Probe > b.NailCount))) {
            __builtin_trap();
        }
    }
    for (std::int32_t i = 0; i < b.NailCount; ++i) {
        if (!Ended(b.NailTable[static_cast<std::size_t>(i)].Net)) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The probing side comes from the input's length, so every seed tries each in turn.
    const dorvik::NetlistOptions options{static_cast<dorvik::ProbeSide>(size % 3)};

    dorvik::BoardData& board = Board();
    if (std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r")) {
        const dorvik::BoardOpenResult opened = dorvik::ReadBoardOrNetlist(file, board, options);
        std::fclose(file);
        if (opened.Netlist) {
            const dorvik::NetlistNotice notice = dorvik::DescribeNetlistRead(*opened.Netlist);
            if (!opened.Netlist->Error && opened.Netlist->Findings.empty() &&
                !notice.Summary.empty()) {
                __builtin_trap();
            }
        }
        CheckTables(board);
    }

    const dorvik::brd::ImportResult imported = dorvik::brd::ImportNetlist(bytes, options, board);
    if (!imported.Read.Error) {
        CheckTables(board);
        std::FILE* stored =
            ::fmemopen(const_cast<char*>(imported.Stored.data()), imported.Stored.size(), "r");
        NoFindings observer;
        dorvik::BoardData& back = ReadBack();
        dorvik::ReadBoardFile(stored, back, &observer);
        std::fclose(stored);
        if (back.PinCount != board.PinCount || back.NailCount != board.NailCount ||
            back.PartCount != board.PartCount || back.OutlineCount != board.OutlineCount) {
            __builtin_trap();
        }
    }
    return 0;
}
