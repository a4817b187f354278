#pragma once
// Sends the bench's outbox to the line database: every record committed in the bench file goes
// to the line database once it answers, each exactly once (the line keeps the first copy of an
// id; a record is marked sent only after the line committed it). Used on a thread of its own by
// the program, so that a line database that does not answer never holds up the window, and
// directly by dorvik-log.

#include "repairlog/RecordStore.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace dorvik {

class LineSender final {
public:
    LineSender(QString benchFile, QString conninfo);
    ~LineSender();

    struct Sent {
        std::int64_t Records = 0; // sent in this call
        std::int64_t Waiting = 0; // still in the outbox
        QString Error;            // why it stopped early; empty when everything went
    };
    // Sends in batches until the outbox is empty or something fails.
    Sent SendWaiting();

    // The unit's records in the line database; nothing, with the reason, when it cannot answer.
    std::optional<std::vector<RepairRecord>> LineHistory(const QString& serial, QString& error);

    // Connects to the line database now (and brings its schema up to date) rather than when the
    // first record is sent; false, with the reason, when it does not answer.
    bool Connect(QString& error) { return Line(error) != nullptr; }

    // The outbox's count, without sending.
    std::optional<std::int64_t> Waiting(QString& error);

    static constexpr int BatchSize = 500;

private:
    RecordStore* Outbox(QString& error);
    RecordStore* Line(QString& error);

    QString benchFile_;
    QString conninfo_;
    std::unique_ptr<RecordStore> outbox_;
    std::unique_ptr<RecordStore> line_;
};

} // namespace dorvik
