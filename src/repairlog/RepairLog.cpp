#include "repairlog/RepairLog.h"

#include "repairlog/RecordStore.h"
#include "repairlog/SenderWorker.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <unordered_set>

namespace dorvik {
namespace {

// The bench's and the line's records of a unit together, each once, oldest first.
std::vector<RepairRecord> Merged(std::vector<RepairRecord> line,
                                 const std::vector<RepairRecord>& bench) {
    std::unordered_set<std::string> ids;
    for (const RepairRecord& record : line) {
        ids.insert(record.Id);
    }
    for (const RepairRecord& record : bench) {
        if (ids.insert(record.Id).second) {
            line.push_back(record);
        }
    }
    std::stable_sort(line.begin(), line.end(), [](const RepairRecord& a, const RepairRecord& b) {
        return a.Recorded != b.Recorded ? a.Recorded < b.Recorded : a.Id < b.Id;
    });
    return line;
}

} // namespace

RepairLog::RepairLog(LogLocation location, QObject* parent)
    : QObject(parent), location_(std::move(location)) {
    setObjectName(QStringLiteral("RepairLog"));
    if (location_.Kind != LogKind::Postgres) {
        return;
    }
    thread_ = new QThread(this);
    thread_->setObjectName(QStringLiteral("RepairLogSender"));
    // The worker hands its results back as calls queued to this object. The destructor waits for
    // the worker's thread to end, so no call can reach a log that is gone.
    worker_ = new SenderWorker(
        location_.SqlitePath, location_.Conninfo, [this](std::int64_t waiting, QString problem) {
            QMetaObject::invokeMethod(
                this, [this, waiting, problem] { LineAnswered(waiting, problem); },
                Qt::QueuedConnection);
        });
    // What an earlier session left in the outbox waits from the start, not only once the sender
    // has answered (which a line that does not answer delays by its connect timeout).
    if (QFileInfo::exists(location_.SqlitePath)) {
        QString ignored;
        if (Ready(ignored)) {
            waiting_ = bench_->UnsentCount(ignored).value_or(0);
        }
    }
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->start();
    SendNow(); // whatever an earlier session left in the outbox
}

RepairLog::~RepairLog() {
    if (thread_ != nullptr) {
        thread_->quit();
        thread_->wait();
    }
}

QString RepairLog::Name() const {
    return LocationName(location_);
}

bool RepairLog::Ready(QString& error) {
    if (bench_ == nullptr) {
        bench_ = RecordStore::OpenSqlite(location_.SqlitePath, error);
        if (bench_ == nullptr) {
            return false;
        }
    }
    return true;
}

bool RepairLog::Record(const RepairRecord& record, QString& error) {
    if (!Ready(error)) {
        return false;
    }
    if (!bench_->Insert({&record, 1}, error)) {
        // A file that failed may work again (space freed); it is opened afresh next time.
        bench_.reset();
        return false;
    }
    if (worker_ != nullptr) {
        ++waiting_;
        emit StatusChanged();
        SendNow();
    }
    return true;
}

void RepairLog::SendNow() {
    if (worker_ == nullptr || sendQueued_->exchange(true)) {
        return; // one send takes everything waiting: one queued is enough
    }
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, queued = sendQueued_] {
            queued->store(false);
            worker->Send();
        },
        Qt::QueuedConnection);
}

void RepairLog::LineAnswered(std::int64_t waiting, const QString& problem) {
    waiting_ = std::max<std::int64_t>(waiting, 0);
    lineProblem_ = problem;
    emit StatusChanged();
}

void RepairLog::RequestHistory(const QString& serial) {
    HistoryAnswer answer;
    answer.Serial = serial;
    QString error;
    if (Ready(error)) {
        if (auto records = bench_->History(serial, error)) {
            answer.Records = std::move(*records);
        }
    }
    if (!error.isEmpty()) {
        answer.Note = error;
    }
    answer.Complete = worker_ == nullptr;
    const std::vector<RepairRecord> bench = answer.Records;
    emit HistoryArrived(answer);
    if (worker_ == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(
        worker_,
        [this, worker = worker_, serial, bench] {
            worker->FetchHistory(serial, [this, bench](QString s, std::vector<RepairRecord> line,
                                                       QString lineError) {
                HistoryAnswer merged;
                merged.Serial = std::move(s);
                merged.Records = Merged(std::move(line), bench);
                merged.Note = std::move(lineError);
                QMetaObject::invokeMethod(
                    this, [this, merged = std::move(merged)] { emit HistoryArrived(merged); },
                    Qt::QueuedConnection);
            });
        },
        Qt::QueuedConnection);
}

} // namespace dorvik
