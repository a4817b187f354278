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

// One PostgreSQL server for all the tests of a fixture (a server takes 1 to 2 s to start), and a
// database of its own for each test. For tests that leave the server running; one that stops it
// takes WithPostgres.
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
        database_ = QStringLiteral("db_%1").arg(++next);
        ASSERT_TRUE(server_->CreateDatabase(database_)) << server_->Error().toStdString();
    }

    static PostgresServer& Server() { return *server_; }
    // The test's database, as the superuser reaches it.
    QString Conninfo() const { return server_->ConnInfo(database_); }
    const QString& DatabaseName() const { return database_; }

private:
    static inline std::optional<PostgresServer> server_;
    static inline QString whyNot_;
    QString database_;
};

using SharedPostgres = WithPostgresDatabase<>;

} // namespace dorvik::test
