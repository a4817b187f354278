#include "unitindex/FolderIndexer.h"

#include "unitindex/FileTimes.h"
#include "unitindex/FolderPaths.h"
#include "unitindex/ReportFacts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace dorvik {
namespace {

std::vector<std::string> FolderPaths(std::vector<std::string> folders) {
    for (std::string& folder : folders) {
        folder = FolderPath(folder);
    }
    return folders;
}

} // namespace

FolderIndexer::FolderIndexer(std::vector<std::string> folders)
    : folders_(FolderPaths(std::move(folders))) {}

std::size_t FolderIndexer::Reports() const noexcept {
    return static_cast<std::size_t>(std::count_if(
        known_.begin(), known_.end(), [](const auto& file) { return file.second.IsReport; }));
}

WalkCalls FolderIndexer::CallsInto(IndexChanges& changes, std::int64_t nowMs) {
    WalkCalls calls;
    calls.Folder = [&changes](const std::string& folder) { changes.FoldersSeen.push_back(folder); };
    calls.File = [this, &changes, nowMs](const SeenFile& file) {
        Look(file, nowMs, changes);
        if (progress_ && changes.FilesSeen % ProgressEvery == 0) {
            progress_(changes);
        }
    };
    calls.Problem = [&changes](const WalkProblem& problem) { changes.Problems.push_back(problem); };
    return calls;
}

void FolderIndexer::Look(const SeenFile& file, std::int64_t nowMs, IndexChanges& changes,
                         bool again) {
    ++changes.FilesSeen;
    auto [at, isNew] = known_.try_emplace(file.Path);
    Known& known = at->second;
    known.Seen = true;
    if (!isNew && !again && !known.Waiting && known.Size == file.Size &&
        known.ModifiedMs == file.ModifiedMs) {
        return;
    }
    FileFacts facts = ExamineFile(file.Path, nowMs);
    switch (facts.Result) {
    case FileFacts::Outcome::Report:
        // The size and time the bytes were read at, so that a change since is seen next time.
        known.Size = facts.Report->Size;
        known.ModifiedMs = facts.Report->ModifiedMs;
        known.IsReport = true;
        known.Waiting = false;
        changes.Put.push_back(std::move(*facts.Report));
        return;
    case FileFacts::Outcome::BeingWritten:
        // What the index holds for it stays until it settles.
        if (!known.Waiting) {
            known.Waiting = true;
            waiting_.push_back(file.Path);
        }
        return;
    case FileFacts::Outcome::Unreadable:
        changes.Problems.push_back({file.Path, facts.Why});
        [[fallthrough]];
    case FileFacts::Outcome::NotAReport:
        if (known.IsReport) {
            changes.Removed.push_back(file.Path);
        }
        known.Size = file.Size;
        known.ModifiedMs = file.ModifiedMs;
        known.IsReport = false;
        known.Waiting = false;
        return;
    }
}

FolderIndexer::KnownFiles::iterator FolderIndexer::Forget(KnownFiles::iterator file,
                                                          IndexChanges& changes) {
    if (file->second.IsReport) {
        changes.Removed.push_back(file->first);
    }
    return known_.erase(file);
}

void FolderIndexer::ForgetUnder(const std::string& folder, IndexChanges& changes) {
    for (auto file = known_.begin(); file != known_.end();) {
        file = LiesUnder(file->first, folder) ? Forget(file, changes) : std::next(file);
    }
    std::erase_if(walked_, [&folder](const auto& walked) {
        return walked.second == folder || LiesUnder(walked.second, folder);
    });
}

void FolderIndexer::DropSettled() {
    std::erase_if(waiting_, [this](const std::string& path) {
        const auto known = known_.find(path);
        return known == known_.end() || !known->second.Waiting;
    });
}

