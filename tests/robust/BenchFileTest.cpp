// A bench file that cannot take a record, as the operator meets it through the program: damaged,
// read-only, full, or of a newer schema. Every tick says why, naming the file, and stays
// unticked; nothing the file held is lost or changed, and what it could still take is whole.

#include "BenchSession.h"
#include "TickedList.h"
#include "WrittenRecord.h"

#include "repairlog/RecordStore.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace dorvik {
namespace {

constexpr int Faults = 12;

class BenchFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QString error;
        const auto store = RecordStore::OpenSqlite(file_, error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        for (int n = 1; n <= 3; ++n) {
            RepairRecord& r = earlier_.emplace_back(test::WrittenRecord("earlier", n));
            r.Id = "00000000-0000-4000-8000-00000000000" + std::to_string(n);
        }
        ASSERT_TRUE(store->Insert(earlier_, error)) << error.toStdString();
    }

    QByteArray Bytes() const {
        QFile file(file_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    struct Outcome {
        std::vector<std::pair<int, std::string>> Repaired; // fault, id
        QStringList Messages;
        QStringList Faults; // the `faults` listing at the end
    };

    // Ticks every fault with OK; a message is answered and the next fault tried.
    Outcome TickEveryFault(test::BenchSession& bench) {
        Outcome outcome;
        if (!bench.Start()) {
            ADD_FAILURE() << "the program did not start";
            return outcome;
        }
        bench.Send(list_.Opening(QStringLiteral("list.txt"), QStringLiteral("anna")));
        for (int k = 1; k <= Faults; ++k) {
            // When the file cannot be opened the message comes at the tick and `ok` closes it;
            // when it cannot commit, the message comes after OK and needs an `ok` of its own.
            bench.Send(QStringLiteral("tick %1\nok\n").arg(k));
            const std::optional<QString> line =
                bench.NextOf({QStringLiteral("repaired: "), QStringLiteral("message: ")});
            if (!line) {
                ADD_FAILURE() << "tick " << k << " got no answer: " << bench.Shown().toStdString();
                return outcome;
            }
            if (line->startsWith(QLatin1String("repaired: "))) {
                EXPECT_EQ(line->section(u' ', 1, 1).toInt(), k);
                outcome.Repaired.emplace_back(k, line->section(u' ', 2).toStdString());
                continue;
            }
            outcome.Messages << *line;
            if (line->contains(QLatin1String("cannot record the repair"))) {
                bench.Send(QStringLiteral("ok\n"));
            }
        }
        bench.Send(QStringLiteral("faults\nquit\n"));
        EXPECT_TRUE(bench.Ended()) << bench.Shown().toStdString();
        EXPECT_EQ(bench.ExitCode(), 0) << bench.Shown().toStdString();
        outcome.Faults = bench.Lines(QStringLiteral("fault "));
        return outcome;
    }

    // Every message names the file and says the fault stays unticked; the faults reported are
    // ticked and the others not.
    void ExpectToldAndUnticked(const Outcome& outcome, const char* says) {
        EXPECT_EQ(outcome.Messages.size() + static_cast<qsizetype>(outcome.Repaired.size()),
                  Faults);
        for (const QString& message : outcome.Messages) {
            EXPECT_TRUE(message.contains(file_)) << message.toStdString();
            EXPECT_TRUE(message.contains(QLatin1String(says), Qt::CaseInsensitive))
                << message.toStdString();
            EXPECT_TRUE(message.endsWith(QLatin1String("The fault stays unticked.")))
                << message.toStdString();
        }
        ASSERT_EQ(outcome.Faults.size(), Faults);
        for (int k = 1; k <= Faults; ++k) {
            const bool repaired = std::any_of(outcome.Repaired.begin(), outcome.Repaired.end(),
                                              [k](const auto& tick) { return tick.first == k; });
            EXPECT_EQ(outcome.Faults[k - 1].contains(QLatin1String("[x]")), repaired)
                << outcome.Faults[k - 1].toStdString();
        }
    }

    // The file holds the earlier records and the ticks reported, each whole, and nothing else.
    void ExpectFileHolds(const Outcome& outcome) {
        EXPECT_EQ(test::IntegrityOf(file_), "ok");
        QString error;
        const auto store = RecordStore::OpenSqlite(file_, error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        std::size_t rows = 0;
        const auto found = test::AllRecords(*store, error, &rows);
        EXPECT_EQ(rows, earlier_.size() + outcome.Repaired.size());
        for (const RepairRecord& r : earlier_) {
            EXPECT_TRUE(found.count(r.Id) != 0 && found.at(r.Id) == r) << "lost: " << r.Id;
        }
        const auto items = test::AllItems(store->Database());
        for (const auto& [fault, id] : outcome.Repaired) {
            const auto it = found.find(id);
            ASSERT_NE(it, found.end()) << "reported, not recorded: fault " << fault;
            RepairRecord want = list_.Expected(fault, "list.txt", "anna");
            want.Comment.clear(); // OK at once, nothing typed
            EXPECT_EQ(test::Timeless(it->second), test::Timeless(want));
            const auto named = items.find(id);
            EXPECT_EQ(named != items.end() ? named->second : std::set<std::string>{},
                      test::ItemsOf(it->second));
        }
    }

    test::BenchSession Bench() {
        return test::BenchSession(dir_.path(), dir_.filePath(QStringLiteral("config")));
    }

    QTemporaryDir dir_;
    QString file_ = dir_.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
    test::TickedList list_{dir_.path(), "SN-BAD-FILE", Faults};
    std::vector<RepairRecord> earlier_;
};

TEST_F(BenchFile, ANewerSchemaIsLeftUntouched) {
    {
        QString error;
        const auto store = RecordStore::OpenSqlite(file_, error);
        ASSERT_NE(store, nullptr);
        QSqlQuery newer(store->Database());
        ASSERT_TRUE(newer.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (7, 0)"));
    }
    const QByteArray before = Bytes();
    test::BenchSession bench = Bench();
    const Outcome outcome = TickEveryFault(bench);
    EXPECT_TRUE(outcome.Repaired.empty());
    ExpectToldAndUnticked(outcome, "schema version 7, newer than this program knows");
    EXPECT_EQ(Bytes(), before) << "the newer file was changed";
}

TEST_F(BenchFile, ACutShortFileIsNeverWritten) {
    QByteArray whole = Bytes();
    ASSERT_GT(whole.size(), 4 * 4096);
    {
        QFile file(file_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(whole.size() / 2));
    }
    const QByteArray before = Bytes();
    test::BenchSession bench = Bench();
    const Outcome outcome = TickEveryFault(bench);
    EXPECT_TRUE(outcome.Repaired.empty()) << "a damaged file took a record";
    ExpectToldAndUnticked(outcome, "malformed");
    EXPECT_EQ(Bytes(), before);
}

// Root passes by file permissions, so as root the program runs as nobody (setpriv), for whom the
// file and its folder really are read-only; otherwise the permissions alone do it.
TEST_F(BenchFile, AReadOnlyFileKeepsWhatItHolds) {
    const QString folder = dir_.filePath(QStringLiteral("Dorvik"));
    const QString config = dir_.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(config));
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(file_, QFile::ReadOwner | QFile::ReadOther));
    test::BenchSession bench = Bench();
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(config.toLocal8Bit().constData(), 65534, 65534), 0);
        bench.SetLauncher(QStringLiteral("setpriv"),
                          {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                           QStringLiteral("--clear-groups")});
    }
    const QByteArray before = Bytes();
    const Outcome outcome = TickEveryFault(bench);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file_, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(outcome.Repaired.empty()) << "a read-only file took a record";
    ExpectToldAndUnticked(outcome, "cannot be used");
    EXPECT_EQ(Bytes(), before);
    ExpectFileHolds(outcome);
}

// A full disk as the program meets it: its writes beyond a size fail (RLIMIT_FSIZE, with SIGXFSZ
// ignored so that the write returns an error instead of ending the program).
TEST_F(BenchFile, AFullDiskTakesWhatFitsAndRefusesTheRest) {
    constexpr rlim_t Room = 160 * 1024;
    ASSERT_LT(Bytes().size(), static_cast<qsizetype>(Room));
    test::BenchSession bench = Bench();
    bench.SetChildSetup([] {
        const rlimit limit{Room, Room};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
    });
    const Outcome outcome = TickEveryFault(bench);
    EXPECT_FALSE(outcome.Repaired.empty()) << "nothing fitted: " << bench.Shown().toStdString();
    EXPECT_FALSE(outcome.Messages.empty()) << "the disk never filled";
    ExpectToldAndUnticked(outcome, "cannot record the repair");
    ExpectFileHolds(outcome);
}

} // namespace
} // namespace dorvik
