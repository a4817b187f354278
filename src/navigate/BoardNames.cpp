#include "navigate/BoardNames.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace dorvik {

namespace {

std::string_view NameOf(const NameSlot& slot) noexcept {
    return {slot.data(), ::strnlen(slot.data(), slot.size())};
}

template <class Table> std::size_t ValidCount(const Table& table, std::int32_t count) noexcept {
    return static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(table.size())));
}

} // namespace

std::string LowerCaseLatin1(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        const auto b = static_cast<unsigned char>(c);
        const bool ascii = b >= 'A' && b <= 'Z';
        const bool accented = b >= 0xC0 && b <= 0xDE && b != 0xD7; // not the multiplication sign
        if (ascii || accented) {
            c = static_cast<char>(b + 0x20);
        }
    }
    return lower;
}

BoardNames::BoardNames(const BoardData& board) {
    struct Raw {
        std::string_view Name;
        bool Part;
    };
    std::vector<Raw> raw;
    const std::size_t parts = ValidCount(board.PartTable, board.PartCount);
    const std::size_t pins = ValidCount(board.PinTable, board.PinCount);
    const std::size_t nails = ValidCount(board.NailTable, board.NailCount);
    raw.reserve(parts + pins + nails);
    for (std::size_t i = 0; i < parts; ++i) {
        raw.push_back({NameOf(board.PartTable[i].Name), true});
    }
    for (std::size_t i = 0; i < pins; ++i) {
        raw.push_back({NameOf(board.PinTable[i].Net), false});
    }
    for (std::size_t i = 0; i < nails; ++i) {
        raw.push_back({NameOf(board.NailTable[i].Net), false});
    }
    // Many pins share a net: drop repeats before building the keys.
    std::sort(raw.begin(), raw.end(), [](const Raw& a, const Raw& b) {
        return std::tie(a.Name, a.Part) < std::tie(b.Name, b.Part);
    });
    entries_.reserve(raw.size() / 4);
    for (const Raw& r : raw) {
        if (r.Name.empty()) {
            continue;
        }
        if (!entries_.empty() && entries_.back().Name == r.Name) {
            entries_.back().Part = entries_.back().Part || r.Part;
            entries_.back().Net = entries_.back().Net || !r.Part;
            continue;
        }
        entries_.push_back({LowerCaseLatin1(r.Name), std::string(r.Name), r.Part, !r.Part});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.Key, a.Name) < std::tie(b.Key, b.Name);
    });
}

std::vector<BoardNames::Entry>::const_iterator BoardNames::LowerBound(std::string_view key) const {
    return std::lower_bound(entries_.begin(), entries_.end(), key,
                            [](const Entry& e, std::string_view k) { return e.Key < k; });
}

std::vector<std::string_view> BoardNames::Complete(std::string_view prefix,
                                                   std::size_t limit) const {
    std::vector<std::string_view> names;
    if (prefix.empty()) {
        return names;
    }
    const std::string key = LowerCaseLatin1(prefix);
    for (auto it = LowerBound(key); it != entries_.end() && names.size() < limit; ++it) {
        if (it->Key.compare(0, key.size(), key) != 0) {
            break;
        }
        names.push_back(it->Name);
    }
    return names;
}

BoardNames::Found BoardNames::Lookup(std::string_view typed) const {
    const std::string key = LowerCaseLatin1(typed);
    const Entry* exact = nullptr;
    const Entry* caseless = nullptr;
    for (auto it = LowerBound(key); it != entries_.end() && it->Key == key; ++it) {
        if (it->Name == typed) {
            exact = &*it;
        } else if (caseless == nullptr || (it->Part && !caseless->Part)) {
            caseless = &*it;
        }
    }
    const Entry* found = exact != nullptr ? exact : caseless;
    if (found == nullptr || typed.empty()) {
        return {};
    }
    return {found->Part ? Kind::Part : Kind::Net, found->Name};
}

} // namespace dorvik
