#pragma once
// The thread side of the report index: the first walk of the report folders, then the watcher
// and the timers that keep the index current. It hands every change to the window's side as an
// IndexChanges, never touching the window's index itself.

#include "unitindex/FolderIndexer.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QFileSystemWatcher;
class QTimer;

namespace dorvik {

class IndexWorker final : public QObject {
    Q_OBJECT

public:
    // `deliver` runs on the worker's thread and must hand the changes over to the other side;
    // `first` is true for the changes that complete the first reading of the folders: the first
    // walk, or, when it found files still being written, the next look at those.
    using Delivery = std::function<void(std::shared_ptr<const IndexChanges> changes, bool first)>;
    // `stop` ends a walk under way, for a quick end of the program.
    IndexWorker(std::vector<std::string> folders, const std::atomic<bool>& stop, Delivery deliver);

    // A walk of every folder again, to catch what the watcher cannot see (a network share's
    // changes made by another machine, a file rewritten in place): every few seconds, less often
    // where a walk takes long, so that it never takes more than a twentieth of the thread.
    static constexpr int FewestPollMs = 5'000;
    static constexpr int MostPollMs = 120'000;
    // Changes of a folder come in bursts while a file is written; one rescan per burst.
    static constexpr int QuietMs = 300;
    // How often a long walk hands over what it found so far.
    static constexpr int PartialMs = 250;
    // More folders than this are kept current by the poll alone.
    static constexpr int MaxWatchedFolders = 8'000;

    // The first walk; call once, on the worker's thread.
    void Start();

private:
    void FolderChanged(const QString& folder);
    void RescanChanged();
    void RetryWaiting();
    void Poll();
    IndexChanges TimedWalk();
    void Deliver(IndexChanges changes, bool first);
    void Watch(const std::vector<std::string>& folders);

    FolderIndexer indexer_;
    const std::atomic<bool>& stop_;
    Delivery deliver_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* quiet_ = nullptr;
    QTimer* retry_ = nullptr;
    QTimer* poll_ = nullptr;
    QSet<QString> changed_;
    QSet<QString> problemsSaid_;
    bool firstPending_ = false; // the first walk left files to look at again
};

} // namespace dorvik
