// A bench process for the tests, through the repair log's own store:
//   write LOCATION WRITER COUNT  opens the log (an SQLite path or a PostgreSQL connection),
//                                prints "ready", waits for a line on standard input, then
//                                commits COUNT records one per transaction as the program does,
//                                printing "written: N ID" after each commit.
//   send BENCHFILE CONNINFO      sends the bench file's outbox as the program's sender does and
//                                prints "sent: N" once nothing waits.

#include "WrittenRecord.h"

#include "repairlog/LineSender.h"
#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"

#include <QCoreApplication>
#include <QThread>
#include <QUuid>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

int Fail(const QString& why) {
    std::fprintf(stderr, "record writer: %s\n", why.toUtf8().constData());
    return 1;
}

int Write(const QString& location, const std::string& writer, int count) {
    QString error;
    const auto store = dorvik::RecordStore::Open(dorvik::ParseLogLocation(location, {}), error);
    if (store == nullptr) {
        return Fail(error);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go); // every writer starts at once
    for (int n = 1; n <= count; ++n) {
        dorvik::RepairRecord record = dorvik::test::WrittenRecord(writer, n);
        record.Id = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
        if (!store->Insert({&record, 1}, error)) {
            return Fail(QStringLiteral("record %1: %2").arg(n).arg(error));
        }
        std::printf("written: %d %s\n", n, record.Id.c_str());
        std::fflush(stdout);
    }
    return 0;
}

int Send(const QString& benchFile, const QString& conninfo) {
    dorvik::LineSender sender(benchFile, conninfo);
    std::int64_t sent = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const dorvik::LineSender::Sent result = sender.SendWaiting();
        sent += result.Records;
        if (result.Error.isEmpty() && result.Waiting == 0) {
            std::printf("sent: %lld\n", static_cast<long long>(sent));
            return 0;
        }
        if (!result.Error.isEmpty()) {
            if (attempt == 99) {
                return Fail(result.Error);
            }
            QThread::msleep(100); // as the program's sender, it tries again
        }
    }
    return Fail(QStringLiteral("the outbox did not empty"));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("write")) {
        return Write(args[2], args[3].toStdString(), args[4].toInt());
    }
    if (args.size() == 4 && args[1] == QLatin1String("send")) {
        return Send(args[2], args[3]);
    }
    return Fail(QStringLiteral("usage: write LOCATION WRITER COUNT | send BENCHFILE CONNINFO"));
}
