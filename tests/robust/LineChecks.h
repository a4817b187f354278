#pragma once
// What a line database has to hold once a bench's outbox is sent: the bench file's records,
// each once and as the bench has them, with all they name, and nothing left waiting.

#include "TickedList.h"

#include "repairlog/RecordStore.h"

#include <gtest/gtest.h>

namespace dorvik::test {

inline void ExpectLineHoldsOutbox(const QString& conninfo, const QString& benchFile) {
    QString error;
    const auto outbox = RecordStore::OpenSqlite(benchFile, error);
    ASSERT_NE(outbox, nullptr) << error.toStdString();
    EXPECT_EQ(outbox->UnsentCount(error), 0) << "left in the outbox";
    const auto line = RecordStore::OpenPostgres(conninfo, error);
    ASSERT_NE(line, nullptr) << error.toStdString();
    std::size_t rows = 0;
    const auto sent = AllRecords(*line, error, &rows);
    const auto bench = AllRecords(*outbox, error);
    EXPECT_EQ(rows, bench.size()) << "records in the line database";
    EXPECT_TRUE(sent == bench) << "the line's records differ from the bench's";
    EXPECT_TRUE(AllItems(line->Database()) == AllItems(outbox->Database()))
        << "the parts, nets and probes the records name";
}

} // namespace dorvik::test
