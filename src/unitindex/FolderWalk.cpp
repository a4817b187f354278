#include "unitindex/FolderWalk.h"

#include "unitindex/FileTimes.h"
#include "unitindex/FolderPaths.h"
#include "unitindex/OpenFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace dorvik {
namespace {

bool Stopped(const std::atomic<bool>* stop) noexcept {
    return stop != nullptr && stop->load(std::memory_order_relaxed);
}

FolderId IdOf(const struct stat& info) noexcept {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

void Tell(const WalkCalls& calls, std::string path, std::string reason) {
    if (calls.Problem) {
        calls.Problem({std::move(path), std::move(reason)});
    }
}

std::string CannotBeRead(int error = errno) {
    return "cannot be read: " + std::string(std::strerror(error));
}

struct Subfolder {
    std::string Path;
    FolderId Id;
    bool ViaLink = false;
    int Depth = 0;
};

// Whether the entry is a symbolic link; the folder's listing mostly says so itself.
bool IsLink(int folderFd, const dirent& entry) noexcept {
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_LNK;
    }
    struct stat info {};
    return ::fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(info.st_mode);
}

// In the order of their names, so that a walk finds the same files in the same order.
void SortByPath(std::vector<Subfolder>& subfolders) {
    std::sort(subfolders.begin(), subfolders.end(),
              [](const Subfolder& a, const Subfolder& b) { return a.Path < b.Path; });
}

enum class FolderRead { Read, Unreadable, Stopped };

// Reads one folder: its files go to calls.File as they are read, its subfolders into
// `subfolders`. The folder is closed before any subfolder is walked, so a deep walk holds no
// open folders and no entries but the names of the subfolders still to walk.
FolderRead ReadFolder(const std::string& folder, const WalkCalls& calls,
                      const std::atomic<bool>* stop, std::vector<Subfolder>& subfolders) {
    const OpenFolder open(folder);
    if (open.Dir() == nullptr) {
        Tell(calls, folder, CannotBeRead());
        return FolderRead::Unreadable;
    }
    if (calls.Folder) {
        calls.Folder(folder);
    }
    const int fd = ::dirfd(open.Dir());
    for (;;) {
        if (Stopped(stop)) {
            return FolderRead::Stopped;
        }
        errno = 0;
        const dirent* entry = ::readdir(open.Dir());
        if (entry == nullptr) {
            if (errno != 0) {
                Tell(calls, folder, CannotBeRead());
            }
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // Every entry is looked at, hidden ones too: testers and their scripts may start a
        // report's name with a dot, and such a file is a report all the same.
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, 0) != 0) {
            const int error = errno;
            struct stat link {};
            const bool dangling = ::fstatat(fd, entry->d_name, &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                                  S_ISLNK(link.st_mode);
            if (dangling) {
                Tell(calls, PathIn(folder, name), "links to nothing");
            } else if (error != ENOENT) { // else deleted between the listing and the look
                Tell(calls, PathIn(folder, name), CannotBeRead(error));
            }
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            subfolders.push_back({PathIn(folder, name), IdOf(info), IsLink(fd, *entry)});
        } else if (S_ISREG(info.st_mode) && calls.File) {
            calls.File({PathIn(folder, name), static_cast<std::int64_t>(info.st_size),
                        ModifiedMsOf(info)});
        }
    }
    return FolderRead::Read;
}

// The folder given to walk, when it is one.
bool StatFolder(const std::string& folder, const WalkCalls& calls, struct stat& info) {
    if (::stat(folder.c_str(), &info) != 0) {
        Tell(calls, folder, CannotBeRead());
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        Tell(calls, folder, "is not a folder");
        return false;
    }
    return true;
}

// Depth first through the folders themselves; the folders reached through a link come after all
// of them, so that a file is found under its own folder's path rather than a link's.
class Walker final {
public:
    Walker(const WalkCalls& calls, WalkedFolders& walked, const std::atomic<bool>* stop)
        : calls_(calls), walked_(walked), stop_(stop) {}

    // False when stopped.
    bool WalkAll(const std::vector<std::string>& folders) {
        for (const std::string& folder : folders) {
            if (Stopped(stop_)) {
                return false;
            }
            struct stat info {};
            if (StatFolder(folder, calls_, info) && !Walk({folder, IdOf(info)})) {
                return false;
            }
        }
        while (!linked_.empty()) {
            const Subfolder next = std::move(linked_.front());
            linked_.pop_front();
            if (!Walk(next)) {
                return false;
            }
        }
        return !Stopped(stop_);
    }

private:
    bool Walk(const Subfolder& folder) {
        if (!walked_.emplace(folder.Id, folder.Path).second) {
            return true; // reached again through a link
        }
        std::vector<Subfolder> subfolders;
        if (ReadFolder(folder.Path, calls_, stop_, subfolders) == FolderRead::Stopped) {
            return false;
        }
        SortByPath(subfolders);
        for (Subfolder& sub : subfolders) {
            if (Stopped(stop_)) {
                return false;
            }
            sub.Depth = folder.Depth + 1;
            if (sub.Depth > MaxWalkDepth) {
                Tell(calls_, sub.Path,
                     "lies deeper than " + std::to_string(MaxWalkDepth) + " folders");
            } else if (sub.ViaLink) {
                linked_.push_back(std::move(sub));
            } else if (!Walk(sub)) {
                return false;
            }
        }
        return true;
    }

    const WalkCalls& calls_;
    WalkedFolders& walked_;
    const std::atomic<bool>* stop_;
    std::deque<Subfolder> linked_;
};

} // namespace

bool WalkFolders(const std::vector<std::string>& folders, const WalkCalls& calls,
                 WalkedFolders& walked, const std::atomic<bool>* stop) {
    return Walker(calls, walked, stop).WalkAll(folders);
}

bool WalkFolders(const std::vector<std::string>& folders, const WalkCalls& calls,
                 const std::atomic<bool>* stop) {
    WalkedFolders walked;
    return WalkFolders(folders, calls, walked, stop);
}

bool WalkOneFolder(const std::string& folder, const WalkCalls& calls) {
    struct stat info {};
    if (!StatFolder(folder, calls, info)) {
        return false;
    }
    std::vector<Subfolder> subfolders;
    if (ReadFolder(folder, calls, nullptr, subfolders) != FolderRead::Read) {
        return false;
    }
    SortByPath(subfolders);
    for (const Subfolder& sub : subfolders) {
        if (calls.Folder) {
            calls.Folder(sub.Path);
        }
    }
    return true;
}

} // namespace dorvik
