// dorvik-log send: the bench's outbox to the line database. An SQLite log has no line database:
// nothing to send is no error (so that a line's script may call it on every bench), but it says
// so. A bench with no outbox file has recorded nothing yet, and none is made.

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
    if (!QFileInfo::exists(outbox)) {
        tool.Out << "sent: 0\n";
        return tool.Finished(ExitOk);
    }
    LineSender sender(outbox, tool.Location.Conninfo);
    QString error;
    if (!sender.Waiting(error)) {
        return tool.FailAt(outbox, error);
    }
    const LineSender::Sent sent = sender.SendWaiting();
    tool.Out << "sent: " << sent.Records << '\n';
    if (!sent.Error.isEmpty()) {
        tool.Out.flush();
        return tool.Fail(QStringLiteral("%1 (%2 records still wait in %3)")
                             .arg(sent.Error)
                             .arg(sent.Waiting)
                             .arg(outbox));
    }
    return tool.Finished(ExitOk);
}

} // namespace dorvik::logtool
