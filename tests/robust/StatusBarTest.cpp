// The main window's status bar while records wait for the line database: the label
// RepairLogWaiting says how many, names the database (never its password) and why it is not
// reached, and goes once everything has arrived. The real window, driven by the real script
// runner in this process, so that the label itself can be read.

#include "LineServer.h"
#include "TickedList.h"

#include "shell/MainWindow.h"
#include "shell/ScriptLines.h"
#include "shell/ScriptRunner.h"
#include "support/ModalAnswer.h"
#include "support/OwnDataFolder.h"
#include "support/PostgresFixture.h"

#include <QLabel>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace dorvik {
namespace {

constexpr int LineWaitMs = 90000; // bounds a hang only

// A main window on the repair log `conninfo`, ticking faults through a script of its own.
class WindowOnLine {
public:
    explicit WindowOnLine(const QString& conninfo) {
        qputenv("DORVIK_REPAIR_LOG", conninfo.toUtf8());
        form_ = std::make_unique<TForm1>(board_, QStringLiteral(DORVIK_SOURCE_DIR "/data/"));
        form_->show();
        qunsetenv("DORVIK_REPAIR_LOG");
    }
    ~WindowOnLine() {
        runner_.reset();
        form_.reset();
        if (out_ != nullptr) {
            std::fclose(out_);
        }
    }

    // Runs the script to its end.
    bool Run(const QString& script) {
        const QString path = dir_.filePath(QStringLiteral("script-%1.txt").arg(++scripts_));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0) {
            return false;
        }
        file.close();
        if (out_ == nullptr) {
            out_ = std::tmpfile();
        }
        runner_ = std::make_unique<ScriptRunner>(
            *form_, ScriptLines::Open(path), std::nullopt, [](int) {}, out_, out_);
        runner_->Start();
        return test::WaitUntil([&] { return runner_->Finished(); }, LineWaitMs);
    }

    QLabel& Waiting() const {
        return *form_->findChild<QLabel*>(QStringLiteral("RepairLogWaiting"));
    }

    const QTemporaryDir& Dir() const { return dir_; }

private:
    test::OwnDataFolder data_;
    QTemporaryDir dir_;
    BoardData board_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<ScriptRunner> runner_;
    std::FILE* out_ = nullptr;
    int scripts_ = 0;
};

QString TicksOf(const QTemporaryDir& dir, int ticks) {
    const test::TickedList list(dir.path(), "SN-STATUS", ticks);
    return list.Opening(QStringLiteral("list.txt"), QStringLiteral("anna")) +
           test::TickedList::Ticks(1, ticks);
}

class StatusBar : public test::LineServer {};

TEST_F(StatusBar, SaysHowManyWaitWhereAndWhy) {
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("bench_s"), QStringLiteral("right")));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    {
        const auto line = Line(); // its schema, then one newer than the program knows
        ASSERT_NE(line, nullptr);
        QSqlQuery newer(line->Database());
        ASSERT_TRUE(newer.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (7, 0)"));
    }
    struct Case {
        QString Conninfo;
        const char* Why;
    };
    const Case cases[] = {
        {Server().ConnInfoAs(QStringLiteral("bench_s"), QStringLiteral("not-it"), DatabaseName()),
         "password authentication failed"},
        {Conninfo(), "newer than this program knows"},
        {QStringLiteral("host=127.0.0.1 port=%1 dbname=repairs user=dorvik").arg(port), "refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        WindowOnLine window(c.Conninfo);
        ASSERT_TRUE(window.Run(TicksOf(window.Dir(), 2)));
        // The reason may show before the ticks (the sender tries the line at start): both, then.
        const QString named = QStringLiteral("Repair log: 2 waiting for the line database ") +
                              LocationName(ParseLogLocation(c.Conninfo, {}));
        EXPECT_TRUE(test::WaitUntil(
            [&] {
                const QString text = window.Waiting().text();
                return text.startsWith(named) && text.contains(QLatin1String(c.Why));
            },
            LineWaitMs))
            << window.Waiting().text().toStdString();
        const QString text = window.Waiting().text();
        EXPECT_TRUE(window.Waiting().isVisible());
        EXPECT_FALSE(text.contains(QLatin1String("not-it"))) << "the password is shown";
    }
}

class StatusBarOutage : public test::WithPostgres<> {};

TEST_F(StatusBarOutage, CountsDuringTheOutageAndGoesWhenAllArrived) {
    WindowOnLine window(Server().ConnInfo());
    ASSERT_TRUE(Server().Stop()) << Server().Error().toStdString();
    ASSERT_TRUE(window.Run(TicksOf(window.Dir(), 4)));
    EXPECT_TRUE(test::WaitUntil([&] { return window.Waiting().isVisible(); }, LineWaitMs));
    EXPECT_TRUE(window.Waiting().text().startsWith("Repair log: 4 waiting for the line database "))
        << window.Waiting().text().toStdString();
    ASSERT_TRUE(Server().Start()) << Server().Error().toStdString();
    EXPECT_TRUE(test::WaitUntil([&] { return !window.Waiting().isVisible(); }, LineWaitMs))
        << window.Waiting().text().toStdString();
}

} // namespace
} // namespace dorvik
