#pragma once
// The line database's side of the repair log, on its own thread: sends the outbox whenever asked
// and again after a failure, waiting longer each time, and fetches units' histories.

#include "repairlog/LineSender.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace dorvik {

class SenderWorker final : public QObject {
    Q_OBJECT

public:
    // Called on the worker's thread; the callbacks hand their results back to their owner.
    using StatusCallback = std::function<void(std::int64_t waiting, QString problem)>;
    using HistoryCallback =
        std::function<void(QString serial, std::vector<RepairRecord> records, QString error)>;

    SenderWorker(QString benchFile, QString conninfo, StatusCallback status);
    ~SenderWorker() override;

    // Both run on the worker's thread (queue them there).
    void Send();
    void FetchHistory(const QString& serial, const HistoryCallback& answer);

    static constexpr int FirstRetryMs = 2000;
    static constexpr int LongestRetryMs = 30000;

private:
    void Retry();

    std::unique_ptr<LineSender> sender_;
    QString benchFile_;
    QString conninfo_;
    StatusCallback status_;
    QTimer* retry_ = nullptr;
    int retryMs_ = FirstRetryMs;
};

} // namespace dorvik
