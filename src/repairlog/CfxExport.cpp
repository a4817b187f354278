#include "repairlog/CfxExport.h"

#include <QJsonDocument>

namespace dorvik {

CfxExport::CfxExport(ExportSink sink, std::unordered_set<std::string> reversed)
    : sink_(sink), reversed_(std::move(reversed)),
      open_([this](UnitVisit&& visit) { Write(std::move(visit)); }) {}

void CfxExport::Add(const RepairRecord& record) {
    if (!record.IsReversal() && reversed_.count(record.Id) == 0) {
        open_.Add(record);
    }
}

void CfxExport::Write(UnitVisit&& visit) {
    QByteArray line = QJsonDocument(UnitsRepairedEnvelope(visit)).toJson(QJsonDocument::Compact);
    line += '\n';
    if (sink_.Write(std::string_view(line.constData(), static_cast<std::size_t>(line.size())))) {
        ++messages_;
    }
}

bool CfxExport::Finish() {
    open_.CloseAll();
    return sink_.Good();
}

} // namespace dorvik
