#include "report/BoardLookup.h"

#include "faults/EntryActions.h"
#include "faults/EntryMatch.h"
#include "report/TextLines.h"

#include <algorithm>

namespace dorvik {

namespace {

std::int32_t Valid(std::int32_t count, std::size_t capacity) noexcept {
    return std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(capacity));
}

// The fields of a component entry: the part's name, then its pin numbers.
std::vector<std::string_view> Fields(std::string_view entry) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= entry.size(); ++i) {
        if (i == entry.size() || entry[i] == ',') {
            fields.push_back(entry.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

} // namespace

BoardLookup::BoardLookup(const BoardData& board) {
    const std::int32_t nails = Valid(board.NailCount, board.NailTable.size());
    for (std::int32_t i = 0; i < nails; ++i) {
        const NailEntry& nail = board.NailTable[static_cast<std::size_t>(i)];
        const std::string net(NameView(nail.Net));
        nailByNet_.emplace(net, nail.Number);
        nailByLowerNet_.emplace(LowerAscii(net), nail.Number);
        probes_.insert(nail.Number);
    }
    const std::int32_t pins = Valid(board.PinCount, board.PinTable.size());
    for (std::int32_t p = 0; p < pins; ++p) {
        probes_.insert(board.PinTable[static_cast<std::size_t>(p)].Probe);
    }
    const std::int32_t parts = Valid(board.PartCount, board.PartTable.size());
    for (std::int32_t j = 0; j < parts; ++j) {
        const PartEntry& part = board.PartTable[static_cast<std::size_t>(j)];
        const std::string name(NameView(part.Name));
        if (name.empty()) {
            continue;
        }
        const std::int32_t first = std::max(FirstPinOf(board, j), std::int32_t{0});
        const std::int32_t end = std::min(part.PinEnd, pins);
        parts_.emplace(name, PartInfo{name, std::max(end - first, std::int32_t{0})});
        partByLower_.emplace(LowerAscii(name), name);
    }
}

std::optional<std::int32_t> BoardLookup::NailOfNode(std::string_view node) const {
    if (const auto exact = nailByNet_.find(std::string(node)); exact != nailByNet_.end()) {
        return exact->second;
    }
    if (const auto any = nailByLowerNet_.find(LowerAscii(node)); any != nailByLowerNet_.end()) {
        return any->second;
    }
    return std::nullopt;
}

std::optional<std::string> BoardLookup::PartOfDevice(std::string_view device) const {
    if (parts_.count(std::string(device)) != 0) {
        return std::string(device);
    }
    if (const auto any = partByLower_.find(LowerAscii(device)); any != partByLower_.end()) {
        return any->second;
    }
    return std::nullopt;
}

bool BoardLookup::OnBoard(const FaultLine& line) const {
    for (const std::string& item : line.Items) {
        switch (line.Kind) {
        case LineKind::Open:
        case LineKind::Short: {
            const std::int32_t n = ProbeNumberOf(item).value_or(0);
            if (n != 0 && probes_.count(n) == 0) {
                return false;
            }
            break;
        }
        case LineKind::Net:
            if (nailByNet_.count(UpperCaseLatin1(item)) == 0) {
                return false;
            }
            break;
        case LineKind::Comp: {
            const std::string upper = UpperCaseLatin1(item);
            const std::vector<std::string_view> fields = Fields(upper);
            const auto part = parts_.find(std::string(fields.front()));
            if (part == parts_.end()) {
                return false;
            }
            for (std::size_t k = 1; k < fields.size(); ++k) {
                const std::optional<std::int32_t> pin = ConvertInteger(fields[k]);
                if (!fields[k].empty() && (!pin || *pin < 1 || *pin > part->second.Pins)) {
                    return false;
                }
            }
            break;
        }
        }
    }
    return true;
}

} // namespace dorvik
