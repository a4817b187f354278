#pragma once
// What every dorvik-log command works with: the log it names, the two output streams, and the one
// form of an error: a single line on standard error naming the database and the reason.

#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"

#include <QString>
#include <QStringList>

#include <iosfwd>
#include <memory>

namespace dorvik::logtool {

struct Tool {
    LogLocation Location;
    std::ostream& Out;
    std::ostream& Err;

    // The database as every message names it.
    QString Name() const { return LocationName(Location); }

    // "dorvik-log: DATABASE: REASON", on one line whatever the reason holds; answers ExitError.
    int Fail(const QString& reason) const;
    int FailAt(const QString& database, const QString& reason) const;
    // The same, followed by the usage.
    int UsageError(const QString& reason) const;

    // The log opened to read only, or nothing after saying why.
    std::unique_ptr<RecordStore> OpenForReading() const;

    // `status` once standard output is written out, else the error.
    int Finished(int status) const;
};

using Command = int (*)(const Tool& tool, const QStringList& args);

int History(const Tool& tool, const QStringList& args);
int Export(const Tool& tool, const QStringList& args);
int Send(const Tool& tool, const QStringList& args);
int Check(const Tool& tool, const QStringList& args);
int Pareto(const Tool& tool, const QStringList& args);
int Figures(const Tool& tool, const QStringList& args);

} // namespace dorvik::logtool
