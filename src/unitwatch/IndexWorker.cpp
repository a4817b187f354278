#include "unitwatch/IndexWorker.h"

#include "unitindex/ReportFacts.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace dorvik {
namespace {

std::int64_t NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

IndexWorker::IndexWorker(std::vector<std::string> folders, const std::atomic<bool>& stop,
                         Delivery deliver)
    : indexer_(std::move(folders)), stop_(stop), deliver_(std::move(deliver)) {}

void IndexWorker::Start() {
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &IndexWorker::FolderChanged);
    quiet_ = new QTimer(this);
    quiet_->setSingleShot(true);
    quiet_->setInterval(QuietMs);
    connect(quiet_, &QTimer::timeout, this, &IndexWorker::RescanChanged);
    retry_ = new QTimer(this);
    retry_->setSingleShot(true);
    retry_->setInterval(static_cast<int>(SettleMs) + 100);
    connect(retry_, &QTimer::timeout, this, &IndexWorker::RetryWaiting);
    poll_ = new QTimer(this);
    poll_->setSingleShot(true);
    connect(poll_, &QTimer::timeout, this, &IndexWorker::Poll);
    // A long walk hands over what it found every so often: the index fills and the status bar
    // counts as it goes.
    QElapsedTimer sincePartial;
    sincePartial.start();
    indexer_.SetProgress([this, sincePartial](IndexChanges& sofar) mutable {
        if (sincePartial.elapsed() < PartialMs || stop_) {
            return;
        }
        sincePartial.restart();
        IndexChanges partial;
        partial.Put = std::exchange(sofar.Put, {});
        partial.Removed = std::exchange(sofar.Removed, {});
        partial.FilesSeen = sofar.FilesSeen;
        deliver_(std::make_shared<const IndexChanges>(std::move(partial)), false);
    });
    IndexChanges changes = TimedWalk();
    firstPending_ = indexer_.HasWaiting();
    Deliver(std::move(changes), !firstPending_);
}

IndexChanges IndexWorker::TimedWalk() {
    QElapsedTimer clock;
    clock.start();
    IndexChanges changes = indexer_.WalkAll(NowMs(), &stop_);
    poll_->start(
        static_cast<int>(std::clamp<qint64>(clock.elapsed() * 20, FewestPollMs, MostPollMs)));
    return changes;
}

void IndexWorker::Deliver(IndexChanges changes, bool first) {
    if (stop_) {
        return;
    }
    Watch(changes.FoldersSeen);
    changes.FoldersSeen.clear(); // the watcher's; the other side needs none of them
    if (indexer_.HasWaiting() && !retry_->isActive()) {
        retry_->start();
    }
    // Each problem is said once, not at every poll that meets it again.
    std::erase_if(changes.Problems, [this](const WalkProblem& problem) {
        const QString path = QString::fromStdString(problem.Path);
        if (problemsSaid_.contains(path)) {
            return true;
        }
        problemsSaid_.insert(path);
        return false;
    });
    if (first || !changes.Put.empty() || !changes.Removed.empty() || !changes.Problems.empty()) {
        deliver_(std::make_shared<const IndexChanges>(std::move(changes)), first);
    }
}

void IndexWorker::Watch(const std::vector<std::string>& folders) {
    QStringList adding;
    const qsizetype room = MaxWatchedFolders - watcher_->directories().size();
    for (const std::string& folder : folders) {
        if (adding.size() >= room) {
            break;
        }
        adding.append(QFile::decodeName(folder.c_str()));
    }
    if (!adding.isEmpty()) {
        watcher_->addPaths(adding); // the ones watched already are left as they are
    }
}

void IndexWorker::FolderChanged(const QString& folder) {
    changed_.insert(folder);
    quiet_->start();
}

void IndexWorker::RescanChanged() {
    const QSet<QString> folders = std::exchange(changed_, {});
    for (const QString& folder : folders) {
        if (stop_) {
            return;
        }
        Deliver(indexer_.Rescan(QFile::encodeName(folder).toStdString(), NowMs()), false);
    }
}

void IndexWorker::RetryWaiting() {
    Deliver(indexer_.RetryWaiting(NowMs()), std::exchange(firstPending_, false));
}

void IndexWorker::Poll() {
    Deliver(TimedWalk(), false);
}

} // namespace dorvik
