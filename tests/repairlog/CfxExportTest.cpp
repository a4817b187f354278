// The CFX export: one UnitsRepaired envelope per unit visit with the SDK's field names and value
// forms, reversed repairs left out, visits gathered as records stream by, the same lines from the
// same records.

#include "RecordFixture.h"

#include "repairlog/CfxExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dorvik {
namespace {

using test::ReversalOf;
using test::SampleRecord;

const std::int64_t Day1 = *DayStartUtc("2026-11-02");
constexpr std::int64_t Hour = 3'600'000;

RepairRecord At(std::string serial, std::int64_t recorded, std::string report, std::string id) {
    RepairRecord r = SampleRecord(std::move(serial), recorded);
    r.ReportFile = std::move(report);
    r.Id = std::move(id);
    return r;
}

// The records in time order, as the store gives them, through the export.
std::string Export(std::vector<RepairRecord> records) {
    std::stable_sort(
        records.begin(), records.end(),
        [](const RepairRecord& a, const RepairRecord& b) { return a.Recorded < b.Recorded; });
    std::unordered_set<std::string> reversed;
    for (const RepairRecord& r : records) {
        if (r.IsReversal()) {
            reversed.insert(r.Reverses);
        }
    }
    std::ostringstream out;
    CfxExport cfx(ExportSink(out), reversed);
    for (const RepairRecord& r : records) {
        cfx.Add(r);
    }
    EXPECT_TRUE(cfx.Finish());
    return out.str();
}

std::vector<QJsonObject> Messages(const std::string& lines) {
    std::vector<QJsonObject> messages;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) {
        QJsonParseError error{};
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        messages.push_back(document.object());
    }
    return messages;
}

QJsonObject Unit(const QJsonObject& message) {
    return message["MessageBody"]["RepairedUnits"][0].toObject();
}

QStringList RepairIds(const QJsonObject& message) {
    QStringList ids;
    for (const QJsonValue& repair : Unit(message)["Repairs"].toArray()) {
        ids << repair["UniqueIdentifier"].toString();
    }
    return ids;
}

// Two units: SN1 over a report (one repair reversed), and twice at its bench without one on
// two days; SN2 over a report whose only repair was reversed.
std::vector<RepairRecord> Fixture() {
    const RepairRecord kept = At("SN1", Day1 + Hour, "r1.txt", "a1");
    const RepairRecord undone = At("SN1", Day1 + Hour + 1000, "r1.txt", "a2");
    RepairRecord later = At("SN1", Day1 + 2 * Hour, "r1.txt", "a3");
    later.Refdes = "C7 R12";
    later.Result = "UnableToRepair";
    later.Action = "Sent to engineering";
    later.Comment.clear();
    RepairRecord reversal = ReversalOf(undone);
    reversal.Id = "a2-undo";
    const RepairRecord bench1 = At("SN1", Day1 + 5 * Hour, "", "b1");
    RepairRecord bench2 = At("SN1", Day1 + 30 * Hour, "", "b2");
    bench2.Refdes.clear();
    bench2.Operator = "ben";
    const RepairRecord gone = At("SN2", Day1 + 3 * Hour, "r2.txt", "c1");
    RepairRecord goneReversal = ReversalOf(gone);
    goneReversal.Id = "c1-undo";
    return {kept, undone, later, reversal, bench1, bench2, gone, goneReversal};
}

TEST(CfxExport, OneEnvelopePerVisitWithoutWhatWasReversed) {
    const std::string lines = Export(Fixture());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;
    const std::vector<QJsonObject> messages = Messages(lines);
    ASSERT_EQ(messages.size(), 3u);
    std::vector<std::pair<QString, QStringList>> visits;
    for (const QJsonObject& message : messages) {
        visits.emplace_back(Unit(message)["UnitIdentifier"].toString(), RepairIds(message));
    }
    std::sort(visits.begin(), visits.end());
    const std::vector<std::pair<QString, QStringList>> expected{
        {"SN1", {"a1", "a3"}}, {"SN1", {"b1"}}, {"SN1", {"b2"}}};
    EXPECT_EQ(visits, expected) << "SN2's visit, all reversed, gives no message";
}

