#pragma once
// Part packages of the generated boards: where each pin sits relative to the part, in board
// units of one mil (pitches of 100 and 50 mil, that is 2.54 mm and 1.27 mm), and what each pin
// is for, which decides its net.

#include "GeneratedBoard.h"

#include <cstdint>
#include <vector>

namespace dorvik::brd {

enum class Package : std::uint8_t {
    Qfp,    // pins on four sides, 50 mil pitch
    Soic,   // two rows, 50 mil pitch
    Dip,    // two rows, 100 mil pitch, through-hole
    Chip,   // two-pad surface-mounted resistor or capacitor
    Axial,  // through-hole resistor, leads 400 mil apart
    Radial, // through-hole capacitor
    Sot23,  // three-pin transistor
    Header, // connector, one or two rows at 100 mil, through-hole
};

enum class PinRole : std::uint8_t { Signal, Ground, Supply };

struct PartPlan {
    Package Kind = Package::Chip;
    const char* Prefix = "R"; // reference letters: U or IC, R, C, Q, J
    int Pins = 2;
    int Rows = 1;            // rows of a header
    int Pitch = 100;         // pin pitch of the package (lead spacing for passives)
    bool Turned = false;     // rotated a quarter turn
    bool Bottom = false;     // on the bottom side of the board
    bool BothSides = false;  // a through-hole body that belongs to both sides
    bool Decoupling = false; // a capacitor between the block's supply and ground
    bool PullUp = false;     // a resistor from a signal to the block's supply
    int Supply = 0;          // index of the supply net the part uses

    bool IsIc() const noexcept {
        return Kind == Package::Qfp || Kind == Package::Soic || Kind == Package::Dip;
    }
    bool IsThroughHole() const noexcept {
        return Kind == Package::Dip || Kind == Package::Axial || Kind == Package::Radial ||
               Kind == Package::Header;
    }
};

struct Footprint {
    std::vector<Point> Pins; // offsets, lowest x and y at 0
    std::int32_t Width = 0;  // extent of the pin centres
    std::int32_t Height = 0;
};

Footprint FootprintOf(const PartPlan& part);
std::vector<PinRole> PinRolesOf(const PartPlan& part);

// The Kind byte of the part: body side in bits 0-1, surface-mounted pads in bits 2 and 3.
std::int8_t KindOf(const PartPlan& part) noexcept;

// Space kept free around the pins of a part, so that pins of different parts stay apart.
std::int32_t ClearanceOf(const PartPlan& part) noexcept;

// Smallest and largest pin count of a package, and the step between its sizes.
int MinPinsOf(const PartPlan& part) noexcept;
int MaxPinsOf(const PartPlan& part) noexcept;
int PinStepOf(const PartPlan& part) noexcept;

} // namespace dorvik::brd
