#include "log/OutputFile.h"

#include <QFileInfo>

namespace dorvik::logtool {

QString OutputFile::Reason(const QFileDevice& file) const {
    return QStringLiteral("%1 cannot be written: %2").arg(path_, file.errorString());
}

bool OutputFile::Open(QString& error) {
    const QFileInfo target(path_);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        direct_.emplace(path_);
        if (direct_->open(QIODevice::WriteOnly)) {
            return true;
        }
        error = Reason(*direct_);
        return false;
    }
    replaced_.emplace(path_);
    if (replaced_->open(QIODevice::WriteOnly)) {
        return true;
    }
    error = Reason(*replaced_);
    return false;
}

QIODevice& OutputFile::Device() {
    if (direct_) {
        return *direct_;
    }
    return *replaced_;
}

bool OutputFile::Commit(QString& error) {
    const bool done = direct_ ? direct_->flush() && direct_->error() == QFileDevice::NoError
                              : replaced_->commit();
    if (!done) {
        error = direct_ ? Reason(*direct_) : Reason(*replaced_);
    }
    return done;
}

} // namespace dorvik::logtool