TEST(CfxExport, WritesTheFieldsAsTheSdkNamesThem) {
    const std::vector<QJsonObject> messages = Messages(Export(Fixture()));
    const auto report = std::find_if(messages.begin(), messages.end(), [](const QJsonObject& m) {
        return RepairIds(m) == QStringList({"a1", "a3"});
    });
    ASSERT_NE(report, messages.end());
    const QJsonObject& m = *report;
    EXPECT_EQ(m.keys(), QStringList({"MessageBody", "MessageName", "RequestID", "Source", "Target",
                                     "TimeStamp", "UniqueID", "Version"}));
    EXPECT_EQ(m["MessageName"], "CFX.Production.ReworkAndRepair.UnitsRepaired");
    EXPECT_EQ(m["Version"], "1.4");
    EXPECT_EQ(m["TimeStamp"], "2026-11-02T02:00:00.000+00:00") << "the newest repair's";
    EXPECT_EQ(m["Source"], "bench-7");
    EXPECT_TRUE(m["Target"].isNull());
    EXPECT_TRUE(m["RequestID"].isNull());
    const QRegularExpression uuid(
        "^[0-9a-f]{8}-[0-9a-f]{4}-5[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$");
    EXPECT_TRUE(uuid.match(m["UniqueID"].toString()).hasMatch())
        << m["UniqueID"].toString().toStdString();

    const QJsonObject body = m["MessageBody"].toObject();
    EXPECT_EQ(body.keys(), QStringList({"RepairOperator", "RepairedUnits", "TransactionId"}));
    EXPECT_TRUE(uuid.match(body["TransactionId"].toString()).hasMatch());
    EXPECT_NE(body["TransactionId"], m["UniqueID"]);
    EXPECT_EQ(body["RepairOperator"].toObject(), QJsonObject({{"OperatorIdentifier", "anna"},
                                                              {"ActorType", "Human"},
                                                              {"LastName", QJsonValue::Null},
                                                              {"FirstName", QJsonValue::Null},
                                                              {"LoginName", "anna"}}));
    ASSERT_EQ(body["RepairedUnits"].toArray().size(), 1);
    const QJsonObject unit = Unit(m);
    EXPECT_EQ(unit.keys(),
              QStringList({"OverallResult", "Repairs", "UnitIdentifier", "UnitPositionNumber"}));
    EXPECT_EQ(unit["UnitPositionNumber"], 1);
    EXPECT_EQ(unit["OverallResult"], "UnableToRepair");

    const QJsonArray repairs = unit["Repairs"].toArray();
    ASSERT_EQ(repairs.size(), 2);
    EXPECT_EQ(repairs[0].toObject(),
              QJsonObject({{"UniqueIdentifier", "a1"},
                           {"RepairName", "Solder bridge removed"},
                           {"RepairStartTime", "2026-11-02T00:58:25.000+00:00"},
                           {"RepairEndTime", "2026-11-02T01:00:00.000+00:00"},
                           {"Comments", "bridge between pins 3 and 4"},
                           {"ComponentOfInterest", QJsonObject({{"ReferenceDesignator", "U5"},
                                                                {"UnitPosition", QJsonValue::Null},
                                                                {"PartNumber", QJsonValue::Null}})},
                           {"RegionOfInterest", QJsonValue::Null},
                           {"RelatedDefectIdentifiers", QJsonArray()},
                           {"ReclassifiedDefects", QJsonArray()},
                           {"RelatedSymptomIdentifiers", QJsonArray()},
                           {"ReclassifiedSymptoms", QJsonArray()},
                           {"Result", "RepairSuccessful"},
                           {"Error", QJsonValue::Null}}));
    const QJsonObject second = repairs[1].toObject();
    EXPECT_EQ(second["ComponentOfInterest"]["ReferenceDesignator"], "C7") << "the first one";
    EXPECT_TRUE(second["Comments"].isNull()) << "no comment given";
    EXPECT_EQ(second["RepairName"], "Sent to engineering");
    EXPECT_EQ(second["Result"], "UnableToRepair");
}

TEST(CfxExport, ARepairNamingNoPartHasNoComponentOfInterest) {
    const std::vector<QJsonObject> messages = Messages(Export(Fixture()));
    const auto b2 = std::find_if(messages.begin(), messages.end(), [](const QJsonObject& m) {
        return RepairIds(m) == QStringList({"b2"});
    });
    ASSERT_NE(b2, messages.end());
    EXPECT_TRUE(Unit(*b2)["Repairs"][0]["ComponentOfInterest"].isNull());
    EXPECT_EQ((*b2)["MessageBody"]["RepairOperator"]["LoginName"], "ben");
}

