#pragma once
// A PostgreSQL server of its own for each test of a fixture; a test that cannot have one fails
// with the reason (./test.sh installs the server, so a missing one is a fault, not a skip).

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

} // namespace dorvik::test
