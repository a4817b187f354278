#include "repairlog/CfxMessage.h"

#include "repairlog/FaultFacts.h"
#include "repairlog/UtcTime.h"

#include <QJsonArray>
#include <QJsonValue>

namespace dorvik {
namespace {

// The name space of Dorvik's name-based UUIDs (made once at random; never to change).
const QUuid DorvikNamespace = QUuid::fromString(u"6c1f3a52-8d0e-4b7a-9f25-3e41c7d09b18");

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString UuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces);
}

// Empty texts are written as the SDK writes a string it was not given.
QJsonValue TextOrNull(const std::string& text) {
    return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(Text(text));
}

QJsonValue ComponentOfInterest(const RepairRecord& repair) {
    const std::vector<std::string> parts = SplitAtBlanks(repair.Refdes);
    if (parts.empty()) {
        return QJsonValue::Null;
    }
    return QJsonObject{{"ReferenceDesignator", Text(parts.front())},
                       {"UnitPosition", QJsonValue::Null},
                       {"PartNumber", QJsonValue::Null}};
}

QJsonObject Repair(const RepairRecord& repair) {
    return QJsonObject{{"UniqueIdentifier", Text(repair.Id)},
                       {"RepairName", Text(repair.Action)},
                       {"RepairStartTime", CfxTime(repair.Shown)},
                       {"RepairEndTime", CfxTime(repair.Recorded)},
                       {"Comments", TextOrNull(repair.Comment)},
                       {"ComponentOfInterest", ComponentOfInterest(repair)},
                       {"RegionOfInterest", QJsonValue::Null},
                       {"RelatedDefectIdentifiers", QJsonArray()},
                       {"ReclassifiedDefects", QJsonArray()},
                       {"RelatedSymptomIdentifiers", QJsonArray()},
                       {"ReclassifiedSymptoms", QJsonArray()},
                       {"Result", Text(repair.Result)},
                       {"Error", QJsonValue::Null}};
}

QJsonObject Operator(const RepairRecord& newest) {
    return QJsonObject{{"OperatorIdentifier", TextOrNull(newest.Operator)},
                       {"ActorType", "Human"},
                       {"LastName", QJsonValue::Null},
                       {"FirstName", QJsonValue::Null},
                       {"LoginName", TextOrNull(newest.Operator)}};
}

} // namespace

QString CfxTime(std::int64_t ms) {
    std::string text = IsoUtc(ms);
    text.pop_back(); // the Z
    return QString::fromLatin1(text) + QStringLiteral("+00:00");
}

QUuid VisitTransactionId(const UnitVisit& visit) {
    std::string name = visit.Serial;
    name += '\0';
    name += visit.Visit;
    return QUuid::createUuidV5(DorvikNamespace, QByteArray::fromStdString(name));
}

QUuid VisitMessageId(const UnitVisit& visit) {
    QByteArray name = UuidText(VisitTransactionId(visit)).toLatin1();
    for (const RepairRecord& repair : visit.Repairs) {
        name += '\0';
        name += QByteArray::fromStdString(repair.Id);
    }
    return QUuid::createUuidV5(DorvikNamespace, name);
}

std::string_view OverallResult(const std::vector<RepairRecord>& repairs) {
    bool unable = false;
    for (const RepairRecord& repair : repairs) {
        if (repair.Result == "Scrap") {
            return "Scrap";
        }
        unable = unable || repair.Result == "UnableToRepair";
    }
    return unable ? "UnableToRepair" : "RepairSuccessful";
}

QJsonObject UnitsRepairedEnvelope(const UnitVisit& visit) {
    const RepairRecord& newest = visit.Repairs.back();
    QJsonArray repairs;
    for (const RepairRecord& repair : visit.Repairs) {
        repairs.append(Repair(repair));
    }
    const std::string_view overall = OverallResult(visit.Repairs);
    const QJsonObject unit{
        {"UnitIdentifier", Text(visit.Serial)},
        // A board that is not part of a panel is position 1.
        {"UnitPositionNumber", 1},
        {"OverallResult", QString::fromLatin1(overall.data(), qsizetype(overall.size()))},
        {"Repairs", repairs}};
    const QJsonObject body{{"TransactionId", UuidText(VisitTransactionId(visit))},
                           {"RepairOperator", Operator(newest)},
                           {"RepairedUnits", QJsonArray{unit}}};
    return QJsonObject{
        {"MessageName", UnitsRepairedName},      {"Version", CfxVersion},
        {"TimeStamp", CfxTime(newest.Recorded)}, {"UniqueID", UuidText(VisitMessageId(visit))},
        {"Source", TextOrNull(newest.Bench)},    {"Target", QJsonValue::Null},
        {"RequestID", QJsonValue::Null},         {"MessageBody", body}};
}

} // namespace dorvik
