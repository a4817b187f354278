#pragma once
// A data folder of the test's own while it lives, so that the repair log's bench file that a
// window or a program run makes is this test's alone.

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

namespace dorvik::test {

class OwnDataFolder final {
public:
    OwnDataFolder() : before_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    }
    ~OwnDataFolder() { qputenv("XDG_DATA_HOME", before_); }
    OwnDataFolder(const OwnDataFolder&) = delete;
    OwnDataFolder& operator=(const OwnDataFolder&) = delete;

    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray before_;
};

} // namespace dorvik::test