TEST(CfxExport, TheOverallResultIsTheWorstOfTheVisit) {
    struct Case {
        std::vector<const char*> Results;
        const char* Overall;
    };
    const Case cases[] = {
        {{"RepairSuccessful"}, "RepairSuccessful"},
        {{"RepairSuccessful", "RepairSuccessful"}, "RepairSuccessful"},
        {{"RepairSuccessful", "UnableToRepair"}, "UnableToRepair"},
        {{"UnableToRepair", "Scrap", "RepairSuccessful"}, "Scrap"},
        {{"Scrap", "UnableToRepair"}, "Scrap"},
    };
    for (const Case& c : cases) {
        std::vector<RepairRecord> records;
        for (const char* result : c.Results) {
            RepairRecord r = SampleRecord("SN-R", Day1 + static_cast<std::int64_t>(records.size()));
            r.Result = result;
            records.push_back(r);
        }
        const std::vector<QJsonObject> messages = Messages(Export(records));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(Unit(messages[0])["OverallResult"], c.Overall) << c.Results.size();
    }
}

TEST(CfxExport, TheSameRecordsGiveTheSameLines) {
    const std::vector<RepairRecord> records = Fixture();
    const std::string first = Export(records);
    EXPECT_EQ(Export(records), first);

    // A repair more in a visit makes a new message of the same transaction.
    std::vector<RepairRecord> more = records;
    more.push_back(At("SN1", Day1 + 2 * Hour + 5, "r1.txt", "a4"));
    const auto report = [](const std::string& lines) {
        for (const QJsonObject& m : Messages(lines)) {
            if (RepairIds(m).startsWith("a1")) {
                return m;
            }
        }
        return QJsonObject();
    };
    const QJsonObject before = report(first);
    const QJsonObject after = report(Export(more));
    EXPECT_EQ(RepairIds(after), QStringList({"a1", "a3", "a4"}));
    EXPECT_EQ(after["MessageBody"]["TransactionId"], before["MessageBody"]["TransactionId"]);
    EXPECT_NE(after["UniqueID"], before["UniqueID"]);
}

TEST(CfxExport, AReversalOutsideTheRecordsGivenStillCounts) {
    // The export of one day: the reversal came the next day and is not among the records.
    std::ostringstream out;
    CfxExport cfx(ExportSink(out), {"x1"});
    cfx.Add(At("SN-X", Day1, "rx.txt", "x1"));
    cfx.Add(At("SN-X", Day1 + 1, "rx.txt", "x2"));
    ASSERT_TRUE(cfx.Finish());
    const std::vector<QJsonObject> messages = Messages(out.str());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(RepairIds(messages[0]), QStringList({"x2"}));
    EXPECT_EQ(cfx.Messages(), 1);
}

TEST(CfxExport, TextThatJsonMustEscapeStaysOnItsLine) {
    RepairRecord r = SampleRecord("SN \"q\"\n2");
    r.Comment = "line one\nline \"two\"\t\\ \xe6\x9d\xb1";
    const std::string lines = Export({r});
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1);
    const std::vector<QJsonObject> messages = Messages(lines);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Unit(messages[0])["UnitIdentifier"].toString().toStdString(), r.Serial);
    EXPECT_EQ(Unit(messages[0])["Repairs"][0]["Comments"].toString().toStdString(), r.Comment);
}

TEST(OpenVisits, ClosesAVisitOnceItWasIdleOrTooManyAreOpen) {
    std::vector<std::string> closed;
    OpenVisits open(
        [&](UnitVisit&& visit) {
            closed.push_back(visit.Serial + ":" + std::to_string(visit.Repairs.size()));
        },
        10 * Hour, 2);
    open.Add(At("A", Day1, "a.txt", "1"));
    open.Add(At("B", Day1 + Hour, "b.txt", "2"));
    open.Add(At("A", Day1 + 9 * Hour, "a.txt", "3")); // A is open again
    EXPECT_TRUE(closed.empty());
    open.Add(At("C", Day1 + 10 * Hour, "c.txt", "4")); // a third: B, idle longest, goes
    EXPECT_EQ(closed, std::vector<std::string>({"B:1"}));
    open.Add(At("C", Day1 + 20 * Hour, "c.txt", "5")); // A idle for 11 hours
    EXPECT_EQ(closed, std::vector<std::string>({"B:1", "A:2"}));
    open.Add(At("A", Day1 + 21 * Hour, "a.txt", "6")); // a new visit of A's
    EXPECT_EQ(open.Open(), 2u);
    open.CloseAll();
    EXPECT_EQ(closed, std::vector<std::string>({"B:1", "A:2", "C:2", "A:1"}));
    EXPECT_EQ(open.Open(), 0u);
}

} // namespace
} // namespace dorvik
