#include "board/Ipc356Reader.h"

#include "board/Ipc356Record.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <span>
#include <unordered_map>

namespace dorvik {

namespace {

using namespace ipc356;

// Bytes of a line that are kept; the format's lines are 80 columns, long net names a little more.
constexpr std::size_t LineKept = 1024;
// Features that are no part's pads (vias, pads without a part) kept as nail candidates, and
// long net names kept: far beyond any real board, a bound for hostile files.
constexpr std::size_t OtherFeaturesKept = std::size_t{1} << 20;
constexpr std::size_t AliasesKept = std::size_t{1} << 16;

// The longest name the tables hold (their slots end with a zero byte).
constexpr std::size_t NameKept = NameSlotSize - 1;

// A net name or reference designator as the board tables and files can hold it: every byte that
// is not a visible ASCII character becomes '?', and so does the colon of a board file's section
// keyword inside the name (a board file's line with the keyword in it would start that section).
std::string Visible(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x21 || b > 0x7E) {
            c = '?';
        }
    }
    for (const std::string_view keyword :
         {"str_length:", "var_data:", "Format:", "Parts:", "Pins:", "Nails:"}) {
        for (std::size_t at = out.find(keyword); at != std::string::npos; at = out.find(keyword)) {
            out[at + keyword.size() - 1] = '?';
        }
    }
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char a = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (a != prefix[i]) {
            return false;
        }
    }
    return true;
}

// Counts of the file's unit into mils (the unit of the board tables), rounded half away from 0.
std::int64_t ToMils(std::int32_t counts, Units units) noexcept {
    const std::int64_t v = counts;
    const std::int64_t num = units == Units::Micrometre ? v * 10 : v;
    const std::int64_t den = units == Units::Micrometre ? 254 : 10;
    return v >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

enum class Mount : std::uint8_t { ThroughHole, Surface, Unplated };
enum class Preference : std::uint8_t { TestPoint, Via, Pad }; // nail candidates, best first

struct Feature {
    std::int64_t X = 0; // mils, not yet moved to the board origin
    std::int64_t Y = 0;
    std::int32_t RawNet = -1; // index into the net fields as written; -1 for N/C
    std::int32_t Part = -1;   // -1: no part (a via, or a pad without reference designator)
    std::int32_t Line = 0;
    int Access = 0;
    Mount Kind = Mount::ThroughHole;
    Preference Prefer = Preference::Pad;
    std::string Pin;
};

struct PartSeen {
    std::string Name;
    std::int32_t Line = 0;
};

struct Point64 {
    std::int64_t X = 0;
    std::int64_t Y = 0;
};

// The order of pins within a part: numbers numerically, then names in natural order (digit runs
// compared as numbers), then blank pins.
int PinClass(std::string_view pin) noexcept {
    if (pin.empty()) {
        return 2;
    }
    return std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; }) ? 0 : 1;
}

