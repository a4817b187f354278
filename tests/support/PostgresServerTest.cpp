#include "support/PostgresConnection.h"
#include "support/PostgresFixture.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace dorvik::test {
// Names the cases in the test list.
void PrintTo(PostgresServer::Halt how, std::ostream* out) {
    *out << (how == PostgresServer::Halt::Fast ? "Fast" : "Immediate");
}
} // namespace dorvik::test

namespace {

using dorvik::test::PostgresConnection;
using dorvik::test::PostgresServer;
using dorvik::test::WithPostgres;
using ::testing::HasSubstr;
using Halt = PostgresServer::Halt;

std::string Text(const QString& text) {
    return text.toStdString();
}

class PostgresServerTest : public WithPostgres<> {};

class TakenAwayAndBack : public WithPostgres<::testing::TestWithParam<Halt>> {};

TEST_P(TakenAwayAndBack, RowWrittenBeforeTheStopIsReadAfterTheStart) {
    const QString board = QStringLiteral("FX-2041 #0007");
    const QString note = QStringLiteral("R12 reworked: 'cold joint', 4.7 k\u03a9");
    const QDateTime repairedAt(QDate(2024, 3, 5), QTime(14, 30, 15), QTimeZone::utc());
    {
        const PostgresConnection bench(Server().ConnInfo());
        ASSERT_TRUE(bench.IsOpen()) << Text(bench.Error());
        QSqlQuery query(bench.Database());
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE repair (id serial PRIMARY KEY, board "
                                              "text NOT NULL, part text, note text, repaired_at "
                                              "timestamptz)")))
            << Text(query.lastError().text());
        ASSERT_TRUE(query.prepare(QStringLiteral(
            "INSERT INTO repair (board, part, note, repaired_at) VALUES (?, ?, ?, ?)")));
        query.addBindValue(board);
        query.addBindValue(QVariant(QMetaType::fromType<QString>()));
        query.addBindValue(note);
        query.addBindValue(repairedAt);
        ASSERT_TRUE(query.exec()) << Text(query.lastError().text());

        ASSERT_TRUE(Server().Stop(GetParam())) << Text(Server().Error());
        EXPECT_FALSE(Server().IsRunning());
        // The open session goes with the server, and a new one is refused, not kept waiting.
        EXPECT_FALSE(query.exec(QStringLiteral("SELECT 1")));
        const PostgresConnection refused(Server().ConnInfo());
        EXPECT_FALSE(refused.IsOpen());
        EXPECT_THAT(Text(refused.Error()), HasSubstr("Connection refused"));
    }
    ASSERT_TRUE(Server().Start()) << Text(Server().Error());
    const PostgresConnection back(Server().ConnInfo());
    ASSERT_TRUE(back.IsOpen()) << Text(back.Error());
    QSqlQuery query(back.Database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT board, part, note, repaired_at FROM repair")))
        << Text(query.lastError().text());
    ASSERT_TRUE(query.next());
    EXPECT_EQ(Text(query.value(0).toString()), Text(board));
    EXPECT_TRUE(query.value(1).isNull());
    EXPECT_EQ(Text(query.value(2).toString()), Text(note));
    EXPECT_EQ(query.value(3).toDateTime(), repairedAt);
    EXPECT_FALSE(query.next());
}

INSTANTIATE_TEST_SUITE_P(Halts, TakenAwayAndBack, ::testing::Values(Halt::Fast, Halt::Immediate),
                         [](const ::testing::TestParamInfo<Halt>& info) {
                             return info.param == Halt::Fast ? "Fast" : "Immediate";
                         });

TEST_F(PostgresServerTest, OnlyTheRightPasswordLetsAnotherRoleIn) {
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("bench"), QStringLiteral("solder 7's")))
        << Text(Server().Error());
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("nopass"), QString())) << Text(Server().Error());
    struct Login {
        const char* Role;
        const char* Password;
        const char* Refusal; // empty: let in
    };
    const Login logins[] = {
        {"bench", "solder 7's", ""},
        {"bench", "solder 7", "password authentication failed for user \"bench\""},
        {"bench", "", "no password supplied"},
        {"nopass", "solder 7's", "password authentication failed for user \"nopass\""},
        {"dorvik", "", ""},
    };
    for (const Login& login : logins) {
        SCOPED_TRACE(std::string(login.Role) + " with \"" + login.Password + "\"");
        const PostgresConnection connection(
            Server().ConnInfoAs(QString::fromUtf8(login.Role), QString::fromUtf8(login.Password)));
        const bool letIn = *login.Refusal == '\0';
        EXPECT_EQ(connection.IsOpen(), letIn) << Text(connection.Error());
        if (!letIn) {
            EXPECT_THAT(Text(connection.Error()), HasSubstr(login.Refusal));
        }
    }
}

