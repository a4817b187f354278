#pragma once
// Paths of the unit index as the walks write them: a folder without a slash at its end, and its
// entries as folder + '/' + name.

#include <string>
#include <string_view>

namespace dorvik {

// The folder without the slashes at its end ("/" stays).
std::string FolderPath(std::string_view folder);
// An entry of the folder.
std::string PathIn(std::string_view folder, std::string_view name);
// Whether `path` lies in `folder` or below it (not the folder itself).
bool LiesUnder(std::string_view path, std::string_view folder) noexcept;
// Whether `path` is an entry of `folder` itself.
bool LiesDirectlyIn(std::string_view path, std::string_view folder) noexcept;

} // namespace dorvik
