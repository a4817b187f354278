#include "unitindex/FolderPaths.h"

namespace dorvik {

std::string FolderPath(std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

std::string PathIn(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool LiesUnder(std::string_view path, std::string_view folder) noexcept {
    if (!folder.empty() && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return path.size() > folder.size() + 1 && path.starts_with(folder) &&
           path[folder.size()] == '/';
}

bool LiesDirectlyIn(std::string_view path, std::string_view folder) noexcept {
    if (!folder.empty() && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return LiesUnder(path, folder) && path.find('/', folder.size() + 1) == std::string_view::npos;
}

} // namespace dorvik
