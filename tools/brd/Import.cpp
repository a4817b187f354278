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
    for (const OutlinePoint& p : b.Outline()) {
        out.Outline.push_back({p.X, p.Y});
    }
    for (const PartEntry& p : b.Parts()) {
        out.Parts.push_back({PartName(p), p.Kind, p.PinEnd});
    }
    for (const PinEntry& p : b.Pins()) {
        out.Pins.push_back({{p.X, p.Y}, p.Probe, PinNet(p)});
    }
    for (const NailEntry& n : b.Nails()) {
        out.Nails.push_back({n.Number, {n.X, n.Y}, n.Side, NailNet(n)});
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
