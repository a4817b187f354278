#include "Wiring.h"

#include "board/BoardData.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <utility>

namespace dorvik::brd {

namespace {

struct Net {
    std::string Name;
    std::vector<std::size_t> Pins; // in pin table order
    std::int64_t Nails = 0;
    bool Ground = false;
    bool Signal = false;
};

std::string SignalName(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "N%04d", number);
    return text;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// Evenly spread picks: `count` indices out of 0 .. size - 1, in increasing order.
std::size_t Spread(std::size_t j, std::size_t count, std::size_t size) {
    return (2 * j + 1) * size / (2 * count);
}

// Ground on about a third of all pins: the packages' own ground pins, then IC and connector pins
// tied to ground (unused inputs, shield pins) spread over the board.
void TopUpGround(std::vector<PinRole>& roles, const std::vector<std::size_t>& partOf,
                 const std::vector<PartPlan>& plans) {
    const auto ground =
        static_cast<std::size_t>(std::count(roles.begin(), roles.end(), PinRole::Ground));
    const std::size_t wanted = roles.size() / 3;
    if (ground >= wanted) {
        return;
    }
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < roles.size(); ++i) {
        const PartPlan& plan = plans[partOf[i]];
        if (roles[i] == PinRole::Signal && (plan.IsIc() || plan.Kind == Package::Header)) {
            candidates.push_back(i);
        }
    }
    const std::size_t count = std::min(wanted - ground, candidates.size());
    for (std::size_t j = 0; j < count; ++j) {
        roles[candidates[Spread(j, count, candidates.size())]] = PinRole::Ground;
    }
}

// Signal pins joined into small nets of pins that lie near one another in the table, which the
// placement keeps near one another on the board.
void JoinSignals(GeneratedBoard& board, std::vector<std::size_t> signals, SplitMix64& random) {
    constexpr std::size_t Window = 32;
    for (std::size_t start = 0; start < signals.size(); start += Window) {
        const std::size_t end = std::min(start + Window, signals.size());
        for (std::size_t i = end - 1; i > start; --i) {
            const std::size_t j = start + random.Below(static_cast<std::uint32_t>(i - start + 1));
            std::swap(signals[i], signals[j]);
        }
    }
    if (signals.size() == 1) {
        board.Pins[signals.front()].Net = GroundNet;
        return;
    }
    int number = 0;
    std::size_t i = 0;
    while (i < signals.size()) {
        const std::uint32_t roll = random.Below(100);
        std::size_t size = roll < 40 ? 2 : roll < 70 ? 3 : roll < 88 ? 4 : 5 + random.Below(4);
        size = std::min(size, signals.size() - i);
        if (signals.size() - i - size == 1) {
            ++size; // no net of a single pin
        }
        const std::string name = SignalName(++number);
        for (std::size_t k = i; k < i + size; ++k) {
            board.Pins[signals[k]].Net = name;
        }
        i += size;
    }
}

std::vector<Net> CollectNets(const GeneratedBoard& board) {
    std::vector<Net> nets;
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < board.Pins.size(); ++i) {
        const std::string& name = board.Pins[i].Net;
        auto [it, added] = index.try_emplace(name, nets.size());
        if (added) {
            Net net;
            net.Name = name;
            net.Ground = name == GroundNet;
            net.Signal = !net.Ground && std::find(std::begin(SupplyNets), std::end(SupplyNets),
                                                  name) == std::end(SupplyNets);
            nets.push_back(std::move(net));
        }
        nets[it->second].Pins.push_back(i);
    }
    return nets;
}

