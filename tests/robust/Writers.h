#pragma once
// Several bench processes writing into one repair log at once (the record writer program), and
// the check that the log holds what each wrote, every record once and every field as written.

#include "WrittenRecord.h"

#include "repairlog/RecordStore.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dorvik::test {

inline constexpr int WriterWaitMs = 300000; // bounds a hang only

struct Written {
    std::string Writer;
    std::vector<std::string> Ids; // in the order committed; Ids[n - 1] is record n's
    QString Errors;
    int ExitCode = -1;
};

// Starts `writers` writer processes on `location`, lets them all go at once once each has the
// log open, and collects what each committed.
inline std::vector<Written> WriteAtOnce(const QString& location, int writers, int each) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 0; w < writers; ++w) {
        auto& process = processes.emplace_back(std::make_unique<QProcess>());
        process->start(QStringLiteral(DORVIK_RECORD_WRITER),
                       {QStringLiteral("write"), location, QStringLiteral("w%1").arg(w),
                        QString::number(each)});
    }
    for (auto& process : processes) {
        while (process->state() != QProcess::NotRunning && !process->canReadLine() &&
               process->waitForReadyRead(WriterWaitMs)) {
        }
        process->readLine(); // "ready"
    }
    for (auto& process : processes) {
        process->write("go\n");
    }
    std::vector<Written> written;
    for (int w = 0; w < writers; ++w) {
        QProcess& process = *processes[static_cast<std::size_t>(w)];
        if (!process.waitForFinished(WriterWaitMs)) {
            process.kill();
            process.waitForFinished();
        }
        Written& out = written.emplace_back();
        out.Writer = "w" + std::to_string(w);
        out.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        out.Errors = QString::fromUtf8(process.readAllStandardError());
        for (const QString& line :
             QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(QLatin1String("written: "))) {
                out.Ids.push_back(line.section(u' ', 2).toStdString());
            }
        }
    }
    return written;
}

// The log holds exactly what the writers committed: each record once, with every field.
inline void ExpectEveryRecordOnce(RecordStore& store, const std::vector<Written>& written,
                                  int each) {
    std::map<std::string, RepairRecord> expected;
    for (const Written& w : written) {
        EXPECT_EQ(w.ExitCode, 0) << w.Writer << ": " << w.Errors.toStdString();
        ASSERT_EQ(w.Ids.size(), static_cast<std::size_t>(each)) << w.Writer;
        for (int n = 1; n <= each; ++n) {
            RepairRecord r = WrittenRecord(w.Writer, n);
            r.Id = w.Ids[static_cast<std::size_t>(n - 1)];
            EXPECT_TRUE(expected.emplace(r.Id, r).second) << "id given twice: " << r.Id;
        }
    }
    QString error;
    std::size_t rows = 0;
    std::map<std::string, RepairRecord> found;
    ASSERT_TRUE(store.ForEach(
        0, INT64_MAX,
        [&](const RepairRecord& r) {
            ++rows;
            found.emplace(r.Id, r);
        },
        error))
        << error.toStdString();
    EXPECT_EQ(rows, expected.size()) << "records in the log";
    EXPECT_EQ(found.size(), expected.size()) << "distinct ids in the log";
    std::size_t wrong = 0;
    for (const auto& [id, record] : expected) {
        const auto it = found.find(id);
        if (it == found.end() || it->second != record) {
            ADD_FAILURE_AT(__FILE__, __LINE__)
                << (it == found.end() ? "missing: " : "changed: ") << id << " (" << record.Operator
                << " #" << record.Fault << ")";
            if (++wrong == 5) {
                break;
            }
        }
    }
}

} // namespace dorvik::test
