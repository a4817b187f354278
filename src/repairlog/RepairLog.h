#pragma once
// The repair log as the program uses it: records committed in the bench's SQLite file before the
// tick is shown, and, with a line database, sent there from a thread of their own while the
// window goes on. A unit's history comes from the bench file at once and, with a line database,
// from the line as soon as it answers.

#include "repairlog/LogLocation.h"
#include "repairlog/RepairRecord.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class QThread;

namespace dorvik {

class RecordStore;
class SenderWorker;

struct HistoryAnswer {
    QString Serial;
    std::vector<RepairRecord> Records; // oldest first
    // Empty when the records are all the log holds; else what is missing and why.
    QString Note;
    // False while the line database has still to answer.
    bool Complete = true;
};

class RepairLog final : public QObject {
    Q_OBJECT

public:
    explicit RepairLog(LogLocation location, QObject* parent = nullptr);
    ~RepairLog() override;

    const LogLocation& Location() const noexcept { return location_; }
    // The database as messages name it.
    QString Name() const;

    // Opens the bench file when it is not open yet; false, with the reason, when it cannot be used.
    bool Ready(QString& error);

    // Commits the record in the bench file (and queues it for the line database). True once it
    // is on disk; false, with the reason, when it is not recorded at all.
    bool Record(const RepairRecord& record, QString& error);

    // Records committed at this bench and not yet in the line database (always 0 without one).
    std::int64_t Waiting() const noexcept { return waiting_; }
    // Why the line database is not reached now; empty while it answers (or without one).
    const QString& LineProblem() const noexcept { return lineProblem_; }

    // Answers through HistoryArrived: at once from the bench file, then again from the line.
    void RequestHistory(const QString& serial);
    // Sends the outbox now rather than at the next retry.
    void SendNow();

signals:
    void HistoryArrived(const HistoryAnswer& answer);
    // The outbox count or the line's state changed.
    void StatusChanged();

private:
    void LineAnswered(std::int64_t waiting, const QString& problem);

    LogLocation location_;
    std::unique_ptr<RecordStore> bench_;
    QThread* thread_ = nullptr;
    SenderWorker* worker_ = nullptr;
    std::int64_t waiting_ = 0;
    QString lineProblem_;
    std::shared_ptr<std::atomic<bool>> sendQueued_ = std::make_shared<std::atomic<bool>>(false);
};

} // namespace dorvik
