#include "unitwatch/ReportIndexService.h"

#include "unitindex/FolderIndexer.h"
#include "unitwatch/IndexWorker.h"

#include <algorithm>

#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

namespace dorvik {

ReportIndexService::ReportIndexService(QObject* parent) : QObject(parent) {}

ReportIndexService::~ReportIndexService() {
    Stop();
}

void ReportIndexService::Stop() {
    if (thread_ == nullptr) {
        return;
    }
    stop_->store(true);
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
}

void ReportIndexService::SetFolders(const QStringList& folders) {
    Stop();
    folders_ = folders;
    index_ = ReportIndex();
    problems_.clear();
    filesSeen_ = 0;
    complete_ = folders.isEmpty();
    emit Changed();
    if (folders.isEmpty()) {
        emit Completed();
        return;
    }
    std::vector<std::string> paths;
    for (const QString& folder : folders) {
        paths.push_back(QFile::encodeName(folder).toStdString());
    }
    stop_ = std::make_shared<std::atomic<bool>>(false);
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("ReportIndex"));
    // The worker lives and dies on its thread, and its delivery keeps the stop flag alive. What
    // it delivers after Stop() is dropped: this side has moved on to other folders.
    const std::shared_ptr<std::atomic<bool>> stop = stop_;
    auto* worker =
        new IndexWorker(std::move(paths), *stop,
                        [this, stop](std::shared_ptr<const IndexChanges> changes, bool first) {
                            QMetaObject::invokeMethod(
                                this,
                                [this, stop, changes, first] {
                                    if (!stop->load()) {
                                        Apply(*changes, first);
                                    }
                                },
                                Qt::QueuedConnection);
                        });
    worker->moveToThread(thread_);
    connect(thread_, &QThread::started, worker, &IndexWorker::Start);
    connect(thread_, &QThread::finished, worker, &QObject::deleteLater);
    thread_->start(QThread::LowPriority);
}

void ReportIndexService::Apply(const IndexChanges& changes, bool first) {
    for (const std::string& path : changes.Removed) {
        index_.Remove(path);
    }
    for (const IndexedReport& report : changes.Put) {
        index_.Put(report);
    }
    if (!complete_) {
        filesSeen_ = std::max(filesSeen_, changes.FilesSeen);
    }
    for (const WalkProblem& problem : changes.Problems) {
        if (problems_.size() < MaxProblemsKept) {
            problems_.push_back(problem);
        }
    }
    emit Changed();
    if (first && !complete_) {
        complete_ = true;
        emit Completed();
    }
}

std::vector<IndexedReport> ReportIndexService::ReportsOf(const QString& serial) const {
    return index_.ReportsOf(serial.toStdString());
}

bool ReportIndexService::WaitUntilComplete(int timeoutMs) {
    if (complete_) {
        return true;
    }
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &ReportIndexService::Completed, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    loop.exec();
    return complete_;
}

} // namespace dorvik
