#include "repairlog/UtcTime.h"

#include <chrono>
#include <cstdio>

namespace dorvik {
namespace {

using namespace std::chrono;

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t k = at; k < at + count; ++k) {
        if (text[k] < '0' || text[k] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

std::optional<std::int64_t> DayAt(std::string_view text) {
    const auto y = Digits(text, 0, 4);
    const auto m = Digits(text, 5, 2);
    const auto d = Digits(text, 8, 2);
    if (!y || !m || !d || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const year_month_day day{year{*y}, month{static_cast<unsigned>(*m)},
                             std::chrono::day{static_cast<unsigned>(*d)}};
    if (!day.ok()) {
        return std::nullopt;
    }
    return duration_cast<milliseconds>(sys_days{day}.time_since_epoch()).count();
}

} // namespace

std::int64_t NowUtcMs() {
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string IsoUtc(std::int64_t ms) {
    const sys_time<milliseconds> when{milliseconds{ms}};
    const sys_days day = floor<days>(when);
    const year_month_day ymd{day};
    const hh_mm_ss<milliseconds> time{when - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()),
                  int(time.subseconds().count()));
    return text;
}

std::optional<std::int64_t> DayStartUtc(std::string_view day) {
    if (day.size() != 10) {
        return std::nullopt;
    }
    return DayAt(day);
}

std::optional<std::int64_t> ParseIsoUtc(std::string_view text) {
    if (text.size() != 24 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        text[19] != '.' || text[23] != 'Z') {
        return std::nullopt;
    }
    const auto day = DayAt(text);
    const auto h = Digits(text, 11, 2);
    const auto m = Digits(text, 14, 2);
    const auto s = Digits(text, 17, 2);
    const auto ms = Digits(text, 20, 3);
    if (!day || !h || !m || !s || !ms || *h > 23 || *m > 59 || *s > 59) {
        return std::nullopt;
    }
    return *day + ((*h * 60LL + *m) * 60 + *s) * 1000 + *ms;
}

} // namespace dorvik
