// The line database with several benches at once: four bench processes writing into it, a batch
// the line has already committed sent again (the bench killed before it marked it sent), and two
// senders emptying one outbox at the same time. Every record arrives exactly once.

#include "LineServer.h"
#include "TickedList.h"
#include "Writers.h"

#include "repairlog/LineSender.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

class LineTogether : public test::LineServer {
protected:
    // A bench file holding `count` records, none sent yet.
    QString OutboxOf(int count) {
        const QString file = dir_.filePath(QStringLiteral("bench/repairs.sqlite"));
        QString error;
        const auto outbox = RecordStore::OpenSqlite(file, error);
        EXPECT_NE(outbox, nullptr) << error.toStdString();
        std::vector<RepairRecord> records;
        for (int n = 1; n <= count; ++n) {
            RepairRecord& r = records.emplace_back(test::WrittenRecord("outbox", n));
            r.Id = "00000000-0000-4000-8000-" +
                   QString::number(n).rightJustified(12, u'0').toStdString();
        }
        EXPECT_TRUE(outbox->Insert(records, error)) << error.toStdString();
        return file;
    }

    QTemporaryDir dir_;
};

TEST_F(LineTogether, FourBenchesWritingAtOnce) {
    constexpr int Each = 500;
    const std::vector<test::Written> written = test::WriteAtOnce(Conninfo(), 4, Each);
    const auto line = Line();
    ASSERT_NE(line, nullptr);
    test::ExpectEveryRecordOnce(*line, written, Each);
}

// Benches started together on a new line database: one makes the schema, the others wait and
// find it made, never half made. Many rounds, so that a start falls into another's commit.
TEST_F(LineTogether, BenchesStartingOnANewDatabaseAtOnce) {
    constexpr int Rounds = 12;
    for (int round = 0; round < Rounds; ++round) {
        const QString database = QStringLiteral("fresh_%1").arg(round);
        ASSERT_TRUE(Server().CreateDatabase(database)) << Server().Error().toStdString();
        const std::vector<test::Written> written =
            test::WriteAtOnce(Server().ConnInfo(database), 6, 1);
        for (const test::Written& w : written) {
            EXPECT_EQ(w.ExitCode, 0)
                << "round " << round << ", " << w.Writer << ": " << w.Errors.toStdString();
        }
    }
}

TEST_F(LineTogether, ABatchSentAgainChangesNothing) {
    const QString file = OutboxOf(2 * LineSender::BatchSize + 100);
    LineSender sender(file, Conninfo());
    LineSender::Sent sent = sender.SendWaiting();
    ASSERT_TRUE(sent.Error.isEmpty()) << sent.Error.toStdString();
    EXPECT_EQ(sent.Records, 2 * LineSender::BatchSize + 100);
    // As if the bench had died after the line committed its last two batches, before it marked
    // them sent: they go again.
    {
        QString error;
        const auto outbox = RecordStore::OpenSqlite(file, error);
        ASSERT_NE(outbox, nullptr) << error.toStdString();
        QSqlQuery forget(outbox->Database());
        forget.prepare(QStringLiteral("DELETE FROM outbox_sent WHERE id > ?"));
        forget.addBindValue(
            QStringLiteral("00000000-0000-4000-8000-%1")
                .arg(QString::number(LineSender::BatchSize).rightJustified(12, u'0')));
        ASSERT_TRUE(forget.exec()) << forget.lastError().text().toStdString();
        EXPECT_EQ(outbox->UnsentCount(error), LineSender::BatchSize + 100);
    }
    sent = LineSender(file, Conninfo()).SendWaiting();
    ASSERT_TRUE(sent.Error.isEmpty()) << sent.Error.toStdString();
    EXPECT_EQ(sent.Records, LineSender::BatchSize + 100);
    EXPECT_EQ(sent.Waiting, 0);
    ExpectLineHoldsOutbox(file);
}

TEST_F(LineTogether, RecordsTheLineHasAlreadyAreNotAddedTwice) {
    const QString file = OutboxOf(300);
    {
        // Half of them reached the line another way (an earlier sender, a copy by hand).
        QString error;
        const auto outbox = RecordStore::OpenSqlite(file, error);
        ASSERT_NE(outbox, nullptr);
        const auto records = outbox->Unsent(150, error);
        ASSERT_TRUE(records) << error.toStdString();
        const auto line = Line();
        ASSERT_NE(line, nullptr);
        ASSERT_TRUE(line->Insert(*records, error)) << error.toStdString();
    }
    const LineSender::Sent sent = LineSender(file, Conninfo()).SendWaiting();
    ASSERT_TRUE(sent.Error.isEmpty()) << sent.Error.toStdString();
    ExpectLineHoldsOutbox(file);
}

TEST_F(LineTogether, TwoSendersEmptyingOneOutbox) {
    const QString file = OutboxOf(3 * LineSender::BatchSize + 17);
    std::vector<std::unique_ptr<QProcess>> senders;
    for (int s = 0; s < 2; ++s) {
        auto& sender = senders.emplace_back(std::make_unique<QProcess>());
        sender->start(QStringLiteral(DORVIK_RECORD_WRITER),
                      {QStringLiteral("send"), file, Conninfo()});
    }
    for (auto& sender : senders) {
        ASSERT_TRUE(sender->waitForFinished(test::WriterWaitMs));
        EXPECT_EQ(sender->exitCode(), 0) << sender->readAllStandardError().toStdString();
        EXPECT_TRUE(sender->readAllStandardOutput().startsWith("sent: "));
    }
    ExpectLineHoldsOutbox(file);
}

} // namespace
} // namespace dorvik
