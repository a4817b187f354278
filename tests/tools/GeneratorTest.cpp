#include "brd/Generator.h"
#include "brd/Checker.h"
#include "brd/Codec.h"

#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace dorvik::brd {
namespace {

std::string ReadSourceFile(const std::string& relative) {
    std::ifstream in(std::string(DORVIK_SOURCE_DIR) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in) << relative;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Loaded {
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    ReadSummary summary;
};

Loaded Load(const std::string& stored) {
    Loaded loaded;
    loaded.summary = test::ReadStored(*loaded.board, stored);
    return loaded;
}

std::string Prefix(const char* name) {
    std::string prefix;
    for (; *name != '\0' && (*name < '0' || *name > '9'); ++name) {
        prefix += *name;
    }
    return prefix;
}

struct Segment {
    std::int64_t ax, ay, bx, by;
};

int Orientation(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t cx,
                std::int64_t cy) {
    const std::int64_t cross = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    return (cross > 0) - (cross < 0);
}

bool OnSegment(const Segment& s, std::int64_t x, std::int64_t y) {
    return std::min(s.ax, s.bx) <= x && x <= std::max(s.ax, s.bx) && std::min(s.ay, s.by) <= y &&
           y <= std::max(s.ay, s.by);
}

bool Touch(const Segment& p, const Segment& q) {
    const int o1 = Orientation(p.ax, p.ay, p.bx, p.by, q.ax, q.ay);
    const int o2 = Orientation(p.ax, p.ay, p.bx, p.by, q.bx, q.by);
    const int o3 = Orientation(q.ax, q.ay, q.bx, q.by, p.ax, p.ay);
    const int o4 = Orientation(q.ax, q.ay, q.bx, q.by, p.bx, p.by);
    if (o1 != o2 && o3 != o4) {
        return true;
    }
    return (o1 == 0 && OnSegment(p, q.ax, q.ay)) || (o2 == 0 && OnSegment(p, q.bx, q.by)) ||
           (o3 == 0 && OnSegment(q, p.ax, p.ay)) || (o4 == 0 && OnSegment(q, p.bx, p.by));
}

std::vector<Segment> Edges(const BoardData& b) {
    std::vector<Segment> edges;
    for (std::int32_t i = 0; i + 1 < b.OutlineCount; ++i) {
        const auto& p = b.OutlineTable[static_cast<std::size_t>(i)];
        const auto& q = b.OutlineTable[static_cast<std::size_t>(i + 1)];
        edges.push_back({p.X, p.Y, q.X, q.Y});
    }
    return edges;
}

// Even-odd rule; points on the outline do not occur, the parts keep a margin.
bool Inside(const std::vector<Segment>& edges, std::int64_t x, std::int64_t y) {
    bool inside = false;
    for (const Segment& e : edges) {
        if ((e.ay > y) != (e.by > y)) {
            const std::int64_t dy = e.by - e.ay;
            const std::int64_t lhs = (x - e.ax) * dy;
            const std::int64_t rhs = (e.bx - e.ax) * (y - e.ay);
            if (dy > 0 ? lhs < rhs : lhs > rhs) {
                inside = !inside;
            }
        }
    }
    return inside;
}

// What every generated board must be: exactly what its counts say, a closed outline that is no
// plain rectangle and holds every pin, parts of the realistic kinds and sizes, pins apart from
// one another, nails on pins of their own nets, and nothing the checker would report.
void ExpectSoundBoard(const std::string& stored, const GenerateOptions& options) {
    SCOPED_TRACE("parts " + std::to_string(options.Parts) + " seed " +
                 std::to_string(options.Seed) + (options.Full ? " full" : ""));
    const CheckReport report = CheckBoardBytes(stored);
    EXPECT_TRUE(report.Clean()) << report.Findings.front().Line << ": "
                                << report.Findings.front().Message;

    const Loaded loaded = Load(stored);
    const BoardData& b = *loaded.board;
    const ReadSummary& s = loaded.summary;
    EXPECT_EQ(b.PartNameLength, 16);
    EXPECT_EQ(b.NetNameLength, 32);
    EXPECT_EQ(s.OutlineLines, b.OutlineCount);
    EXPECT_EQ(s.PartLines, b.PartCount);
    EXPECT_EQ(s.PinLines, b.PinCount);
    EXPECT_EQ(s.NailLines, b.NailCount);
    EXPECT_EQ(b.Declared.Pins, b.PinCount);
    EXPECT_EQ(b.PartCount, options.Full ? PartCapacity : options.Parts);
    if (options.Full) {
        EXPECT_EQ(b.OutlineCount, OutlineCapacity);
        EXPECT_EQ(b.PinCount, PinCapacity);
        EXPECT_EQ(b.NailCount, NailCapacity);
    }

    // Outline: closed, simple, not a plain rectangle.
    ASSERT_GE(b.OutlineCount, 6);
    const auto& first = b.OutlineTable[0];
    const auto& last = b.OutlineTable[static_cast<std::size_t>(b.OutlineCount - 1)];
    EXPECT_TRUE(first.X == last.X && first.Y == last.Y);
    const std::vector<Segment> edges = Edges(b);
    EXPECT_TRUE(std::any_of(edges.begin(), edges.end(),
                            [](const Segment& e) { return e.ax != e.bx && e.ay != e.by; }));
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 2; j < edges.size(); ++j) {
            if (i == 0 && j + 1 == edges.size()) {
                continue; // the closing edge meets the first one
            }
            ASSERT_FALSE(Touch(edges[i], edges[j])) << "outline edges " << i << " and " << j;
        }
    }