IndexChanges FolderIndexer::WalkAll(std::int64_t nowMs, const std::atomic<bool>* stop) {
    IndexChanges changes;
    for (auto& [path, known] : known_) {
        known.Seen = false;
    }
    WalkedFolders walked;
    changes.Complete = WalkFolders(folders_, CallsInto(changes, nowMs), walked, stop);
    if (changes.Complete) {
        for (auto file = known_.begin(); file != known_.end();) {
            file = file->second.Seen ? std::next(file) : Forget(file, changes);
        }
        walked_ = std::move(walked);
    } else {
        // What the walk did not reach yet is kept as it was.
        walked.merge(walked_);
        walked_ = std::move(walked);
    }
    DropSettled();
    return changes;
}

IndexChanges FolderIndexer::Rescan(const std::string& folder, std::int64_t nowMs) {
    IndexChanges changes;
    const std::string at = FolderPath(folder);
    struct stat info {};
    const bool isRoot = std::find(folders_.begin(), folders_.end(), at) != folders_.end();
    if (::stat(at.c_str(), &info) != 0) {
        // A subfolder deleted is no problem; a report folder gone, or one that cannot be looked
        // at, is.
        if (isRoot || errno != ENOENT) {
            changes.Problems.push_back(
                {at, "cannot be read: " + std::string(std::strerror(errno))});
        }
        ForgetUnder(at, changes);
    } else if (!S_ISDIR(info.st_mode)) {
        if (isRoot) {
            changes.Problems.push_back({at, "is not a folder"});
        }
        ForgetUnder(at, changes);
    } else if (std::none_of(walked_.begin(), walked_.end(),
                            [&at](const auto& walked) { return walked.second == at; })) {
        changes.Complete = WalkFolders({at}, CallsInto(changes, nowMs), walked_);
    } else {
        // A folder made again under its old name is another folder.
        std::erase_if(walked_, [&at](const auto& walked) { return walked.second == at; });
        walked_.emplace(FolderId{static_cast<std::uint64_t>(info.st_dev),
                                 static_cast<std::uint64_t>(info.st_ino)},
                        at);
        RescanKnown(at, nowMs, changes);
    }
    DropSettled();
    return changes;
}

void FolderIndexer::RescanKnown(const std::string& folder, std::int64_t nowMs,
                                IndexChanges& changes) {
    for (auto& [path, known] : known_) {
        if (LiesDirectlyIn(path, folder)) {
            known.Seen = false;
        }
    }
    std::vector<std::string> subfolders;
    WalkCalls calls = CallsInto(changes, nowMs);
    calls.Folder = [&](const std::string& walked) {
        if (walked == folder) {
            changes.FoldersSeen.push_back(walked);
        } else {
            subfolders.push_back(walked);
        }
    };
    if (!WalkOneFolder(folder, calls)) {
        ForgetUnder(folder, changes);
        return;
    }
    for (auto file = known_.begin(); file != known_.end();) {
        const bool gone = !file->second.Seen && LiesDirectlyIn(file->first, folder);
        file = gone ? Forget(file, changes) : std::next(file);
    }

    std::vector<std::string> known;
    for (const auto& [id, path] : walked_) {
        if (LiesDirectlyIn(path, folder)) {
            known.push_back(path);
        }
    }
    for (const std::string& sub : known) {
        if (std::find(subfolders.begin(), subfolders.end(), sub) == subfolders.end()) {
            ForgetUnder(sub, changes);
        }
    }
    std::erase_if(subfolders, [&known](const std::string& sub) {
        return std::find(known.begin(), known.end(), sub) != known.end();
    });
    // New subfolders whole; the folders walked before are not entered again through a link.
    WalkFolders(subfolders, CallsInto(changes, nowMs), walked_);
}

IndexChanges FolderIndexer::RetryWaiting(std::int64_t nowMs) {
    IndexChanges changes;
    const std::vector<std::string> paths = std::move(waiting_);
    waiting_.clear();
    for (const std::string& path : paths) {
        const auto known = known_.find(path);
        if (known == known_.end() || !known->second.Waiting) {
            continue;
        }
        known->second.Waiting = false;
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            Forget(known, changes);
            continue;
        }
        Look({path, static_cast<std::int64_t>(info.st_size), ModifiedMsOf(info)}, nowMs, changes,
             true);
    }
    DropSettled();
    return changes;
}

} // namespace dorvik
