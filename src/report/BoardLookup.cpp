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

// The fields of an entry's typed text, between its commas.
std::vector<std::string_view> Fields(std::string_view typed) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= typed.size(); ++i) {
        if (i == typed.size() || typed[i] == ',') {
            fields.push_back(typed.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

// A board name found in an entry: the fields it spans.
struct HeldName {
    std::size_t First = 0;
    std::size_t Last = 0;
    std::string_view Name;
};

// The board names an entry holds between commas, as the displays find them: a name is a run of
// the entry's fields (a single field unless the board has names holding a comma).
template <class IsName>
std::vector<HeldName> NamesHeld(const std::vector<std::string_view>& fields, bool spanFields,
                                IsName isName) {
    std::vector<HeldName> held;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t last = spanFields ? fields.size() - 1 : i;
        for (std::size_t j = i; j <= last; ++j) {
            const char* begin = fields[i].data();
            const std::string_view run(begin, fields[j].data() + fields[j].size() - begin);
            if (!run.empty() && isName(run)) {
                held.push_back({i, j, run});
            }
        }
    }
    return held;
}

// Whether a field is a pin number as the component display writes it, from 1 to `pins`.
bool IsPinNumber(std::string_view field, std::int32_t pins) noexcept {
    if (field.empty() || field.size() > 10 || field.front() == '0') {
        return false;
    }
    std::int64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= pins;
}

} // namespace

BoardLookup::BoardLookup(const BoardData& board) {
    const std::int32_t nails = Valid(board.NailCount, board.NailTable.size());
    for (std::int32_t i = 0; i < nails; ++i) {
        const NailEntry& nail = board.NailTable[static_cast<std::size_t>(i)];
        const std::string net(NameView(nail.Net));
        nailByNet_.emplace(net, nail.Number);
        namesWithCommas_ = namesWithCommas_ || net.find(',') != std::string::npos;
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
        std::int32_t& most = partPins_[name];
        most = std::max(most, end - first);
        partByLower_.emplace(LowerAscii(name), name);
        namesWithCommas_ = namesWithCommas_ || name.find(',') != std::string::npos;
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
    if (partPins_.count(std::string(device)) != 0) {
        return std::string(device);
    }
    if (const auto any = partByLower_.find(LowerAscii(device)); any != partByLower_.end()) {
        return any->second;
    }
    return std::nullopt;
}

bool BoardLookup::OnBoard(const FaultLine& line) const {
    switch (line.Kind) {
    case LineKind::Open:
    case LineKind::Short:
        for (const std::string& item : line.Items) {
            const std::int32_t n = ProbeNumberOf(item).value_or(0);
            if (n != 0 && probes_.count(n) == 0) {
                return false;
            }
        }
        return true;
    case LineKind::Net:
        return !line.Items.empty() && NetShown(line.Items.front());
    case LineKind::Comp:
        return CompShown(line);
    }
    return false;
}

bool BoardLookup::NetShown(std::string_view item) const {
    // The display shows the net of the first nail whose net the text holds: one net only.
    const std::string entry = EntryTextOf(item, NetTextSize);
    const std::vector<std::string_view> fields = Fields(TypedPart(entry));
    const std::vector<HeldName> held =
        NamesHeld(fields, namesWithCommas_, [this](std::string_view name) {
            return nailByNet_.count(std::string(name)) != 0;
        });
    if (held.empty()) {
        return false;
    }
    for (const HeldName& h : held) {
        if (h.Name != held.front().Name) {
            return false;
        }
    }
    std::vector<bool> covered(fields.size(), false);
    for (const HeldName& h : held) {
        std::fill(covered.begin() + static_cast<std::ptrdiff_t>(h.First),
                  covered.begin() + static_cast<std::ptrdiff_t>(h.Last) + 1, true);
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!covered[i] && !fields[i].empty()) {
            return false;
        }
    }
    return true;
}

bool BoardLookup::CompShown(const FaultLine& line) const {
    // A part named by several entries is drawn with the pins of the first of them only.
    std::vector<std::string> namedBefore;
    for (const std::string& item : line.Items) {
        const std::string entry = EntryTextOf(item, CompTextSize);
        const std::vector<std::string_view> fields = Fields(TypedPart(entry));
        const std::vector<HeldName> held =
            NamesHeld(fields, namesWithCommas_, [this](std::string_view name) {
                return partPins_.count(std::string(name)) != 0;
            });
        if (held.empty()) {
            return false;
        }
        std::vector<bool> covered(fields.size(), false);
        std::int32_t pins = 0;
        for (const HeldName& h : held) {
            std::fill(covered.begin() + static_cast<std::ptrdiff_t>(h.First),
                      covered.begin() + static_cast<std::ptrdiff_t>(h.Last) + 1, true);
            if (std::find(namedBefore.begin(), namedBefore.end(), h.Name) == namedBefore.end()) {
                pins = std::max(pins, partPins_.at(std::string(h.Name)));
            }
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!covered[i] && !fields[i].empty() && !IsPinNumber(fields[i], pins)) {
                return false;
            }
        }
        for (const HeldName& h : held) {
            namedBefore.emplace_back(h.Name);
        }
    }
    return true;
}

} // namespace dorvik