TEST_F(PostgresServerTest, RoleGrantedReadingCannotWrite) {
    ASSERT_TRUE(Server().Execute(QStringLiteral("CREATE TABLE repair (board text)")))
        << Text(Server().Error());
    ASSERT_TRUE(Server().Execute(QStringLiteral("INSERT INTO repair VALUES ('FX-2041')")))
        << Text(Server().Error());
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("viewer"), QStringLiteral("look only")))
        << Text(Server().Error());
    ASSERT_TRUE(Server().Execute(QStringLiteral("GRANT SELECT ON repair TO viewer")))
        << Text(Server().Error());

    const PostgresConnection viewer(
        Server().ConnInfoAs(QStringLiteral("viewer"), QStringLiteral("look only")));
    ASSERT_TRUE(viewer.IsOpen()) << Text(viewer.Error());
    QSqlQuery query(viewer.Database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT board FROM repair")))
        << Text(query.lastError().text());
    ASSERT_TRUE(query.next());
    EXPECT_EQ(Text(query.value(0).toString()), "FX-2041");
    EXPECT_FALSE(query.exec(QStringLiteral("INSERT INTO repair VALUES ('FX-2042')")));
    EXPECT_THAT(Text(query.lastError().text()), HasSubstr("permission denied for table repair"));
}

TEST_F(PostgresServerTest, EachNewDatabaseIsEmptyAndReachedByItsName) {
    for (const QString& name :
         {QStringLiteral("line_2"), QStringLiteral("line 3"), QStringLiteral("bench 'east'")}) {
        SCOPED_TRACE(Text(name));
        ASSERT_TRUE(Server().CreateDatabase(name)) << Text(Server().Error());
        const PostgresConnection connection(Server().ConnInfo(name));
        ASSERT_TRUE(connection.IsOpen()) << Text(connection.Error());
        QSqlQuery query(connection.Database());
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT current_database(), (SELECT count(*) FROM "
                                              "pg_tables WHERE schemaname = 'public')")));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(Text(query.value(0).toString()), Text(name));
        EXPECT_EQ(query.value(1).toInt(), 0);

        EXPECT_FALSE(Server().CreateDatabase(name));
        EXPECT_THAT(Text(Server().Error()), HasSubstr("already exists"));
    }
}

TEST_F(PostgresServerTest, TwoServersAtOnceAreApart) {
    QString whyNot;
    std::optional<PostgresServer> other = PostgresServer::Start(whyNot);
    ASSERT_TRUE(other) << Text(whyNot);
    EXPECT_NE(other->Port(), Server().Port());
    EXPECT_NE(Text(other->Folder()), Text(Server().Folder()));

    ASSERT_TRUE(Server().Execute(QStringLiteral("CREATE TABLE repair (board text)")))
        << Text(Server().Error());
    EXPECT_TRUE(Server().Execute(QStringLiteral("SELECT * FROM repair"))) << Text(Server().Error());
    EXPECT_FALSE(other->Execute(QStringLiteral("SELECT * FROM repair")));
    EXPECT_THAT(Text(other->Error()), HasSubstr("\"repair\" does not exist"));
}

TEST_F(PostgresServerTest, SettingsAreTheOnesTheTestsRelyOn) {
    const PostgresConnection connection(Server().ConnInfo());
    ASSERT_TRUE(connection.IsOpen()) << Text(connection.Error());
    const std::pair<const char*, const char*> settings[] = {
        {"listen_addresses", "127.0.0.1"},
        {"unix_socket_directories", ""},
        {"fsync", "on"},
        {"server_encoding", "UTF8"},
        {"lc_collate", "C"},
        {"password_encryption", "scram-sha-256"},
    };
    for (const auto& [name, value] : settings) {
        QSqlQuery query(connection.Database());
        ASSERT_TRUE(query.exec(QStringLiteral("SHOW ") + QString::fromUtf8(name)));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(Text(query.value(0).toString()), value) << name;
    }
}

// initdb and postgres refuse root; under root the server runs as the postgres system user.
TEST_F(PostgresServerTest, ServerRunsAsAnUnprivilegedUser) {
    QFile pidFile(Server().Folder() + QStringLiteral("/data/postmaster.pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const QString pid = QString::fromLatin1(pidFile.readLine().trimmed());
    const QFileInfo process(QStringLiteral("/proc/") + pid);
    ASSERT_TRUE(process.exists()) << Text(pid);
    if (::geteuid() == 0) {
        const passwd* postgres = ::getpwnam("postgres");
        ASSERT_NE(postgres, nullptr);
        EXPECT_EQ(process.ownerId(), postgres->pw_uid);
    } else {
        EXPECT_EQ(process.ownerId(), ::geteuid());
    }
}

TEST(PostgresServerLifetime, ServerAndFolderGoWithTheLastOwner) {
    QString whyNot;
    std::optional<PostgresServer> first = PostgresServer::Start(whyNot);
    ASSERT_TRUE(first) << Text(whyNot);
    const QString folder = first->Folder();
    const QString connInfo = first->ConnInfo();
    {
        const PostgresServer owner = std::move(*first);
        first.reset(); // what was moved from must leave the server alone
        const PostgresConnection connection(owner.ConnInfo());
        EXPECT_TRUE(connection.IsOpen()) << Text(connection.Error());
        EXPECT_TRUE(QFileInfo::exists(folder));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    const PostgresConnection refused(connInfo);
    EXPECT_FALSE(refused.IsOpen());
    EXPECT_THAT(Text(refused.Error()), HasSubstr("Connection refused"));
}

} // namespace
