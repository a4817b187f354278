// dorvik-log send: the bench's outbox to the line database, and done only when the line answered,
// even with nothing to send (as the program's status bar tells a line out of reach). An SQLite
// log has no line database: nothing to send is no error there (so that a line's script may call
// it on every bench), but it says so. A bench without an outbox file has recorded nothing yet,
// and none is made.

#include "log/CommandLine.h"
#include "log/Tool.h"
#include "repairlog/LineSender.h"

#include <QFileInfo>

#include <ostream>

namespace dorvik::logtool {

int Send(const Tool& tool, const QStringList& args) {
    if (!args.isEmpty()) {
        return tool.UsageError(QStringLiteral("send takes no arguments"));
    }
    if (tool.Location.Kind == LogKind::Sqlite) {
        tool.Err << "dorvik-log: " << tool.Name().toStdString()
                 << ": an SQLite log has no line database; nothing to send\n";
        tool.Out << "sent: 0\n";
        return tool.Finished(ExitOk);
    }
    const QString& outbox = tool.Location.SqlitePath;
    LineSender sender(outbox, tool.Location.Conninfo);
    QString error;
    LineSender::Sent sent;
    if (QFileInfo::exists(outbox)) {
        if (!sender.Waiting(error)) {
            return tool.FailAt(outbox, error);
        }
        sent = sender.SendWaiting();
    }
    tool.Out << "sent: " << sent.Records << '\n';
    tool.Out.flush();
    if (!sent.Error.isEmpty()) {
        return tool.Fail(QStringLiteral("%1 (%2 records still wait in %3)")
                             .arg(sent.Error)
                             .arg(sent.Waiting)
                             .arg(outbox));
    }
    if (!sender.Connect(error)) {
        return tool.Fail(error);
    }
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
