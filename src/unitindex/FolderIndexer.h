#pragma once
// Keeping the index of the report folders current: a full walk at start, then a rescan of each
// folder that changed, and another look at files that were still being written. It remembers
// every file's size and time, so a file is read again only when it changed, and a file that is
// no report is not read at every rescan.

#include "unitindex/FolderWalk.h"
#include "unitindex/IndexedReport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace dorvik {

// What a walk found changed, for the index and the watcher.
struct IndexChanges {
    std::vector<IndexedReport> Put;       // reports new or changed
    std::vector<std::string> Removed;     // paths of reports gone (deleted, or no report now)
    std::vector<std::string> FoldersSeen; // every folder walked, for the watcher
    std::vector<WalkProblem> Problems;    // unreadable folders and files
    std::size_t FilesSeen = 0;
    bool Complete = true; // false when stopped early
};

class FolderIndexer {
public:
    explicit FolderIndexer(std::vector<std::string> folders);

    const std::vector<std::string>& Folders() const noexcept { return folders_; }

    // Called during a walk every ProgressEvery files with what the walk found so far: it may
    // take the reports, removals and problems out of `sofar` (the walk goes on with the rest),
    // so that a long first walk fills the index as it goes.
    using Progress = std::function<void(IndexChanges& sofar)>;
    static constexpr std::size_t ProgressEvery = 256;
    void SetProgress(Progress progress) { progress_ = std::move(progress); }

    // Walks every folder; files not changed since the last walk are not read again. Files that
    // vanished since are in Removed.
    IndexChanges WalkAll(std::int64_t nowMs, const std::atomic<bool>* stop = nullptr);
    // Walks one folder that changed: its files, and new subfolders whole.
    IndexChanges Rescan(const std::string& folder, std::int64_t nowMs);
    // Looks again at the files that were being written.
    IndexChanges RetryWaiting(std::int64_t nowMs);
    // Whether some file waits for another look (then call RetryWaiting after SettleMs).
    bool HasWaiting() const noexcept { return !waiting_.empty(); }

    // Reports indexed now.
    std::size_t Reports() const noexcept;

private:
    struct Known {
        std::int64_t Size = 0;
        std::int64_t ModifiedMs = 0;
        bool IsReport = false;
        bool Waiting = false; // in waiting_
        bool Seen = false;    // by the walk going on
    };
    using KnownFiles = std::unordered_map<std::string, Known>;

    WalkCalls CallsInto(IndexChanges& changes, std::int64_t nowMs);
    // Examines the file unless it is known unchanged (or `again` says it must be looked at).
    void Look(const SeenFile& file, std::int64_t nowMs, IndexChanges& changes, bool again = false);
    KnownFiles::iterator Forget(KnownFiles::iterator file, IndexChanges& changes);
    void ForgetUnder(const std::string& folder, IndexChanges& changes);
    void RescanKnown(const std::string& folder, std::int64_t nowMs, IndexChanges& changes);
    void DropSettled();

    std::vector<std::string> folders_;
    KnownFiles known_;
    std::vector<std::string> waiting_;
    WalkedFolders walked_; // every folder walked, so that a rescan walks none of them again
    Progress progress_;
};

} // namespace dorvik