void CountNails(std::vector<Net>& nets, const WiringTarget& target, SplitMix64& random) {
    std::vector<Net*> signals;
    std::int64_t fixed = 0;
    for (Net& net : nets) {
        const auto pins = static_cast<std::int64_t>(net.Pins.size());
        if (net.Ground) {
            net.Nails = target.GroundNails >= 0 ? std::min<std::int64_t>(target.GroundNails, pins)
                                                : CeilDiv(pins * 3, 10);
            fixed += net.Nails;
        } else if (!net.Signal) {
            net.Nails = CeilDiv(pins, 4);
            fixed += net.Nails;
        } else {
            signals.push_back(&net);
        }
    }
    if (target.Nails < 0) {
        // Most signal nets get one nail; the rest are left without a probe.
        for (Net* net : signals) {
            net->Nails = random.Percent(85) ? 1 : 0;
        }
    } else {
        // About one signal net in ten keeps no nail, as on real fixtures; the rest of the
        // budget goes round the probed nets that still have pins without a nail.
        const auto budget =
            static_cast<std::size_t>(std::max<std::int64_t>(target.Nails - fixed, 0));
        const std::size_t probed = std::min(budget, signals.size() - signals.size() / 10);
        for (std::size_t j = 0; j < probed; ++j) {
            signals[Spread(j, probed, signals.size())]->Nails = 1;
        }
        std::size_t left = budget - probed;
        bool room = true;
        while (left > 0 && room) {
            room = false;
            for (Net& net : nets) {
                if (left > 0 && !net.Ground && net.Nails > 0 &&
                    net.Nails < static_cast<std::int64_t>(net.Pins.size())) {
                    ++net.Nails;
                    --left;
                    room = true;
                }
            }
        }
    }
    // Never more nails than the table holds: drop them from the last nets first.
    std::int64_t total = 0;
    for (const Net& net : nets) {
        total += net.Nails;
    }
    const std::int64_t limit =
        target.Nails >= 0 ? std::min(target.Nails, target.MaxNails) : target.MaxNails;
    std::int64_t excess = total - limit;
    for (auto it = nets.rbegin(); it != nets.rend() && excess > 0; ++it) {
        const std::int64_t take = std::min(it->Nails, excess);
        it->Nails -= take;
        excess -= take;
    }
}

std::int8_t NailSideFor(const PartPlan& plan, SplitMix64& random) {
    const std::int8_t kind = KindOf(plan);
    if (kind & 4) {
        return 1;
    }
    if (kind & 8) {
        return 2;
    }
    // Through-hole pins are mostly probed from below, where the fixture's nails usually are.
    return random.Percent(25) ? 1 : 2;
}

} // namespace

void Wire(GeneratedBoard& board, const std::vector<PartPlan>& plans, const WiringTarget& target,
          SplitMix64& random) {
    std::vector<PinRole> roles;
    std::vector<std::size_t> partOf;
    roles.reserve(board.Pins.size());
    partOf.reserve(board.Pins.size());
    for (std::size_t j = 0; j < plans.size(); ++j) {
        for (PinRole role : PinRolesOf(plans[j])) {
            roles.push_back(role);
            partOf.push_back(j);
        }
    }
    TopUpGround(roles, partOf, plans);

    std::vector<std::size_t> signals;
    for (std::size_t i = 0; i < roles.size(); ++i) {
        switch (roles[i]) {
        case PinRole::Ground:
            board.Pins[i].Net = GroundNet;
            break;
        case PinRole::Supply:
            board.Pins[i].Net = SupplyNets[plans[partOf[i]].Supply];
            break;
        case PinRole::Signal:
            signals.push_back(i);
            break;
        }
    }
    JoinSignals(board, std::move(signals), random);

    std::vector<Net> nets = CollectNets(board);
    CountNails(nets, target, random);

    // Nails sit on pins spread along each net; numbered 1, 2, ... in pin table order.
    std::vector<std::size_t> nailPins;
    for (const Net& net : nets) {
        const auto m = static_cast<std::size_t>(net.Nails);
        for (std::size_t j = 0; j < m; ++j) {
            nailPins.push_back(net.Pins[Spread(j, m, net.Pins.size())]);
        }
    }
    std::sort(nailPins.begin(), nailPins.end());
    std::vector<std::int32_t> nailAt(board.Pins.size(), 0);
    board.Nails.clear();
    board.Nails.reserve(nailPins.size());
    for (std::size_t n = 0; n < nailPins.size(); ++n) {
        const std::size_t pin = nailPins[n];
        const auto number = static_cast<std::int32_t>(n + 1);
        nailAt[pin] = number;
        board.Nails.push_back({number, board.Pins[pin].At, NailSideFor(plans[partOf[pin]], random),
                               board.Pins[pin].Net});
    }

    // Each pin is probed by the nail of its stretch of the net; nets without nails have none.
    for (const Net& net : nets) {
        const auto m = static_cast<std::size_t>(net.Nails);
        const std::size_t k = net.Pins.size();
        for (std::size_t i = 0; i < k; ++i) {
            board.Pins[net.Pins[i]].Probe =
                m == 0 ? NoProbe : nailAt[net.Pins[Spread(i * m / k, m, k)]];
        }
    }
}

} // namespace dorvik::brd
