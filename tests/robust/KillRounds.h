#pragma once
// Rounds of a bench killed with SIGKILL in the middle of ticking a long fault list: the moment
// of each kill drawn from a seed (printed with every failure; DORVIK_KILL_SEED repeats a run),
// and the check of the log after it.

#include "BenchSession.h"
#include "TickedList.h"

#include "repairlog/RecordStore.h"

#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace dorvik::test {

inline unsigned KillSeed() {
    bool ok = false;
    const unsigned given = qEnvironmentVariable("DORVIK_KILL_SEED").toUInt(&ok);
    return ok ? given : std::random_device{}();
}

inline std::string SeedNote(unsigned seed) {
    return "kill seed " + std::to_string(seed) + " (DORVIK_KILL_SEED=" + std::to_string(seed) +
           " repeats these moments)";
}

struct Reported {
    int Fault = 0;
    std::string Id;
};

// Starts the bench, hands it the whole script, waits for `after` ticks to be reported and a
// further `extraUs`, kills it, and gives what it had reported by then.
inline std::vector<Reported> TickUntilKilled(BenchSession& bench, const QString& script, int after,
                                             int extraUs) {
    std::vector<Reported> reported;
    if (!bench.Start()) {
        ADD_FAILURE() << "the program did not start";
        return reported;
    }
    bench.Send(script);
    for (int k = 0; k < after; ++k) {
        if (!bench.Next(QStringLiteral("repaired: "))) {
            ADD_FAILURE() << "the program stopped reporting ticks: " << bench.Shown().toStdString();
            break;
        }
    }
    QThread::usleep(static_cast<unsigned long>(extraUs));
    bench.Kill();
    for (const QString& line : bench.Lines(QStringLiteral("repaired: "))) {
        reported.push_back({line.section(u' ', 1, 1).toInt(), line.section(u' ', 2).toStdString()});
    }
    return reported;
}

// When a round kills the bench: once `After` ticks are reported and `ExtraUs` later.
struct KillMoment {
    int After = 0;
    int ExtraUs = 0;
    std::string Report; // the round's report file, so that its records tell from others'

    std::string Note() const {
        return Report + ": killed " + std::to_string(ExtraUs) + " us after tick " +
               std::to_string(After);
    }
};

inline KillMoment DrawKillMoment(std::mt19937& random, int round, int faults) {
    KillMoment moment;
    moment.After = std::uniform_int_distribution<int>(0, faults - 1)(random);
    moment.ExtraUs = std::uniform_int_distribution<int>(0, 8000)(random);
    moment.Report = "round-" + std::to_string(round) + ".txt";
    return moment;
}

// The whole list ticked by "killer" in `bench`, killed at `moment`.
inline std::vector<Reported> TickListUntilKilled(BenchSession& bench, const TickedList& list,
                                                 const KillMoment& moment) {
    return TickUntilKilled(
        bench,
        list.Opening(QString::fromStdString(moment.Report), QStringLiteral("killer")) +
            TickedList::Ticks(1, list.Faults()) + QStringLiteral("quit\n"),
        moment.After, moment.ExtraUs);
}

// After a kill: every tick reported is in the log with all its fields and all it names, at most
// one more record than reported (the one committed when the kill came, the next fault's), and
// nothing of earlier rounds lost or changed. `kept` holds every record the log must keep; the
// round's records are added to it.
inline void ExpectRoundKept(RecordStore& store, const TickedList& list, const std::string& name,
                            const std::string& who, const std::vector<Reported>& reported,
                            std::map<std::string, RepairRecord>& kept) {
    QString error;
    std::size_t rows = 0;
    const auto found = AllRecords(store, error, &rows);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(rows, found.size()) << "an id twice";
    const auto items = AllItems(store.Database());
    const auto expectWhole = [&](const RepairRecord& r, int fault) {
        EXPECT_EQ(Timeless(r), Timeless(list.Expected(fault, name, who))) << r.Id;
        const auto named = items.find(r.Id);
        EXPECT_EQ(named != items.end() ? named->second : std::set<std::string>{}, ItemsOf(r))
            << "what record " << r.Id << " names";
    };
    int last = 0;
    for (const Reported& tick : reported) {
        EXPECT_EQ(tick.Fault, last + 1) << "ticks reported in order";
        last = tick.Fault;
        const auto it = found.find(tick.Id);
        if (it == found.end()) {
            ADD_FAILURE() << "tick " << tick.Fault << " was reported, its record " << tick.Id
                          << " is not in the log";
            continue;
        }
        expectWhole(it->second, tick.Fault);
        kept.emplace(tick.Id, it->second);
    }
    int unreported = 0;
    for (const auto& [id, record] : found) {
        if (record.ReportFile != name || kept.count(id) != 0) {
            continue;
        }
        ++unreported;
        EXPECT_EQ(record.Fault, last + 1) << "only the tick under way may be unreported";
        expectWhole(record, record.Fault);
        kept.emplace(id, record);
    }
    EXPECT_LE(unreported, 1) << "records committed but never reported";
    for (const auto& [id, record] : kept) {
        const auto it = found.find(id);
        EXPECT_TRUE(it != found.end() && it->second == record) << "an earlier record lost: " << id;
    }
    EXPECT_EQ(found.size(), kept.size()) << "records from nowhere";
}

// The bench file after a killed round: whole, and holding what ExpectRoundKept asks. False when
// the kill came before the file was made (then nothing may have been reported).
inline bool ExpectBenchFileKept(const QString& file, const TickedList& list,
                                const KillMoment& moment, const std::vector<Reported>& reported,
                                std::map<std::string, RepairRecord>& kept) {
    if (!QFile::exists(file)) {
        EXPECT_TRUE(reported.empty()) << "ticks reported without a bench file";
        return false;
    }
    EXPECT_EQ(IntegrityOf(file), "ok");
    QString error;
    const auto store = RecordStore::OpenSqlite(file, error);
    EXPECT_NE(store, nullptr) << error.toStdString();
    if (store != nullptr) {
        ExpectRoundKept(*store, list, moment.Report, "killer", reported, kept);
    }
    return true;
}

} // namespace dorvik::test
