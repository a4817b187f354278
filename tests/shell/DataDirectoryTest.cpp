#include "shell/DataDirectory.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(DataDirectory, LiesBesideTheProgramsBinDirectory) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/local/bin", "/usr/local/share/dorvik/"},
        {"/work/main/build/bin/", "/work/main/build/share/dorvik/"},
        {"/opt/dorvik/bin/../bin", "/opt/dorvik/share/dorvik/"},
        {"bin", "share/dorvik/"},
    };
    for (const auto& [program, data] : cases) {
        EXPECT_EQ(DataDirectoryFor(QString::fromLatin1(program)).toStdString(), data) << program;
    }
}

} // namespace
} // namespace dorvik
