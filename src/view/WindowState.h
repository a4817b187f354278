#pragma once
// The main window's run-time state: the view, the fault entries, the display mode and whether a
// board has been loaded. Every member is zero when the window is created.

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace dorvik {

inline constexpr int NetTextSize = 80;
inline constexpr int CompTextSize = 50;

// The value of an entry text that holds no entry: a comma pair with nothing between.
inline constexpr char EmptyList[] = ",,";

// What a redraw draws.
enum DisplayModes : std::int32_t {
    BoardDisplay = 0,
    OpenDisplay = 1,
    ShortDisplay = 2,
    NetDisplay = 3,
    CompDisplay = 4,
};

template <std::size_t N> using EntryText = std::array<char, N>;

struct WindowState {
    // The view (its rules are the view geometry's).
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::int32_t ClickX = 0;
    std::int32_t ClickY = 0;
    float Zoom = 0.0f;
    float FitScale = 0.0f;
    std::int32_t ClipLeft = 0;
    std::int32_t ClipTop = 0;
    std::int32_t ClipRight = 0;
    std::int32_t ClipBottom = 0;
    std::int32_t PanX = 0;
    std::int32_t PanY = 0;
    std::int32_t BoardMinX = 0;
    std::int32_t BoardMinY = 0;
    std::int32_t CentreX = 0;
    std::int32_t CentreY = 0;
    std::int32_t ViewSide = 0; // +1 top viewed, anything else bottom

    // The fault entries, each text stored as "," + entry + ",".
    EntryText<NetTextSize> NetText{};
    std::int32_t Probe1 = 0;
    std::int32_t Probe2 = 0;
    std::int32_t Probe3 = 0;
    EntryText<CompTextSize> CompText1{};
    EntryText<CompTextSize> CompText2{};
    EntryText<CompTextSize> CompText3{};

    char TextFlag = 0; // 'Y' part names drawn, 'N' not
    char NewEntry = 0; // 'T' from an accepted entry until its first automatic side check, then 'N'
    std::int32_t DisplayMode = BoardDisplay;
    char BoardLoaded = 0;
};

// Stores text in an entry field, cut so that it always keeps its terminating zero.
template <std::size_t N> void SetText(EntryText<N>& field, std::string_view text) noexcept {
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field.data(), text.data(), n);
    field[n] = '\0';
}

template <std::size_t N> std::string_view Text(const EntryText<N>& field) noexcept {
    return {field.data(), ::strnlen(field.data(), N)};
}

template <std::size_t N> bool IsEmptyList(const EntryText<N>& field) noexcept {
    return Text(field) == EmptyList;
}

} // namespace dorvik
