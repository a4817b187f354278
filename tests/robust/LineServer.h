#pragma once
// One PostgreSQL server for a suite of line database tests, each test a database of its own on
// it; a test that stops its server has one of its own instead (support/PostgresFixture.h).

#include "LineChecks.h"
#include "support/PostgresServer.h"

#include "repairlog/RecordStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace dorvik::test {

class LineServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QString whyNot;
        server_ = PostgresServer::Start(whyNot);
        whyNot_ = whyNot;
    }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override {
        if (!server_) {
            GTEST_FAIL() << "no PostgreSQL server for the test: " << whyNot_.toStdString();
        }
        static int next = 0;
        database_ = QStringLiteral("line_%1").arg(++next);
        ASSERT_TRUE(server_->CreateDatabase(database_)) << server_->Error().toStdString();
    }

    PostgresServer& Server() { return *server_; }
    QString Conninfo() const { return server_->ConnInfo(database_); }
    const QString& DatabaseName() const { return database_; }

    std::unique_ptr<RecordStore> Line() {
        QString error;
        auto store = RecordStore::OpenPostgres(Conninfo(), error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        return store;
    }

    void ExpectLineHoldsOutbox(const QString& benchFile) {
        test::ExpectLineHoldsOutbox(Conninfo(), benchFile);
    }

private:
    static inline std::optional<PostgresServer> server_;
    static inline QString whyNot_;
    QString database_;
};

} // namespace dorvik::test
