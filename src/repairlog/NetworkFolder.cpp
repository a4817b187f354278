#include "repairlog/NetworkFolder.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <array>

namespace dorvik {

QString NetworkFileSystemOf(const QString& path) {
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (!storage.isValid()) {
        return {};
    }
    const QString type = QString::fromLatin1(storage.fileSystemType()).toLower();
    constexpr std::array network{"nfs", "nfs4", "cifs",       "smb",   "smb2",      "smb3", "smbfs",
                                 "afs", "9p",   "fuse.sshfs", "ncpfs", "glusterfs", "ceph"};
    for (const char* name : network) {
        if (type == QLatin1String(name)) {
            return type;
        }
    }
    return {};
}

} // namespace dorvik
