#pragma once
// The line database of a test, on the suite's server (SharedPostgres), and what it holds.

#include "LineChecks.h"
#include "support/PostgresFixture.h"

#include "repairlog/RecordStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace dorvik::test {

class LineServer : public SharedPostgres {
protected:
    std::unique_ptr<RecordStore> Line() {
        QString error;
        auto store = RecordStore::OpenPostgres(Conninfo(), error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        return store;
    }

    void ExpectLineHoldsOutbox(const QString& benchFile) {
        test::ExpectLineHoldsOutbox(Conninfo(), benchFile);
    }
};

} // namespace dorvik::test
