#include "Footprint.h"

#include <utility>

namespace dorvik::brd {

namespace {

// Two rows facing each other: pin 1 at the top of the left row, counting down the left row and
// up the right one, as ICs are numbered.
void TwoRows(Footprint& fp, int pins, std::int32_t pitch, std::int32_t span) {
    const int perRow = pins / 2;
    const std::int32_t length = (perRow - 1) * pitch;
    for (int i = 0; i < perRow; ++i) {
        fp.Pins.push_back({0, length - i * pitch});
    }
    for (int i = 0; i < perRow; ++i) {
        fp.Pins.push_back({span, i * pitch});
    }
    fp.Width = span;
    fp.Height = length;
}

// Four sides with the corners left free, counted counter-clockwise from the top of the left side.
void FourSides(Footprint& fp, int pins, std::int32_t pitch) {
    const int perSide = pins / 4;
    const std::int32_t inset = 2 * pitch;
    const std::int32_t size = (perSide - 1) * pitch + 2 * inset;
    for (int i = 0; i < perSide; ++i) {
        fp.Pins.push_back({0, size - inset - i * pitch});
    }
    for (int i = 0; i < perSide; ++i) {
        fp.Pins.push_back({inset + i * pitch, 0});
    }
    for (int i = 0; i < perSide; ++i) {
        fp.Pins.push_back({size, inset + i * pitch});
    }
    for (int i = 0; i < perSide; ++i) {
        fp.Pins.push_back({size - inset - i * pitch, size});
    }
    fp.Width = size;
    fp.Height = size;
}

// A connector: one row, or two rows numbered in pairs across them.
void Header(Footprint& fp, int pins, int rows, std::int32_t pitch) {
    for (int i = 0; i < pins; ++i) {
        const int column = rows == 2 ? i / 2 : i;
        const int row = rows == 2 ? 1 - i % 2 : 0;
        fp.Pins.push_back({column * pitch, row * pitch});
    }
    fp.Width = ((rows == 2 ? (pins + 1) / 2 : pins) - 1) * pitch;
    fp.Height = (rows - 1) * pitch;
}

void QuarterTurn(Footprint& fp) {
    for (Point& p : fp.Pins) {
        p = {p.Y, fp.Width - p.X};
    }
    std::swap(fp.Width, fp.Height);
}

} // namespace

Footprint FootprintOf(const PartPlan& part) {
    Footprint fp;
    switch (part.Kind) {
    case Package::Qfp:
        FourSides(fp, part.Pins, part.Pitch);
        break;
    case Package::Soic:
        TwoRows(fp, part.Pins, part.Pitch, 250);
        break;
    case Package::Dip:
        TwoRows(fp, part.Pins, part.Pitch, part.Pins > 24 ? 600 : 300);
        break;
    case Package::Chip:
    case Package::Axial:
    case Package::Radial:
        fp.Pins = {{0, 0}, {part.Pitch, 0}};
        fp.Width = part.Pitch;
        break;
    case Package::Sot23:
        fp.Pins = {{0, 0}, {100, 0}, {50, 100}};
        fp.Width = 100;
        fp.Height = 100;
        break;
    case Package::Header:
        Header(fp, part.Pins, part.Rows, part.Pitch);
        break;
    }
    if (part.Turned) {
        QuarterTurn(fp);
    }
    return fp;
}

std::vector<PinRole> PinRolesOf(const PartPlan& part) {
    std::vector<PinRole> roles(static_cast<std::size_t>(part.Pins), PinRole::Signal);
    auto set = [&](int number, PinRole role) {
        if (number >= 1 && number <= part.Pins) {
            roles[static_cast<std::size_t>(number - 1)] = role;
        }
    };
    switch (part.Kind) {
    case Package::Qfp:
        // Supply and ground pairs spread round the package.
        for (int n = 4; n <= part.Pins; n += 8) {
            set(n, PinRole::Ground);
            set(n + 1, PinRole::Supply);
        }
        break;
    case Package::Soic:
    case Package::Dip:
        set(part.Pins / 2, PinRole::Ground);
        set(part.Pins, PinRole::Supply);
        break;
    case Package::Chip:
    case Package::Axial:
    case Package::Radial:
        if (part.Decoupling) {
            set(1, PinRole::Supply);
            set(2, PinRole::Ground);
        } else if (part.PullUp) {
            set(2, PinRole::Supply);
        }
        break;
    case Package::Sot23:
        set(2, PinRole::Ground);
        break;
    case Package::Header:
        set(1, PinRole::Supply);
        for (int n = 4; n <= part.Pins; n += 4) {
            set(n, PinRole::Ground);
        }
        break;
    }
    return roles;
}

std::int8_t KindOf(const PartPlan& part) noexcept {
    if (part.IsThroughHole()) {
        if (part.BothSides) {
            return 0;
        }
        return part.Bottom ? 2 : 1;
    }
    return part.Bottom ? 10 : 5;
}

namespace {

// What the generator needs to know of a package; a header's minimum and pin step count rows.
struct PackageTraits {
    std::int32_t Clearance;
    int MinPins;
    int MaxPins;
    int PinStep;
};

constexpr PackageTraits TraitsOf(Package package) noexcept {
    switch (package) {
    case Package::Qfp:
        return {150, 16, 100, 4};
    case Package::Soic:
        return {100, 8, 28, 2};
    case Package::Dip:
        return {100, 8, 40, 2};
    case Package::Header:
        return {100, 2, 40, 1};
    case Package::Sot23:
        return {75, 3, 3, 0};
    case Package::Chip:
    case Package::Axial:
    case Package::Radial:
        break;
    }
    return {75, 2, 2, 0};
}

int RowsOf(const PartPlan& part) noexcept {
    return part.Kind == Package::Header ? part.Rows : 1;
}

} // namespace

std::int32_t ClearanceOf(const PartPlan& part) noexcept {
    return TraitsOf(part.Kind).Clearance;
}

int MinPinsOf(const PartPlan& part) noexcept {
    return TraitsOf(part.Kind).MinPins * RowsOf(part);
}

int MaxPinsOf(const PartPlan& part) noexcept {
    return TraitsOf(part.Kind).MaxPins;
}

int PinStepOf(const PartPlan& part) noexcept {
    return TraitsOf(part.Kind).PinStep * RowsOf(part);
}

} // namespace dorvik::brd
