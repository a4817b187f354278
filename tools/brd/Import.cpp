#include "Import.h"

#include "Codec.h"
#include "GeneratedBoard.h"
#include "board/BoardData.h"
#include "board/BoardOpen.h"

#include <memory>

namespace dorvik::brd {

namespace {

// The tables as the generator's board, which knows how to write itself.
GeneratedBoard FromTables(const BoardData& b) {
    GeneratedBoard out;
    out.PartNameLength = b.PartNameLength;
    out.NetNameLength = b.NetNameLength;
    for (std::int32_t i = 0; i < b.OutlineCount; ++i) {
        const OutlinePoint& p = b.OutlineTable[static_cast<std::size_t>(i)];
        out.Outline.push_back({p.X, p.Y});
    }
    for (std::int32_t i = 0; i < b.PartCount; ++i) {
        const PartEntry& p = b.PartTable[static_cast<std::size_t>(i)];
        out.Parts.push_back({PartName(p), PartKind(p), PartPinEnd(p)});
    }
    for (std::int32_t i = 0; i < b.PinCount; ++i) {
        const PinEntry& p = b.PinTable[static_cast<std::size_t>(i)];
        out.Pins.push_back({{p.X, p.Y}, PinProbe(p), PinNet(p)});
    }
    for (std::int32_t i = 0; i < b.NailCount; ++i) {
        const NailEntry& n = b.NailTable[static_cast<std::size_t>(i)];
        out.Nails.push_back({NailNumber(n), {n.X, n.Y}, NailSide(n), NailNet(n)});
    }
    return out;
}

} // namespace

ImportResult ImportNetlist(std::string_view netlist, const NetlistOptions& options) {
    auto board = std::make_unique<BoardData>();
    return ImportNetlist(netlist, options, *board);
}

ImportResult ImportNetlist(std::string_view netlist, const NetlistOptions& options,
                           BoardData& tables) {
    ImportResult result;
    if (!netlist.empty() &&
        DetectBoardFileKind(netlist.substr(0, 4096)) != BoardFileKind::Netlist) {
        result.NotANetlist = true;
        result.Read.Error = NetlistMessage{1, "not an IPC-D-356 netlist (the first record is "
                                              "no C, P or feature record)"};
        return result;
    }
    result.Read = ReadNetlist(netlist, tables, options);
    if (result.Read.Error) {
        return result;
    }
    // The reader keeps every name to visible ASCII, so the encoding cannot fail; should it, the
    // board is not written rather than written wrong.
    CodecResult encoded = EncodePlain(PlainText(FromTables(tables)));
    if (encoded.Error) {
        result.Read.Error = NetlistMessage{0, "cannot store the board: " + encoded.Error->Message};
        return result;
    }
    result.Stored = std::move(encoded.Bytes);
    return result;
}

} // namespace dorvik::brd
