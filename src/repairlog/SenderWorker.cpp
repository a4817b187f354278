#include "repairlog/SenderWorker.h"

#include <QTimer>

namespace dorvik {

SenderWorker::SenderWorker(QString benchFile, QString conninfo, StatusCallback status)
    : benchFile_(std::move(benchFile)), conninfo_(std::move(conninfo)), status_(std::move(status)) {
}

SenderWorker::~SenderWorker() = default;

void SenderWorker::Send() {
    // Made here, on the worker's thread: a database connection belongs to the thread that opens it.
    if (sender_ == nullptr) {
        sender_ = std::make_unique<LineSender>(benchFile_, conninfo_);
        retry_ = new QTimer(this);
        retry_->setSingleShot(true);
        connect(retry_, &QTimer::timeout, this, &SenderWorker::Send);
    }
    retry_->stop();
    LineSender::Sent sent = sender_->SendWaiting();
    if (sent.Error.isEmpty() && !sender_->Connect(sent.Error)) {
        sent.Waiting =
            std::max<std::int64_t>(sent.Waiting, 0); // nothing waits, but it is out of reach
    }
    status_(sent.Waiting, sent.Error);
    if (sent.Error.isEmpty()) {
        retryMs_ = FirstRetryMs;
    } else {
        Retry();
    }
}

void SenderWorker::Retry() {
    retry_->start(retryMs_);
    retryMs_ = std::min(retryMs_ * 2, LongestRetryMs);
}

void SenderWorker::FetchHistory(const QString& serial, const HistoryCallback& answer) {
    if (sender_ == nullptr) {
        Send();
    }
    QString error;
    std::optional<std::vector<RepairRecord>> records = sender_->LineHistory(serial, error);
    answer(serial, records ? std::move(*records) : std::vector<RepairRecord>{}, error);
}

} // namespace dorvik
