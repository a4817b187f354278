#pragma once
// Walking the report folders: every regular file in them and their subfolders, once, however
// the folders are linked.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dorvik {

struct SeenFile {
    std::string Path; // UTF-8
    std::int64_t Size = 0;
    std::int64_t ModifiedMs = 0; // ms since 1970 (UTC)
};

struct WalkProblem {
    std::string Path;
    std::string Reason; // "cannot be read", "is not a folder", ...
};

struct WalkCalls {
    // Each folder walked (the given ones and every subfolder), before its files.
    std::function<void(const std::string& folder)> Folder;
    std::function<void(const SeenFile&)> File;
    std::function<void(const WalkProblem&)> Problem;
};

// Walks `folders` and their subfolders depth first, following symbolic links, but never into a
// folder already walked (by device and inode), so loops of links end; never deeper than
// MaxWalkDepth. The folders reached through links come after all others, so that a file is found
// by its own folder's path. Only the entries of the folder being read are held at a time. Returns
// early, false, once `stop` (when given) is set.
inline constexpr int MaxWalkDepth = 64;
bool WalkFolders(const std::vector<std::string>& folders, const WalkCalls& calls,
                 const std::atomic<bool>* stop = nullptr);

// The subfolders of one folder, and its files, without walking further (for a rescan of a folder
// that changed): Folder for `folder` first, then File for each file and Folder for each subfolder.
// False when the folder cannot be read.
bool WalkOneFolder(const std::string& folder, const WalkCalls& calls);

// A folder however it is reached: its device and inode.
struct FolderId {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    auto operator<=>(const FolderId&) const = default;
};
// The folders walks have entered, and the path each was entered by.
using WalkedFolders = std::map<FolderId, std::string>;

// WalkFolders that enters none of the folders in `walked` and adds those it enters, so that a
// later walk (of a new subfolder) does not walk again what an earlier one did.
bool WalkFolders(const std::vector<std::string>& folders, const WalkCalls& calls,
                 WalkedFolders& walked, const std::atomic<bool>* stop = nullptr);

} // namespace dorvik
