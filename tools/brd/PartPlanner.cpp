#include "PartPlanner.h"

#include <algorithm>
#include <array>

namespace dorvik::brd {

namespace {

template <std::size_t N> int Pick(const std::array<int, N>& choices, SplitMix64& random) {
    return choices[random.Below(static_cast<std::uint32_t>(N))];
}

constexpr int SupplyCount = 4; // VCC, +3V3, +1V8, +12V

PartPlan Ic(SplitMix64& random, bool bottom, int supply) {
    PartPlan ic;
    ic.Prefix = random.Percent(70) ? "U" : "IC";
    ic.Bottom = bottom;
    ic.Supply = supply;
    const std::uint32_t package = random.Below(100);
    if (package < 30) {
        ic.Kind = Package::Qfp;
        ic.Pins = Pick(std::array{32, 44, 48, 64, 80, 100}, random);
        ic.Pitch = 50;
    } else if (package < 70 || bottom) {
        // Through-hole ICs stay on the top: a bottom block gets a surface-mounted one.
        ic.Kind = Package::Soic;
        ic.Pins = Pick(std::array{8, 14, 16, 20, 24, 28}, random);
        ic.Pitch = 50;
        ic.Turned = random.Percent(30);
    } else {
        ic.Kind = Package::Dip;
        ic.Pins = Pick(std::array{8, 14, 16, 18, 20, 24, 28, 40}, random);
        ic.Pitch = 100;
        ic.Turned = random.Percent(30);
    }
    return ic;
}

PartPlan Chip(SplitMix64& random, const char* prefix, bool bottom, int supply) {
    PartPlan part;
    part.Kind = Package::Chip;
    part.Prefix = prefix;
    part.Pitch = Pick(std::array{75, 100, 125}, random);
    part.Turned = random.Percent(40);
    part.Bottom = bottom;
    part.Supply = supply;
    return part;
}

PartPlan Axial(SplitMix64& random, bool bottom) {
    PartPlan part;
    part.Kind = Package::Axial;
    part.Prefix = "R";
    part.Pitch = 400;
    part.Turned = random.Percent(30);
    part.Bottom = bottom;
    return part;
}

PartPlan Radial(SplitMix64& random, bool bottom, int supply) {
    PartPlan part;
    part.Kind = Package::Radial;
    part.Prefix = "C";
    part.Pitch = random.Percent(60) ? 100 : 200;
    part.Turned = random.Percent(50);
    part.Bottom = bottom;
    part.Decoupling = true;
    part.Supply = supply;
    return part;
}

Block IcBlock(SplitMix64& random) {
    const bool bottom = random.Percent(25);
    const int supply = random.Percent(50) ? 0 : random.Between(1, SupplyCount - 1);
    Block block{Ic(random, bottom, supply)};
    const int decoupling = 1 + block.front().Pins / 24;
    for (int i = 0; i < decoupling; ++i) {
        PartPlan cap = Chip(random, "C", bottom, supply);
        cap.Decoupling = true;
        block.push_back(cap);
    }
    if (random.Percent(15)) {
        block.push_back(Radial(random, bottom, supply));
    }
    const int resistors = random.Between(0, 4);
    for (int i = 0; i < resistors; ++i) {
        PartPlan r = Chip(random, "R", bottom, supply);
        r.PullUp = random.Percent(30);
        block.push_back(r);
    }
    if (random.Percent(20)) {
        PartPlan q;
        q.Kind = Package::Sot23;
        q.Prefix = "Q";
        q.Pins = 3;
        q.Bottom = bottom;
        q.Turned = random.Percent(50);
        block.push_back(q);
    }
    return block;
}

Block PassiveBlock(SplitMix64& random) {
    const bool bottom = random.Percent(30);
    const int supply = random.Below(SupplyCount);
    Block block;
    const int count = random.Between(4, 12);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t what = random.Below(100);
        if (what < 45) {
            PartPlan r = Chip(random, "R", bottom, supply);
            r.PullUp = random.Percent(20);
            block.push_back(r);
        } else if (what < 80) {
            PartPlan c = Chip(random, "C", bottom, supply);
            c.Decoupling = random.Percent(50);
            block.push_back(c);
        } else if (what < 90) {
            block.push_back(Axial(random, bottom));
        } else {
            block.push_back(Radial(random, bottom, supply));
        }
    }
    return block;
}

Block ConnectorBlock(SplitMix64& random, bool first) {
    PartPlan j;
    j.Kind = Package::Header;
    j.Prefix = "J";
    j.Pitch = 100;
    j.Rows = random.Percent(60) ? 2 : 1;
    j.Pins = j.Rows == 2 ? 2 * random.Between(5, 20) : random.Between(2, 16);
    j.Turned = random.Percent(30);
    // The first connector is the board's main one, reached from both sides.
    j.BothSides = random.Percent(30) || first;
    j.Supply = random.Percent(50) ? 0 : SupplyCount - 1;
    Block block{j};
    const int caps = random.Between(1, 2);
    for (int i = 0; i < caps; ++i) {
        PartPlan cap = Chip(random, "C", false, j.Supply);
        cap.Decoupling = true;
        block.push_back(cap);
    }
    return block;
}

} // namespace

std::vector<Block> PlanBlocks(int parts, bool dense, SplitMix64& random) {
    std::vector<Block> blocks;
    // Percentages of IC blocks and connector blocks; the rest are loose passives.
    const std::uint32_t icShare = dense ? 28 : 70;
    const std::uint32_t connectorShare = dense ? 1 : 5;
    int planned = 0;
    while (planned < parts) {
        Block block;
        const std::uint32_t what = random.Below(100);
        if (blocks.empty() || what < connectorShare) {
            block = ConnectorBlock(random, blocks.empty());
        } else if (what < connectorShare + icShare) {
            block = IcBlock(random);
        } else {
            block = PassiveBlock(random);
        }
        const auto room = static_cast<std::size_t>(parts - planned);
        if (block.size() > room) {
            block.resize(room);
        }
        planned += static_cast<int>(block.size());
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::int64_t PinTotal(const std::vector<Block>& blocks) noexcept {
    std::int64_t total = 0;
    for (const Block& block : blocks) {
        for (const PartPlan& part : block) {
            total += part.Pins;
        }
    }
    return total;
}

void FitPinTotal(std::vector<Block>& blocks, std::int64_t target, bool growToo) {
    std::vector<PartPlan*> sized; // parts whose pin count can change, in board order
    for (Block& block : blocks) {
        for (PartPlan& part : block) {
            if (PinStepOf(part) > 0) {
                sized.push_back(&part);
            }
        }
    }
    std::int64_t total = PinTotal(blocks);
    // Each pass changes every part by at most one step, so the sizes stay spread out.
    bool changed = true;
    while (total > target && changed) {
        changed = false;
        for (auto it = sized.rbegin(); it != sized.rend() && total > target; ++it) {
            PartPlan& part = **it;
            const int step = PinStepOf(part);
            if (part.Pins - step >= MinPinsOf(part)) {
                part.Pins -= step;
                total -= step;
                changed = true;
            }
        }
    }
    changed = true;
    while (growToo && total < target && changed) {
        changed = false;
        for (PartPlan* part : sized) {
            const int step = PinStepOf(*part);
            if (total + step <= target && part->Pins + step <= MaxPinsOf(*part)) {
                part->Pins += step;
                total += step;
                changed = true;
            }
        }
    }
}

} // namespace dorvik::brd