    // Parts: realistic names, kinds and pin counts; pins owned in order.
    const std::set<std::string> prefixes{"U", "IC", "R", "C", "Q", "J"};
    const std::set<int> kinds{0, 1, 2, 5, 10};
    std::set<std::string> names;
    for (std::int32_t j = 0; j < b.PartCount; ++j) {
        const PartEntry& part = b.PartTable[static_cast<std::size_t>(j)];
        const std::string prefix = Prefix(PartName(part));
        const std::int32_t pins = part.PinEnd - FirstPinOf(b, j);
        ASSERT_TRUE(prefixes.count(prefix)) << PartName(part);
        ASSERT_TRUE(kinds.count(part.Kind)) << PartName(part);
        ASSERT_TRUE(names.insert(PartName(part)).second) << PartName(part);
        if (prefix == "U" || prefix == "IC") {
            ASSERT_TRUE(pins >= 8 && pins <= 100) << PartName(part) << " " << pins;
        } else {
            ASSERT_GE(pins, 2) << PartName(part);
        }
    }
    EXPECT_EQ(b.PartTable[static_cast<std::size_t>(b.PartCount - 1)].PinEnd, b.PinCount);

    // Pins: inside the outline, at least one pitch of 50 units from every other pin.
    constexpr std::int64_t Pitch = 50;
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> grid;
    auto cell = [](std::int64_t cx, std::int64_t cy) {
        return static_cast<std::uint64_t>(cx + (1 << 20)) << 32 |
               static_cast<std::uint64_t>(cy + (1 << 20));
    };
    std::map<std::pair<std::int32_t, std::int32_t>, std::string> netAt;
    std::size_t ground = 0;
    for (std::int32_t i = 0; i < b.PinCount; ++i) {
        const PinEntry& p = b.PinTable[static_cast<std::size_t>(i)];
        const std::int64_t cx = p.X / Pitch;
        const std::int64_t cy = p.Y / Pitch;
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = grid.find(cell(cx + dx, cy + dy));
                if (it == grid.end()) {
                    continue;
                }
                for (std::int32_t other : it->second) {
                    const PinEntry& q = b.PinTable[static_cast<std::size_t>(other)];
                    const std::int64_t ex = p.X - q.X;
                    const std::int64_t ey = p.Y - q.Y;
                    ASSERT_GE(ex * ex + ey * ey, Pitch * Pitch) << "pins " << other << ", " << i;
                }
            }
        }
        grid[cell(cx, cy)].push_back(i);
        // Every pin on small boards, a sample of a large one (the test is quadratic).
        if (b.PinCount < 2000 || i % 97 == 0) {
            ASSERT_TRUE(Inside(edges, p.X, p.Y)) << "pin " << i;
        }
        netAt[{p.X, p.Y}] = PinNet(p);
        ground += std::string_view(PinNet(p)) == "GND";
    }
    if (b.PinCount >= 300) {
        EXPECT_GT(ground * 4, static_cast<std::size_t>(b.PinCount)); // about a third
        EXPECT_LT(ground * 5, static_cast<std::size_t>(b.PinCount) * 2);
    }

    // Nails: each on a pin of its own net, numbered without gaps.
    for (std::int32_t n = 0; n < b.NailCount; ++n) {
        const NailEntry& nail = b.NailTable[static_cast<std::size_t>(n)];
        EXPECT_EQ(nail.Number, n + 1);
        const auto it = netAt.find({nail.X, nail.Y});
        ASSERT_NE(it, netAt.end()) << "nail " << nail.Number;
        ASSERT_EQ(it->second, NailNet(nail)) << "nail " << nail.Number;
    }
}