// Compares two runs of digits by value, without converting them (they may be long).
int CompareDigits(std::string_view a, std::string_view b) noexcept {
    while (a.size() > 1 && a.front() == '0') {
        a.remove_prefix(1);
    }
    while (b.size() > 1 && b.front() == '0') {
        b.remove_prefix(1);
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool PinBefore(std::string_view a, std::string_view b) noexcept {
    const int ca = PinClass(a);
    const int cb = PinClass(b);
    if (ca != cb) {
        return ca < cb;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && digit(a[ei])) {
                ++ei;
            }
            while (ej < b.size() && digit(b[ej])) {
                ++ej;
            }
            const int c = CompareDigits(a.substr(i, ei - i), b.substr(j, ej - j));
            if (c != 0) {
                return c < 0;
            }
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) {
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            }
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

void CopyName(std::string_view name, NameSlot& slot) noexcept {
    const std::size_t n = std::min(name.size(), NameKept);
    std::memcpy(slot.data(), name.data(), n);
    slot[n] = '\0';
}

class NetlistBuilder {
public:
    explicit NetlistBuilder(const NetlistOptions& options) : options_(options) {}

    // One line, without its line end; returns false after the 999 record.
    bool Line(int number, std::string_view text) {
        lines_ = number;
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        switch (KindOf(text)) {
        case RecordKind::Blank:
            return true;
        case RecordKind::Comment:
            Alias(number, text);
            return true;
        case RecordKind::Parameter:
            Param(number, text);
            return true;
        case RecordKind::ThroughHole:
            FeatureLine(number, text, Mount::ThroughHole);
            return true;
        case RecordKind::Surface:
            FeatureLine(number, text, Mount::Surface);
            return true;
        case RecordKind::Unplated:
            FeatureLine(number, text, Mount::Unplated);
            return true;
        case RecordKind::Continuation:
            ++result_.Counts.Continuations;
            return true;
        case RecordKind::Outline:
            outlineFeature_ = false;
            OutlineLine(number, text);
            return true;
        case RecordKind::OutlineMore:
            OutlineLine(number, text);
            return true;
        case RecordKind::End:
            return false;
        case RecordKind::Other:
            return true;
        case RecordKind::Unknown:
            Note(number, "unknown record \"" + Visible(text.substr(0, 3)) + "\"; line skipped");
            return true;
        }
        return true;
    }

    NetlistRead Finish(BoardData& board) {
        if (lines_ == 0) {
            Fail(0, "the file is empty");
            return std::move(result_);
        }
        if (pads_.empty()) {
            Fail(lines_, "no pads of parts (317, 327 or 367 records with a reference "
                         "designator) in " +
                             std::to_string(lines_) + " lines");
            return std::move(result_);
        }
        ResolveNets();
        StoreParts(board);
        ChooseNails(board);
        MakeOutline(board);
        MoveToOrigin(board);
        board.PartNameLength = NameLength(longestPart_);
        board.NetNameLength = NameLength(longestNet_);
        board.Declared = {board.OutlineCount, board.PartCount, board.PinCount, board.NailCount};
        board.VarData5 = board.VarData6 = 0;
        return std::move(result_);
    }

private:
    void Note(int line, std::string text) {
        if (result_.Findings.size() < NetlistFindingsKept) {
            result_.Findings.push_back({line, std::move(text)});
        } else {
            ++result_.FindingsLeftOut;
        }
    }

    void Fail(int line, std::string text) { result_.Error = NetlistMessage{line, std::move(text)}; }

    void Alias(int number, std::string_view text) {
        auto alias = ParseAlias(text);
        if (!alias) {
            return;
        }
        if (aliases_.size() >= AliasesKept && !aliases_.contains(alias->Key)) {
            Note(number, "more than " + std::to_string(AliasesKept) +
                             " long net names; this one is not read");
            return;
        }
        aliases_[alias->Key] = {std::move(alias->Name), number};
    }

    void Param(int number, std::string_view text) {
        const Parameter p = ParseParameter(text);
        if (p.Keyword == "UNITS") {
            if (const auto units = ParseUnits(p.Value)) {
                units_ = *units;
            } else {
                Note(number, "units \"" + Visible(p.Value) + "\" unknown; read as CUST 0 (inch)");
                units_ = Units::TenThousandthInch;
            }
            return;
        }
        Alias(number, text);
    }

    std::int32_t RawNet(const std::string& field) {
        if (field.empty() || field == "N/C") {
            return -1;
        }
        const auto [it, added] =
            rawNetIds_.try_emplace(field, static_cast<std::int32_t>(rawNets_.size()));
        if (added) {
            rawNets_.push_back(field);
        }
        return it->second;
    }

    void FeatureLine(int number, std::string_view text, Mount kind) {
        FeatureParse parsed = ParseFeature(text);
        if (parsed.Error) {
            Note(number, parsed.Error->Message + "; record skipped");
            return;
        }
        FeatureRecord& r = parsed.Record;
        maxAccess_ = std::max(maxAccess_, r.Access);
        const bool via = StartsWithNoCase(r.RefDes, "VIA") && r.RefDes.size() == 3;
        const bool ofPart = !r.RefDes.empty() && !via;
        if (via) {
            ++result_.Counts.Vias;
        }
        if (ofPart && pads_.size() >= static_cast<std::size_t>(PinCapacity)) {
            if (!pinsFullNoted_) {
                Note(number, "pin table full (" + std::to_string(PinCapacity) +
                                 " entries): pads from here on are not read");
                pinsFullNoted_ = true;
            }
            return;
        }
        if (!ofPart && others_.size() >= OtherFeaturesKept) {
            if (!othersFullNoted_) {
                Note(number, "more than " + std::to_string(OtherFeaturesKept) +
                                 " vias and loose pads; the rest are not read");
                othersFullNoted_ = true;
            }
            return;
        }
        Feature f;
        f.X = ToMils(r.X, units_);
        f.Y = ToMils(r.Y, units_);
        f.RawNet = RawNet(r.Net);
        f.Line = number;
        f.Access = r.Access;
        f.Kind = kind;
        f.Prefer =
            via ? Preference::Via
                : (StartsWithNoCase(r.RefDes, "TP") ? Preference::TestPoint : Preference::Pad);
        if (!ofPart) {
            others_.push_back(std::move(f));
            return;
        }
        const std::string name = Visible(r.RefDes);
        const auto [it, added] =
            partIds_.try_emplace(name, static_cast<std::int32_t>(parts_.size()));
        if (added) {
            parts_.push_back({name, number});
        }
        f.Part = it->second;
        f.Pin = std::move(r.Pin);
        if (f.Prefer == Preference::TestPoint) {
            ++result_.Counts.TestPoints;
        }
        pads_.push_back(std::move(f));
    }

    void OutlineLine(int number, std::string_view text) {
        OutlineParse parsed = ParseOutline(text, outlineLast_);
        if (parsed.Error) {
            Note(number, parsed.Error->Message + "; rest of the outline record skipped");
        }
        if (text.substr(0, 3) == "389") {
            outlineFeature_ = parsed.Record.Name == "BOARD_EDGE";
            // Only the first board edge is the outline; a later one would be drawn joined to it.
            if (outlineFeature_ && boardEdgeSeen_) {
                outlineFeature_ = false;
                Note(number, "a second BOARD_EDGE; only the first is drawn");
            }
            boardEdgeSeen_ = boardEdgeSeen_ || outlineFeature_;
        }
        if (!outlineFeature_) {
            return;
        }
        for (const OutlinePointRecord& p : parsed.Record.Points) {
            if (edge_.size() >= static_cast<std::size_t>(OutlineCapacity) - 1) {
                if (!outlineFullNoted_) {
                    Note(number, "outline table full (" + std::to_string(OutlineCapacity) +
                                     " entries): the rest of the board edge is not read");
                    outlineFullNoted_ = true;
                }
                return;
            }
            edge_.push_back({ToMils(p.X, units_), ToMils(p.Y, units_)});
        }
    }

    // The name of each net as written (or through its long name), and one index per name.
    void ResolveNets() {
        rawToNet_.assign(rawNets_.size(), -1);
        std::unordered_map<std::string, std::int32_t> netIds;
        for (std::size_t i = 0; i < rawNets_.size(); ++i) {
            const std::string& raw = rawNets_[i];
            int line = 0;
            std::string name = raw;
            auto alias = aliases_.find(raw);
            if (alias == aliases_.end()) {
                alias = aliases_.find("NNAME" + raw);
            }
            if (alias != aliases_.end()) {
                name = alias->second.Name;
                line = alias->second.Line;
            }
            name = Visible(name);
            if (name.size() > NameKept) {
                Note(line, "net name " + name.substr(0, 20) + "... has " +
                               std::to_string(name.size()) + " characters; cut to " +
                               std::to_string(NameKept));
                name.resize(NameKept);
            }
            const auto [it, added] =
                netIds.try_emplace(name, static_cast<std::int32_t>(netNames_.size()));
            if (added) {
                netNames_.push_back(name);
                longestNet_ = std::max(longestNet_, name.size());
            }
            rawToNet_[i] = it->second;
        }
        result_.Counts.Nets = static_cast<std::int32_t>(netNames_.size());
    }

    std::int32_t NetOf(const Feature& f) const noexcept {
        return f.RawNet < 0 ? -1 : rawToNet_[static_cast<std::size_t>(f.RawNet)];
    }

    bool IsBottomLayer(int access) const noexcept { return access > 1 && access == maxAccess_; }

    // The sides from which a tester can touch the feature.
    std::pair<bool, bool> Reach(const Feature& f) const noexcept {
        switch (f.Kind) {
        case Mount::ThroughHole:
            return {true, true};
        case Mount::Surface:
            return {f.Access == 0 || f.Access == 1, f.Access == 0 || IsBottomLayer(f.Access)};
        case Mount::Unplated:
            break;
        }
        return {false, false};
    }

    static std::int8_t PartKindOf(std::span<const Feature* const> pins, int maxAccess) noexcept {
        int top = 0;
        int bottom = 0;
        bool through = false;
        for (const Feature* f : pins) {
            const bool onBottom = f->Access > 1 && f->Access == maxAccess;
            through = through || f->Kind == Mount::ThroughHole;
            if (f->Kind == Mount::Unplated) {
                continue;
            }
            top += f->Access == 1 ? 1 : 0;
            bottom += onBottom ? 1 : 0;
        }
        const bool anySurface = std::any_of(
            pins.begin(), pins.end(), [](const Feature* f) { return f->Kind == Mount::Surface; });
        if (through || !anySurface) {
            // Through-hole: the body sits on the bottom only when every pad that names a side
            // names the bottom.
            return (bottom > 0 && top == 0) ? BottomSide : TopSide;
        }
        return bottom > top ? static_cast<std::int8_t>(8 | BottomSide)
                            : static_cast<std::int8_t>(4 | TopSide);
    }

    void StoreParts(BoardData& board) {
        std::size_t partsKept = parts_.size();
        if (partsKept > static_cast<std::size_t>(PartCapacity)) {
            const PartSeen& first = parts_[static_cast<std::size_t>(PartCapacity)];
            Note(first.Line, "part table full (" + std::to_string(PartCapacity) +
                                 " entries): " + std::to_string(partsKept - PartCapacity) +
                                 " parts from " + first.Name + " on are not read");
            partsKept = static_cast<std::size_t>(PartCapacity);
        }
        // The pads of each part, in file order, then in pin order.
        std::vector<std::vector<const Feature*>> byPart(partsKept);
        for (const Feature& f : pads_) {
            if (static_cast<std::size_t>(f.Part) < partsKept) {
                byPart[static_cast<std::size_t>(f.Part)].push_back(&f);
            }
        }
        pinNet_.clear();
        std::int32_t pin = 0;
        for (std::size_t j = 0; j < partsKept; ++j) {
            auto& pins = byPart[j];
            std::stable_sort(pins.begin(), pins.end(), [](const Feature* a, const Feature* b) {
                return PinBefore(a->Pin, b->Pin);
            });
            PartEntry& part = board.PartTable[j];
            CopyName(parts_[j].Name, part.Name);
            longestPart_ = std::max(longestPart_, parts_[j].Name.size());
            part.Kind = PartKindOf(pins, maxAccess_);
            for (const Feature* f : pins) {
                PinEntry& entry = board.PinTable[static_cast<std::size_t>(pin)];
                entry.X = static_cast<std::int32_t>(f->X); // moved to the origin later
                entry.Y = static_cast<std::int32_t>(f->Y);
                entry.Probe = NoProbe;
                entry.Extra = 0;
                const std::int32_t net = NetOf(*f);
                CopyName(net < 0 ? std::string_view("N/C")
                                 : std::string_view(netNames_[static_cast<std::size_t>(net)]),
                         entry.Net);
                pinNet_.push_back(net);
                ++pin;
            }
            part.PinEnd = pin;
        }
        longestNet_ = std::max<std::size_t>(longestNet_, 3); // "N/C"
        board.PartCount = static_cast<std::int32_t>(partsKept);
        board.PinCount = pin;
        result_.Counts.Parts = board.PartCount;
        result_.Counts.Pins = pin;
    }

    bool Probeable(const Feature& f) const noexcept {
        const auto [top, bottom] = Reach(f);
        switch (options_.Probing) {
        case ProbeSide::Bottom:
            return bottom;
        case ProbeSide::Top:
            return top;
        case ProbeSide::Both:
            return top || bottom;
        }
        return false;
    }

    std::int8_t NailSideFor(const Feature& f) const noexcept {
        if (options_.Probing == ProbeSide::Top) {
            return TopSide;
        }
        if (options_.Probing == ProbeSide::Bottom) {
            return BottomSide;
        }
        return Reach(f).second ? BottomSide : TopSide;
    }

    void ChooseNails(BoardData& board) {
        // Only nets that reach a stored pin get a nail: a nail elsewhere could not be asked for.
        std::vector<bool> hasPin(netNames_.size(), false);
        for (const std::int32_t net : pinNet_) {
            if (net >= 0) {
                hasPin[static_cast<std::size_t>(net)] = true;
            }
        }
        std::vector<const Feature*> best(netNames_.size(), nullptr);
        const auto consider = [&](const Feature& f) {
            const std::int32_t net = NetOf(f);
            if (net < 0 || !hasPin[static_cast<std::size_t>(net)] || !Probeable(f)) {
                return;
            }
            const Feature*& chosen = best[static_cast<std::size_t>(net)];
            if (chosen == nullptr || f.Prefer < chosen->Prefer ||
                (f.Prefer == chosen->Prefer && f.Line < chosen->Line)) {
                chosen = &f;
            }
        };
        for (const Feature& f : pads_) {
            consider(f);
        }
        for (const Feature& f : others_) {
            consider(f);
        }
        nailOfNet_.assign(netNames_.size(), NoProbe);
        std::int32_t count = 0;
        for (std::size_t net = 0; net < netNames_.size(); ++net) {
            const Feature* f = best[net];
            if (f == nullptr) {
                continue;
            }
            if (count == NailCapacity) {
                Note(f->Line, "nail table full (" + std::to_string(NailCapacity) +
                                  " entries): net " + netNames_[net] +
                                  " and the nets after it get no nail");
                break;
            }
            NailEntry& nail = board.NailTable[static_cast<std::size_t>(count)];
            nail.Number = count + 1;
            nail.X = static_cast<std::int32_t>(f->X);
            nail.Y = static_cast<std::int32_t>(f->Y);
            nail.Side = NailSideFor(*f);
            CopyName(netNames_[net], nail.Net);
            nailOfNet_[net] = nail.Number;
            ++count;
        }
        board.NailCount = count;
        result_.Counts.Nails = count;
        for (std::int32_t i = 0; i < board.PinCount; ++i) {
            const std::int32_t net = pinNet_[static_cast<std::size_t>(i)];
            if (net >= 0) {
                board.PinTable[static_cast<std::size_t>(i)].Probe =
                    nailOfNet_[static_cast<std::size_t>(net)];
            }
        }
    }

    void MakeOutline(BoardData& board) {
        outline_.clear();
        const bool flat = Flat(edge_);
        if (flat) {
            Note(0, "the BOARD_EDGE encloses no area; the outline is drawn around the pads");
        }
        if (edge_.size() >= 2 && !flat) {
            outline_ = edge_;
            const Point64 first = outline_.front();
            const Point64 last = outline_.back();
            if (first.X != last.X || first.Y != last.Y) {
                outline_.push_back(first); // room was kept for it
            }
            result_.Counts.BoardEdge = true;
        } else {
            if (boardEdgeSeen_ && edge_.size() < 2) {
                Note(0, "the BOARD_EDGE has fewer than two points; the outline is drawn around "
                        "the pads");
            }
            // Around the parts' pads and the nails: features far off the board without a part
            // (tooling holes, panel fiducials) do not stretch it.
            Point64 lo{INT64_MAX, INT64_MAX};
            Point64 hi{INT64_MIN, INT64_MIN};
            const auto widen = [&](std::int64_t x, std::int64_t y) {
                lo = {std::min(lo.X, x), std::min(lo.Y, y)};
                hi = {std::max(hi.X, x), std::max(hi.Y, y)};
            };
            for (std::int32_t i = 0; i < board.PinCount; ++i) {
                const PinEntry& p = board.PinTable[static_cast<std::size_t>(i)];
                widen(p.X, p.Y);
            }
            for (std::int32_t i = 0; i < board.NailCount; ++i) {
                const NailEntry& n = board.NailTable[static_cast<std::size_t>(i)];
                widen(n.X, n.Y);
            }
            const std::int64_t margin =
                std::max<std::int64_t>(100, std::max(hi.X - lo.X, hi.Y - lo.Y) / 50);
            lo = {lo.X - margin, lo.Y - margin};
            hi = {hi.X + margin, hi.Y + margin};
            outline_ = {lo, {hi.X, lo.Y}, hi, {lo.X, hi.Y}, lo};
        }
        board.OutlineCount = static_cast<std::int32_t>(outline_.size());
    }

    // Whether a board edge of two points or more spans no area (every point on one line along x
    // or y); the view could not fit it.
    static bool Flat(const std::vector<Point64>& edge) noexcept {
        if (edge.size() < 2) {
            return false;
        }
        const auto [loX, hiX] = std::minmax_element(
            edge.begin(), edge.end(), [](const Point64& a, const Point64& b) { return a.X < b.X; });
        const auto [loY, hiY] = std::minmax_element(
            edge.begin(), edge.end(), [](const Point64& a, const Point64& b) { return a.Y < b.Y; });
        return loX->X == hiX->X || loY->Y == hiY->Y;
    }

    // Moves the board so that the outline's lower left corner is the origin: the view fits the
    // board together with the origin, so a board far from it would be drawn small in a corner.
    void MoveToOrigin(BoardData& board) {
        std::int64_t minX = INT64_MAX;
        std::int64_t minY = INT64_MAX;
        for (const Point64& p : outline_) {
            minX = std::min(minX, p.X);
            minY = std::min(minY, p.Y);
        }
        const auto fit = [](std::int64_t v) {
            return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
        };
        for (std::size_t i = 0; i < outline_.size(); ++i) {
            board.OutlineTable[i] = {fit(outline_[i].X - minX), fit(outline_[i].Y - minY)};
        }
        for (std::int32_t i = 0; i < board.PinCount; ++i) {
            PinEntry& p = board.PinTable[static_cast<std::size_t>(i)];
            p.X = fit(p.X - minX);
            p.Y = fit(p.Y - minY);
        }
        for (std::int32_t i = 0; i < board.NailCount; ++i) {
            NailEntry& n = board.NailTable[static_cast<std::size_t>(i)];
            n.X = fit(n.X - minX);
            n.Y = fit(n.Y - minY);
        }
    }

    static std::int32_t NameLength(std::size_t longest) noexcept {
        return static_cast<std::int32_t>(std::min(longest, NameKept) + 1);
    }

    struct AliasSeen {
        std::string Name;
        int Line = 0;
    };

    NetlistOptions options_;
    NetlistRead result_;
    int lines_ = 0;
    Units units_ = Units::TenThousandthInch;
    int maxAccess_ = 0;

    std::unordered_map<std::string, AliasSeen> aliases_;
    std::unordered_map<std::string, std::int32_t> rawNetIds_;
    std::vector<std::string> rawNets_;
    std::vector<std::int32_t> rawToNet_;
    std::vector<std::string> netNames_;

    std::unordered_map<std::string, std::int32_t> partIds_;
    std::vector<PartSeen> parts_;
    std::vector<Feature> pads_;   // pads of parts, file order
    std::vector<Feature> others_; // vias and pads without a part
    std::vector<std::int32_t> pinNet_;
    std::vector<std::int32_t> nailOfNet_;

    std::vector<Point64> edge_;
    std::vector<Point64> outline_;
    OutlinePointRecord outlineLast_;
    bool outlineFeature_ = false;
    bool boardEdgeSeen_ = false;

    std::size_t longestPart_ = 1;
    std::size_t longestNet_ = 1;
    bool pinsFullNoted_ = false;
    bool othersFullNoted_ = false;
    bool outlineFullNoted_ = false;
};

} // namespace

NetlistRead ReadNetlist(std::string_view text, BoardData& board, const NetlistOptions& options) {
    NetlistBuilder builder(options);
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, std::min(end, text.size()));
        if (number == INT_MAX - 1 || !builder.Line(++number, line.substr(0, LineKept))) {
            break;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return builder.Finish(board);
}

NetlistRead ReadNetlist(std::FILE* file, BoardData& board, const NetlistOptions& options) {
    NetlistBuilder builder(options);
    std::array<char, 1 << 16> block{};
    std::string line;
    line.reserve(LineKept);
    int number = 0;
    bool more = true;
    bool pending = false; // bytes of a line without its line feed yet
    int readError = 0;
    while (more) {
        errno = 0;
        const std::size_t n = file == nullptr ? 0 : std::fread(block.data(), 1, block.size(), file);
        if (n == 0) {
            if (file != nullptr && std::ferror(file)) {
                readError = errno != 0 ? errno : EIO;
            }
            break;
        }
        for (std::size_t i = 0; i < n && more; ++i) {
            const char c = block[i];
            if (c == '\n') {
                more = number < INT_MAX - 1 && builder.Line(++number, line);
                line.clear();
                pending = false;
                continue;
            }
            pending = true;
            if (line.size() < LineKept) {
                line.push_back(c);
            }
        }
    }
    if (more && pending) {
        builder.Line(++number, line);
    }
    NetlistRead read = builder.Finish(board);
    read.ReadError = readError;
    return read;
}

} // namespace dorvik
