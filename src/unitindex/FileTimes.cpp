#include "unitindex/FileTimes.h"

#include <cstdio>
#include <ctime>

namespace dorvik {

std::int64_t ModifiedMsOf(const struct stat& info) noexcept {
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000;
}

std::string LocalTimeText(std::int64_t ms) {
    // Floor, so that a time before 1970 keeps its second.
    const std::time_t seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return "0000-00-00T00:00:00";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

} // namespace dorvik