// Everything a board of some size shows: ICs of both names, every kind of part, nails on both
// sides, pins without a probe, power and signal nets.
void ExpectVariety(const std::string& stored) {
    const Loaded loaded = Load(stored);
    const BoardData& b = *loaded.board;
    std::set<std::string> prefixes;
    std::set<int> kinds;
    for (std::int32_t j = 0; j < b.PartCount; ++j) {
        prefixes.insert(Prefix(PartName(b.PartTable[static_cast<std::size_t>(j)])));
        kinds.insert(b.PartTable[static_cast<std::size_t>(j)].Kind);
    }
    EXPECT_EQ(prefixes, (std::set<std::string>{"U", "IC", "R", "C", "Q", "J"}));
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 5, 10}));
    std::set<std::string> nets;
    bool unprobed = false;
    for (std::int32_t i = 0; i < b.PinCount; ++i) {
        nets.insert(PinNet(b.PinTable[static_cast<std::size_t>(i)]));
        unprobed = unprobed || b.PinTable[static_cast<std::size_t>(i)].Probe == NoProbe;
    }
    EXPECT_TRUE(unprobed);
    for (const char* net : {"GND", "VCC", "N0001", "N0002"}) {
        EXPECT_TRUE(nets.count(net)) << net;
    }
    std::set<int> sides;
    for (std::int32_t n = 0; n < b.NailCount; ++n) {
        sides.insert(b.NailTable[static_cast<std::size_t>(n)].Side);
    }
    EXPECT_EQ(sides, (std::set<int>{1, 2}));
}

TEST(Generator, SameOptionsGiveTheSameBoard) {
    const GenerateOptions options{40, 12345, false};
    EXPECT_EQ(GenerateStored(options), GenerateStored(options));
    EXPECT_NE(GenerateStored(options), GenerateStored({40, 12346, false}));
}

TEST(Generator, BoardsOfEverySizeAreSound) {
    const GenerateOptions cases[] = {
        {1, 1, false}, {2, 99, false}, {25, 3, false}, DemoOptions, {3000, 5, false},
    };
    for (const GenerateOptions& options : cases) {
        ExpectSoundBoard(GenerateStored(options), options);
    }
}

TEST(Generator, FullBoardFillsEveryTableExactly) {
    const GenerateOptions full{PartCapacity, 1, true};
    const std::string stored = GenerateStored(full);
    ExpectSoundBoard(stored, full);
    ExpectVariety(stored);
    const Loaded loaded = Load(stored);
    std::int32_t groundNails = 0;
    for (std::int32_t n = 0; n < loaded.board->NailCount; ++n) {
        groundNails += std::string_view(
                           NailNet(loaded.board->NailTable[static_cast<std::size_t>(n)])) == "GND";
    }
    EXPECT_EQ(groundNails, 10000);
}

TEST(Generator, LargestBoardWithoutFullStaysWithinThePinTable) {
    const GenerateOptions options{PartCapacity, 2, false};
    const Loaded loaded = Load(GenerateStored(options));
    EXPECT_EQ(loaded.board->PartCount, PartCapacity);
    EXPECT_LE(loaded.summary.PinLines, PinCapacity);
    EXPECT_EQ(loaded.summary.PinLines, loaded.board->PinCount);
    EXPECT_LE(loaded.summary.NailLines, NailCapacity);
}

TEST(Examples, DemoBoardIsWhatTheGeneratorMakes) {
    const std::string demo = ReadSourceFile("examples/demo.brd");
    EXPECT_TRUE(demo == GenerateStored(DemoOptions))
        << "examples/demo.brd differs from: dorvik-brd generate --parts " << DemoOptions.Parts
        << " --seed " << DemoOptions.Seed;
    EXPECT_EQ(DecodeStored(demo).Bytes, ReadSourceFile("examples/demo.txt"));
    ExpectVariety(demo);
    const Loaded loaded = Load(demo);
    EXPECT_TRUE(loaded.board->PartCount >= 60 && loaded.board->PartCount <= 150);
}

TEST(Examples, SmallBoardIsItsPlainTextStored) {
    const std::string small = ReadSourceFile("examples/small.brd");
    EXPECT_EQ(small, EncodePlain(ReadSourceFile("examples/small.txt")).Bytes);
    const CheckReport report = CheckBoardBytes(small);
    EXPECT_TRUE(report.Clean()) << report.Findings.front().Message;
}

} // namespace
} // namespace dorvik::brd
