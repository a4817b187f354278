// Walking the report folders: every file once, however the folders are linked, and a folder that
// cannot be read told about while the rest is walked.

#include "unitindex/FolderWalk.h"
#include "UnitFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvik::test {
namespace {

// What a walk told, paths relative to the test's folder.
struct Walked {
    std::vector<std::string> Events; // "folder x", "file x/y"
    std::vector<std::string> Files;  // sorted
    std::vector<std::string> Problems;
    bool Finished = false;
};

std::string Relative(const UnitFolder& folder, const std::string& path) {
    const std::string root = folder.Root() + "/";
    return path.starts_with(root) ? path.substr(root.size()) : path == folder.Root() ? "." : path;
}

WalkCalls Recording(const UnitFolder& folder, Walked& walked) {
    WalkCalls calls;
    calls.Folder = [&](const std::string& path) {
        walked.Events.push_back("folder " + Relative(folder, path));
    };
    calls.File = [&](const SeenFile& file) {
        walked.Events.push_back("file " + Relative(folder, file.Path));
        walked.Files.push_back(Relative(folder, file.Path));
    };
    calls.Problem = [&](const WalkProblem& problem) {
        walked.Problems.push_back(Relative(folder, problem.Path) + ": " + problem.Reason);
    };
    return calls;
}

Walked Walk(const UnitFolder& folder, const std::vector<std::string>& relative) {
    std::vector<std::string> folders;
    for (const std::string& r : relative) {
        folders.push_back(r == "." ? folder.Root() : folder.Path(r));
    }
    Walked walked;
    walked.Finished = WalkFolders(folders, Recording(folder, walked));
    std::sort(walked.Files.begin(), walked.Files.end());
    return walked;
}

std::size_t Position(const Walked& walked, const std::string& event) {
    const auto at = std::find(walked.Events.begin(), walked.Events.end(), event);
    EXPECT_NE(at, walked.Events.end()) << event;
    return static_cast<std::size_t>(at - walked.Events.begin());
}

TEST(FolderWalk, EveryFileOfNestedFoldersWithItsSizeAndTime) {
    const UnitFolder folder;
    folder.Write("a.txt", "12345", 1'700'000'000'123);
    folder.Write("x/b.txt", "");
    folder.Write("x/y/c.txt", "c");
    folder.Write(".hidden.txt", "h");
    folder.Write("Prüfberichte/SN 1.txt", "p");
    folder.MakeFolder("x/empty");

    std::vector<SeenFile> seen;
    WalkCalls calls;
    calls.File = [&](const SeenFile& file) { seen.push_back(file); };
    ASSERT_TRUE(WalkFolders({folder.Root()}, calls));
    const auto a = std::find_if(seen.begin(), seen.end(),
                                [&](const SeenFile& f) { return f.Path == folder.Path("a.txt"); });
    ASSERT_NE(a, seen.end());
    EXPECT_EQ(a->Size, 5);
    EXPECT_EQ(a->ModifiedMs, 1'700'000'000'123);

    const Walked walked = Walk(folder, {"."});
    EXPECT_TRUE(walked.Finished);
    EXPECT_EQ(walked.Files, (std::vector<std::string>{".hidden.txt", "Prüfberichte/SN 1.txt",
                                                      "a.txt", "x/b.txt", "x/y/c.txt"}));
    EXPECT_TRUE(walked.Problems.empty());
    // Each folder before its files, the folder itself before its subfolders.
    EXPECT_LT(Position(walked, "folder ."), Position(walked, "file a.txt"));
    EXPECT_LT(Position(walked, "folder x"), Position(walked, "file x/b.txt"));
    EXPECT_LT(Position(walked, "folder x"), Position(walked, "folder x/y"));
    EXPECT_LT(Position(walked, "folder x/y"), Position(walked, "file x/y/c.txt"));
    Position(walked, "folder x/empty");
    Position(walked, "folder Prüfberichte");
}

TEST(FolderWalk, LoopsOfLinksEndAndEachFileIsWalkedOnce) {
    const UnitFolder folder;
    folder.Write("a/one.txt", "1");
    folder.Write("b/two.txt", "2");
    folder.Link("a/to_b", "../b");
    folder.Link("b/to_a", "../a");
    folder.Link("a/up", "..");
    folder.Link("self", ".");
    folder.Link("three.txt", "a/one.txt"); // a link to a file is a file of its own name

    // Through their own folders, not the links; the folders given twice, or once more through a
    // link, are walked once.
    const std::vector<std::string> files = {"a/one.txt", "b/two.txt", "three.txt"};
    for (const std::vector<std::string>& given :
         {std::vector<std::string>{"."}, {".", "a", "self", "."}, {"a", "."}}) {
        const Walked walked = Walk(folder, given);
        EXPECT_TRUE(walked.Finished);
        EXPECT_EQ(walked.Files, files) << given.size();
        EXPECT_TRUE(walked.Problems.empty());
    }
    // What only links reach is walked through them.
    EXPECT_EQ(Walk(folder, {"b"}).Files,
              (std::vector<std::string>{"b/to_a/one.txt", "b/to_a/up/three.txt", "b/two.txt"}));
}

TEST(FolderWalk, WhatCannotBeWalkedIsToldAndTheRestIsWalked) {
    const UnitFolder folder;
    folder.Write("good/one.txt", "1");
    folder.Write("plain.txt", "x");
    folder.Link("good/dangling.txt", "nothing-here");
    const Walked walked = Walk(folder, {"missing", "plain.txt", "good"});
    EXPECT_TRUE(walked.Finished);
    EXPECT_EQ(walked.Files, std::vector<std::string>{"good/one.txt"});
    ASSERT_EQ(walked.Problems.size(), 3u);
    EXPECT_TRUE(walked.Problems[0].starts_with("missing: cannot be read")) << walked.Problems[0];
    EXPECT_EQ(walked.Problems[1], "plain.txt: is not a folder");
    EXPECT_EQ(walked.Problems[2], "good/dangling.txt: links to nothing");
}

TEST(FolderWalk, AnUnreadableSubfolderIsToldAndTheRestIsWalked) {
    const UnitFolder folder;
    folder.Write("a/one.txt", "1");
    folder.Write("locked/secret.txt", "s");
    folder.Write("z/two.txt", "2");
    ASSERT_EQ(::chmod(folder.Path("locked").c_str(), 0), 0);
    if (!LockedOut(folder.Path("locked"))) {
        GTEST_SKIP() << "this process reads folders whatever their permissions (root)";
    }
    const Walked walked = Walk(folder, {"."});
    EXPECT_TRUE(walked.Finished);
    EXPECT_EQ(walked.Files, (std::vector<std::string>{"a/one.txt", "z/two.txt"}));
    ASSERT_EQ(walked.Problems.size(), 1u);
    EXPECT_TRUE(walked.Problems[0].starts_with("locked: cannot be read")) << walked.Problems[0];
}

TEST(FolderWalk, NeverDeeperThanTheLimit) {
    const UnitFolder folder;
    std::string path;
    for (int depth = 0; depth <= MaxWalkDepth + 1; ++depth) {
        path += (depth == 0 ? "" : "/") + std::string("d");
        folder.Write(path + "/f.txt", "f");
    }
    const Walked walked = Walk(folder, {"d"});
    // d is depth 0; its subfolders down to MaxWalkDepth are walked.
    EXPECT_EQ(walked.Files.size(), static_cast<std::size_t>(MaxWalkDepth) + 1);
    ASSERT_EQ(walked.Problems.size(), 1u);
    EXPECT_TRUE(walked.Problems[0].ends_with("lies deeper than 64 folders")) << walked.Problems[0];
}

TEST(FolderWalk, StopsWhenAsked) {
    const UnitFolder folder;
    for (const char* name : {"a/1", "a/2", "b/3", "c/4"}) {
        folder.Write(name, "x");
    }
    std::atomic<bool> stop = false;
    std::size_t files = 0;
    WalkCalls calls;
    calls.File = [&](const SeenFile&) {
        ++files;
        stop = true;
    };
    EXPECT_FALSE(WalkFolders({folder.Root()}, calls, &stop));
    EXPECT_EQ(files, 1u);
}

TEST(FolderWalk, OneFolderGivesItsFilesAndNamesItsSubfolders) {
    const UnitFolder folder;
    folder.Write("top.txt", "t");
    folder.Write("sub/inner.txt", "i");
    folder.Link("again", "sub");
    Walked walked;
    EXPECT_TRUE(WalkOneFolder(folder.Root(), Recording(folder, walked)));
    EXPECT_EQ(walked.Events,
              (std::vector<std::string>{"folder .", "file top.txt", "folder again", "folder sub"}));

    Walked missing;
    EXPECT_FALSE(WalkOneFolder(folder.Path("missing"), Recording(folder, missing)));
    EXPECT_EQ(missing.Problems.size(), 1u);
}

} // namespace
} // namespace dorvik::test
