#pragma once
// The program-wide board tables: outline, parts, pins and nails, each of fixed capacity, with the
// counts that say how many entries are valid. Only the reader writes them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace dorvik {

inline constexpr std::int32_t OutlineCapacity = 10000;
inline constexpr std::int32_t PartCapacity = 30000;
inline constexpr std::int32_t PinCapacity = 99999;
inline constexpr std::int32_t NailCapacity = 30000;

// The Probe of a pin that no nail touches.
inline constexpr std::int32_t NoProbe = -99;

// Side codes of nails and of the body bits of a part's Kind.
inline constexpr std::int8_t TopSide = 1;
inline constexpr std::int8_t BottomSide = 2;

// A name can never be longer than a token of its line (79 characters), so every name fits a slot
// of this size, whatever length the file declares.
inline constexpr int NameSlotSize = 80;
using NameSlot = std::array<char, NameSlotSize>;

// A name of the board tables, up to its terminating zero (or the whole slot, should it have none).
inline std::string_view NameView(const NameSlot& slot) noexcept {
    return {slot.data(), ::strnlen(slot.data(), slot.size())};
}

struct OutlinePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

struct PartEntry {
    NameSlot Name{};
    std::int32_t PinEnd = 0; // one past the part's last pin; kept within 0..PinCount
    std::int8_t Kind = 0;    // bits 0-1 body side, bit 2 SMD pads on top, bit 3 on bottom
};

struct PinEntry {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Probe = 0;
    std::int32_t Extra = 0;
    NameSlot Net{};
};

struct NailEntry {
    std::int32_t Number = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int8_t Side = 0;
    NameSlot Net{};
};

// What a "var_data:" line said, before the counts were made safe to use.
struct DeclaredCounts {
    std::int32_t Outline = 0;
    std::int32_t Parts = 0;
    std::int32_t Pins = 0;
    std::int32_t Nails = 0;
};

struct BoardData {
    BoardData();

    std::vector<OutlinePoint> OutlineTable; // sized to OutlineCapacity, never resized
    std::vector<PartEntry> PartTable;       // PartCapacity
    std::vector<PinEntry> PinTable;         // PinCapacity
    std::vector<NailEntry> NailTable;       // NailCapacity

    // Counts as the rest of the program sees them: never negative, never above a table's
    // capacity, never above the entries the last file gave.
    std::int32_t OutlineCount = 0;
    std::int32_t PartCount = 0;
    std::int32_t PinCount = 0;
    std::int32_t NailCount = 0;

    DeclaredCounts Declared;
    std::int32_t VarData5 = 0; // read and kept; nothing uses them
    std::int32_t VarData6 = 0;

    std::int32_t PartNameLength = 0; // declared buffer sizes, terminating zero included
    std::int32_t NetNameLength = 0;

    // The valid rows of each table. The counts are valid already; the spans hold to the tables'
    // sizes all the same, so that no loop over them can leave a table.
    std::span<const OutlinePoint> Outline() const noexcept {
        return Rows(OutlineTable, OutlineCount);
    }
    std::span<const PartEntry> Parts() const noexcept { return Rows(PartTable, PartCount); }
    std::span<const PinEntry> Pins() const noexcept { return Rows(PinTable, PinCount); }
    std::span<const NailEntry> Nails() const noexcept { return Rows(NailTable, NailCount); }

private:
    template <class Row>
    static std::span<const Row> Rows(const std::vector<Row>& table, std::int32_t count) noexcept {
        const auto n = static_cast<std::size_t>(std::max(count, std::int32_t{0}));
        return {table.data(), std::min(n, table.size())};
    }
};

// The names as C strings, for the board tools that print them and key maps by them.
inline const char* PartName(const PartEntry& part) noexcept {
    return part.Name.data();
}
inline const char* PinNet(const PinEntry& pin) noexcept {
    return pin.Net.data();
}
inline const char* NailNet(const NailEntry& nail) noexcept {
    return nail.Net.data();
}

// A part is surface-mounted when it has pads on either side; otherwise it is through-hole.
inline bool IsSmd(std::int8_t kind) noexcept {
    return (kind & 12) != 0;
}

// The first pin of part j: the previous part's PinEnd, or 0 for the first part.
inline std::int32_t FirstPinOf(const BoardData& board, std::int32_t j) noexcept {
    return j == 0 ? 0 : board.PartTable[static_cast<std::size_t>(j - 1)].PinEnd;
}

} // namespace dorvik
