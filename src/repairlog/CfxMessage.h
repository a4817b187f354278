#pragma once
// A unit visit as an IPC-CFX message: the envelope of CFX.Production.ReworkAndRepair.UnitsRepaired
// with the field names and value forms that the IPC-CFX SDK writes: times in ISO 8601 with an
// offset, ids as UUIDs without braces, enumerations by name, what is not known null.

#include "repairlog/RepairRecord.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

struct UnitVisit {
    std::string Serial;
    std::string Visit;                 // as VisitOf names it
    std::vector<RepairRecord> Repairs; // its standing repairs, oldest first
};

inline constexpr char UnitsRepairedName[] = "CFX.Production.ReworkAndRepair.UnitsRepaired";
// The first version of CFX that has UnitsRepaired.
inline constexpr char CfxVersion[] = "1.4";

// "2026-11-02T01:00:00.000+00:00".
QString CfxTime(std::int64_t ms);

// The same in every export of the visit: a name-based UUID of the serial and the visit.
QUuid VisitTransactionId(const UnitVisit& visit);
// Names the repairs the message holds as well, so that a message saying more is a new message.
QUuid VisitMessageId(const UnitVisit& visit);

// Scrap when any repair scrapped the unit, else UnableToRepair when any, else RepairSuccessful.
std::string_view OverallResult(const std::vector<RepairRecord>& repairs);

// The envelope of a visit with at least one repair. Source, operator and time stamp are those of
// its newest repair: the bench and the person who finished the visit, and when.
QJsonObject UnitsRepairedEnvelope(const UnitVisit& visit);

} // namespace dorvik
