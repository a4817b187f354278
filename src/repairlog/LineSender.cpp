#include "repairlog/LineSender.h"

namespace dorvik {

LineSender::LineSender(QString benchFile, QString conninfo)
    : benchFile_(std::move(benchFile)), conninfo_(std::move(conninfo)) {}

LineSender::~LineSender() = default;

RecordStore* LineSender::Outbox(QString& error) {
    if (outbox_ == nullptr) {
        outbox_ = RecordStore::OpenSqlite(benchFile_, error);
    }
    return outbox_.get();
}

RecordStore* LineSender::Line(QString& error) {
    if (line_ == nullptr) {
        line_ = RecordStore::OpenPostgres(conninfo_, error);
    }
    return line_.get();
}

std::optional<std::int64_t> LineSender::Waiting(QString& error) {
    RecordStore* outbox = Outbox(error);
    return outbox != nullptr ? outbox->UnsentCount(error) : std::nullopt;
}

LineSender::Sent LineSender::SendWaiting() {
    Sent sent;
    RecordStore* outbox = Outbox(sent.Error);
    if (outbox == nullptr) {
        return sent;
    }
    for (;;) {
        const std::optional<std::vector<RepairRecord>> batch =
            outbox->Unsent(BatchSize, sent.Error);
        if (!batch) {
            break;
        }
        if (batch->empty()) {
            sent.Waiting = 0;
            return sent;
        }
        RecordStore* line = Line(sent.Error);
        if (line == nullptr) {
            break;
        }
        if (!line->Insert(*batch, sent.Error)) {
            line_.reset(); // a connection that failed once is made afresh next time
            break;
        }
        // Should the bench stop here, the batch is sent again and the line keeps its first copy.
        if (!outbox->MarkSent(*batch, sent.Error)) {
            break;
        }
        sent.Records += static_cast<std::int64_t>(batch->size());
    }
    QString ignored;
    sent.Waiting = outbox->UnsentCount(ignored).value_or(-1);
    return sent;
}

std::optional<std::vector<RepairRecord>> LineSender::LineHistory(const QString& serial,
                                                                 QString& error) {
    RecordStore* line = Line(error);
    if (line == nullptr) {
        return std::nullopt;
    }
    std::optional<std::vector<RepairRecord>> records = line->History(serial, error);
    if (!records) {
        line_.reset();
    }
    return records;
}

} // namespace dorvik
