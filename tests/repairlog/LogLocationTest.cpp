// Where the repair log lives, and how a line database's connection reaches the driver.

#include "repairlog/LogLocation.h"
#include "repairlog/PostgresConnection.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(LogLocation, TellsConnectionsFromFiles) {
    struct Case {
        const char* Text;
        LogKind Kind;
    };
    for (const Case& c : {Case{"postgresql://bench@db.line3/repairs", LogKind::Postgres},
                          Case{"postgres://db/repairs", LogKind::Postgres},
                          Case{"host=127.0.0.1 port=5433 dbname=repairs", LogKind::Postgres},
                          Case{"service=line3", LogKind::Postgres},
                          Case{"/var/lib/dorvik/repairs.sqlite", LogKind::Sqlite},
                          Case{"repairs with blanks.sqlite", LogKind::Sqlite},
                          Case{"postgresql.sqlite", LogKind::Sqlite}}) {
        const LogLocation location = ParseLogLocation(QString::fromUtf8(c.Text), "bench.sqlite");
        EXPECT_EQ(location.Kind, c.Kind) << c.Text;
        if (c.Kind == LogKind::Postgres) {
            EXPECT_EQ(location.SqlitePath, "bench.sqlite") << "the bench file is the outbox";
            EXPECT_EQ(location.Conninfo, QString::fromUtf8(c.Text));
        } else {
            EXPECT_EQ(location.SqlitePath, QString::fromUtf8(c.Text));
        }
    }
    EXPECT_EQ(ParseLogLocation("  ", "bench.sqlite").SqlitePath, "bench.sqlite");
}

TEST(LogLocation, TheEnvironmentWinsOverTheSetting) {
    qputenv(LogEnvironmentVariable, "service=line3");
    EXPECT_EQ(ResolveLogLocation("/tmp/set.sqlite").Conninfo, "service=line3");
    qunsetenv(LogEnvironmentVariable);
    EXPECT_EQ(ResolveLogLocation("/tmp/set.sqlite").SqlitePath, "/tmp/set.sqlite");
    const LogLocation fallback = ResolveLogLocation(QString());
    EXPECT_EQ(fallback.SqlitePath, DefaultBenchFile());
    EXPECT_TRUE(fallback.SqlitePath.endsWith("/Dorvik/repairs.sqlite"));
    EXPECT_TRUE(fallback.SqlitePath.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
}

TEST(PostgresConnection, PassesEverySettingQuotedWithATimeout) {
    const PostgresOptions keywords =
        PostgresConnectOptions("host=127.0.0.1 port=5433 dbname='line three' user=bench");
    ASSERT_TRUE(keywords.Error.isEmpty()) << keywords.Error.toStdString();
    const QStringList given = keywords.ConnectOptions.split(u';');
    EXPECT_EQ(given.size(), 6) << keywords.ConnectOptions.toStdString();
    for (const char* setting :
         {"host='127.0.0.1'", "port='5433'", "dbname='line three'", "user='bench'",
          "connect_timeout='5'", "application_name='dorvik'"}) {
        EXPECT_TRUE(given.contains(QString::fromLatin1(setting))) << setting;
    }

    const PostgresOptions uri =
        PostgresConnectOptions("postgresql://bench@db.example:5433/repairs?connect_timeout=2");
    ASSERT_TRUE(uri.Error.isEmpty()) << uri.Error.toStdString();
    EXPECT_TRUE(uri.ConnectOptions.contains("host='db.example'"));
    EXPECT_TRUE(uri.ConnectOptions.contains("connect_timeout='2'"));
    EXPECT_FALSE(uri.ConnectOptions.contains("connect_timeout='5'"));
    EXPECT_TRUE(uri.ConnectOptions.contains("sslmode") == false);

    const PostgresOptions quotes = PostgresConnectOptions(R"(dbname='it\'s' sslmode=verify-full)");
    EXPECT_TRUE(quotes.ConnectOptions.contains(R"(dbname='it\'s')"))
        << quotes.ConnectOptions.toStdString();
    EXPECT_TRUE(quotes.ConnectOptions.contains("sslmode='verify-full'"));
}

TEST(PostgresConnection, RefusesWhatLibpqCannotRead) {
    for (const char* text : {"host=a nonsense_keyword=1", "dbname='unclosed", "host=a;b=c dbname=x",
                             "postgresql://[::1"}) {
        const PostgresOptions options = PostgresConnectOptions(text);
        EXPECT_FALSE(options.Error.isEmpty()) << text;
        EXPECT_TRUE(options.ConnectOptions.isEmpty()) << text;
    }
}

TEST(PostgresConnection, NeverShowsAPassword) {
    const QString shown = ConninfoWithoutPassword("host=db password=secret dbname=repairs");
    EXPECT_FALSE(shown.contains("secret"));
    EXPECT_TRUE(shown.contains("host=db") && shown.contains("dbname=repairs"))
        << shown.toStdString();
    EXPECT_FALSE(
        ConninfoWithoutPassword("postgresql://bench:secret@db/repairs").contains("secret"));
    EXPECT_FALSE(ConninfoWithoutPassword("password='unclosed secret").contains("secret"));
    EXPECT_EQ(LocationName(ParseLogLocation("host=db password=x", "b.sqlite")).toStdString(),
              "host=db");
}

} // namespace
} // namespace dorvik
