// Where the bench looks for reports and boards: the settings of File > Bench Folders…, and the
// environment variables that win over them.

#include "unitwatch/BenchFolders.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

class BenchFoldersSetting : public ::testing::Test {
protected:
    void TearDown() override {
        qunsetenv("DORVIK_REPORT_FOLDERS");
        qunsetenv("DORVIK_BOARD_LIBRARY");
        StoreBenchFolders({});
    }
};

TEST(SplitFolderList, DropsEmptyPartsBlanksAndRepeats) {
    const struct {
        const char* Joined;
        QStringList Folders;
    } cases[] = {
        {"", {}},
        {":", {}},
        {"/a", {"/a"}},
        {" /a : /b/c d :", {"/a", "/b/c d"}},
        {"/a:/a:/b", {"/a", "/b"}},
        {"/Prüfberichte:/x", {"/Prüfberichte", "/x"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitFolderList(QString::fromUtf8(c.Joined)), c.Folders) << c.Joined;
    }
}

TEST_F(BenchFoldersSetting, IsRememberedAndTheEnvironmentWinsPartByPart) {
    StoreBenchFolders({{"/srv/tester/a", "/srv/tester/b"}, "/srv/boards"});
    EXPECT_EQ(StoredBenchFolders(),
              (BenchFolders{{"/srv/tester/a", "/srv/tester/b"}, "/srv/boards"}));
    EXPECT_EQ(CurrentBenchFolders(), StoredBenchFolders());

    qputenv("DORVIK_REPORT_FOLDERS", "/mnt/share 1:/mnt/share2");
    EXPECT_TRUE(ReportFoldersFromEnvironment());
    EXPECT_FALSE(BoardLibraryFromEnvironment());
    EXPECT_EQ(CurrentBenchFolders(),
              (BenchFolders{{"/mnt/share 1", "/mnt/share2"}, "/srv/boards"}));

    qputenv("DORVIK_BOARD_LIBRARY", "/lib/one:/lib/two");
    EXPECT_EQ(CurrentBenchFolders().BoardLibrary, "/lib/one");
    // Set but empty: no folders, whatever the settings say.
    qputenv("DORVIK_REPORT_FOLDERS", "");
    EXPECT_TRUE(CurrentBenchFolders().ReportFolders.isEmpty());
    EXPECT_EQ(StoredBenchFolders().ReportFolders.size(), 2);
}

} // namespace
} // namespace dorvik
