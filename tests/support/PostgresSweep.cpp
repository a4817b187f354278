#include "support/PostgresSweep.h"

#include "support/PostgresPrograms.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace dorvik::test {

bool SweepServers(const QString& root, QStringList& report) {
    QDir folder(root);
    if (!folder.exists()) {
        return true;
    }
    // Without the programs or the postgres user the servers are still killed, only less kindly.
    QString ignored;
    const QString binDir = FindPostgresBinDir(ignored);
    const ServerUser user = ChooseServerUser(ignored).value_or(ServerUser{});
    bool clear = true;
    QDirIterator pidFiles(root, {QStringLiteral("postmaster.pid")}, QDir::Files | QDir::Hidden,
                          QDirIterator::Subdirectories);
    while (pidFiles.hasNext()) {
        const QString dataDir = QFileInfo(pidFiles.next()).path();
        QString whyNot;
        if (HaltServer(binDir, user, dataDir, whyNot)) {
            report << QStringLiteral("stopped the server left in %1").arg(dataDir);
        } else {
            report << whyNot;
            clear = false;
        }
    }
    const QFileInfoList leftovers =
        folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& leftover : leftovers) {
        const bool removed = leftover.isDir() && !leftover.isSymLink()
                                 ? QDir(leftover.filePath()).removeRecursively()
                                 : QFile::remove(leftover.filePath());
        report << (removed ? QStringLiteral("removed %1") : QStringLiteral("cannot remove %1"))
                      .arg(leftover.filePath());
        clear = clear && removed;
    }
    return clear;
}

} // namespace dorvik::test
