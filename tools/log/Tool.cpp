#include "log/Tool.h"

#include "log/CommandLine.h"

#include <QRegularExpression>

#include <ostream>

namespace dorvik::logtool {
namespace {

// Database drivers give reasons over several lines, with tabs.
std::string OneLine(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n\\t]+\\s*"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed().toStdString();
}

} // namespace

int Tool::FailAt(const QString& database, const QString& reason) const {
    Err << "dorvik-log: " << OneLine(database + QStringLiteral(": ") + reason) << '\n';
    Err.flush();
    return ExitError;
}

int Tool::Fail(const QString& reason) const {
    return FailAt(Name(), reason);
}

int Tool::UsageError(const QString& reason) const {
    Fail(reason);
    Err << '\n' << Usage();
    Err.flush();
    return ExitError;
}

std::unique_ptr<RecordStore> Tool::OpenForReading() const {
    QString error;
    std::unique_ptr<RecordStore> store = RecordStore::OpenForReading(Location, error);
    if (store == nullptr) {
        Fail(error);
    }
    return store;
}

int Tool::Finished(int status) const {
    Out.flush();
    return Out.good() ? status : Fail(QStringLiteral("the output cannot be written"));
}

} // namespace dorvik::logtool
