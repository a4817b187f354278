#pragma once
// A PostgreSQL server of its own for each test of a fixture, or one for the fixture with a database
// for each test; a test that cannot have one fails with the reason (./test.sh installs the server,
// so a missing one is a fault, not a skip).

#include "support/PostgresServer.h"

#include <gtest/gtest.h>

#include <optional>

namespace dorvik::test {

template <class Base = ::testing::Test> class WithPostgres : public Base {
protected:
    void SetUp() override {
        QString whyNot;
        server_ = PostgresServer::Start(whyNot);
        if (!server_) {
            GTEST_FAIL() << "no PostgreSQL server for the test: " << whyNot.toStdString();
        }
    }

    PostgresServer& Server() { return *server_; }

private:
    std::optional<PostgresServer> server_;
};

// One PostgreSQL server for all the tests of a fixture, and a database of its own for each test:
// cheaper where a test needs a clean database but not a server of its own.
template <class Base = ::testing::Test> class WithPostgresDatabase : public Base {
protected:
    static void SetUpTestSuite() {
        QString whyNot;
        server_ = PostgresServer::Start(whyNot);
        whyNot_ = whyNot;
    }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override {
        Base::SetUp();
        if (!server_) {
            GTEST_FAIL() << "no PostgreSQL server for the test: " << whyNot_.toStdString();
        }
        static int next = 0;
        database_ = QStringLiteral("log_%1").arg(++next);
        ASSERT_TRUE(server_->CreateDatabase(database_)) << server_->Error().toStdString();
    }

    // The test's database, as the superuser reaches it.
    QString Conninfo() const { return server_->ConnInfo(database_); }

    static inline std::optional<PostgresServer> server_;
    static inline QString whyNot_;
    QString database_;
};

} // namespace dorvik::test
