// The board library: the mapping file's lines read or told about with their numbers, and the
// files found by the board's name when no mapping names them.

#include "unitindex/BoardLibrary.h"
#include "UnitFolder.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

std::vector<std::string> ProblemTexts(const BoardLibrary& library) {
    std::vector<std::string> texts;
    for (const BoardMapProblem& problem : library.MapProblems()) {
        texts.push_back(std::to_string(problem.Line) + ": " + problem.Reason);
    }
    return texts;
}

TEST(BoardLibrary, TheMapsLinesAndWhatIsWrongWithThem) {
    const UnitFolder folder;
    for (const char* file : {"demo.brd", "sub/other.ipc", "hash#1.brd", "old.brd", "x.brd"}) {
        folder.Write(file, "board");
    }
    const std::string absolute = folder.Write("elsewhere/far.d356", "netlist");
    const std::vector<std::string> lines = {
        "# board names as the testers write them",             // 1
        "",                                                    // 2
        "DEMO BOARD = demo.brd",                               // 3
        "  Other Board 2 =  sub/other.ipc   # from the CAD\r", // 4
        "HASH #1=hash#1.brd",                                  // 5
        "FAR=" + absolute,                                     // 6
        "no equals here",                                      // 7
        " = demo.brd",                                         // 8
        "EMPTY =",                                             // 9
        "COMMENT ONLY = # x.brd",                              // 10
        "GONE = gone.brd",                                     // 11
        "demo board = old.brd",                                // 12
        "A = B = x.brd",                                       // 13
        "\t# an indented comment",                             // 14
        "LAST = x.brd",                                        // 15, no line end
    };
    std::string map;
    for (const std::string& line : lines) {
        map += (map.empty() ? "" : "\n") + line;
    }
    folder.Write("boards.map", map);
    const BoardLibrary library = BoardLibrary::Load(folder.Root());
    EXPECT_EQ(library.Error(), "");
    EXPECT_FALSE(library.Empty());
    EXPECT_EQ(ProblemTexts(library),
              (std::vector<std::string>{"7: no '='", "8: no board name", "9: no file",
                                        "10: no file", "11: names a file that is not there",
                                        "12: names the board a second time",
                                        "13: names a file that is not there"}));
    const std::pair<std::string, std::string> found[] = {
        {"DEMO BOARD", "demo.brd"},
        {"  demo board\t", "demo.brd"},
        {"other board 2", "sub/other.ipc"},
        {"Hash #1", "hash#1.brd"},
        {"LAST", "x.brd"},
        {"last", "x.brd"},
    };
    for (const auto& [name, file] : found) {
        SCOPED_TRACE(name);
        EXPECT_EQ(library.FileFor(name), folder.Path(file));
    }
    EXPECT_EQ(library.FileFor("far"), absolute);
    EXPECT_EQ(library.FileFor("DEMO"), folder.Path("demo.brd")); // by its file's name
    EXPECT_EQ(library.FileFor("A"), std::nullopt);
    EXPECT_EQ(library.FileFor(""), std::nullopt);
    EXPECT_EQ(library.FileFor("gone"), std::nullopt);
}

TEST(BoardLibrary, WithoutAMappingTheFileOfTheBoardsNameABoardFileFirst) {
    const UnitFolder folder;
    const std::vector<std::string> files = {"n50q_5.BRD", "N50Q_5.d356", "N50Q_5.ipc",
                                            "N50Q_5.txt"};
    for (const std::string& file : files) {
        folder.Write(file, "x");
    }
    folder.Write("sub/q7.brd", "x"); // not in the library's own folder
    folder.MakeFolder("q8.brd");     // no file
    folder.Write("Zähler 2.brd", "x");
    folder.Write("boards.map", "# none\n"); // never a board itself
    folder.Write(".brd", "x");
    // Each time the best is taken away, the next best is found.
    for (const std::string& best : files) {
        const BoardLibrary library = BoardLibrary::Load(folder.Root());
        EXPECT_EQ(library.FileFor(" n50Q_5 "), folder.Path(best));
        folder.Remove(best);
    }
    const BoardLibrary library = BoardLibrary::Load(folder.Root());
    EXPECT_EQ(library.FileFor("N50Q_5"), std::nullopt);
    EXPECT_EQ(library.FileFor("q7"), std::nullopt);
    EXPECT_EQ(library.FileFor("q8"), std::nullopt);
    EXPECT_EQ(library.FileFor("boards"), std::nullopt);
    EXPECT_EQ(library.FileFor("zähler 2"), folder.Path("Zähler 2.brd"));
    EXPECT_EQ(library.FileFor(".brd"), folder.Path(".brd"));
    EXPECT_TRUE(library.MapProblems().empty());
}

TEST(BoardLibrary, AMappingNamingAMissingFileLeavesTheNameToTheFiles) {
    const UnitFolder folder;
    folder.Write("acme 7.brd", "x");
    folder.Write("boards.map", "ACME 7 = moved/acme.brd\n");
    const BoardLibrary library = BoardLibrary::Load(folder.Root());
    EXPECT_EQ(ProblemTexts(library), std::vector<std::string>{"1: names a file that is not there"});
    EXPECT_EQ(library.FileFor("ACME 7"), folder.Path("acme 7.brd"));
}

TEST(BoardLibrary, TheNameOfAFile) {
    const UnitFolder folder;
    folder.Write("demo.brd", "x");
    folder.Write("plain.brd", "x");
    folder.Write("x/inner.brd", "x");
    folder.Write("boards.map", "Demo Board = demo.brd\nSecond Name = demo.brd\n");
    const UnitFolder elsewhere;
    const std::string outside = elsewhere.Write("plain.brd", "x");
    const BoardLibrary library = BoardLibrary::Load(folder.Root());
    const std::pair<std::string, std::string> cases[] = {
        {folder.Path("demo.brd"), "Demo Board"},
        {folder.Path("./x/../demo.brd"), "Demo Board"},
        {folder.Root() + "//demo.brd", "Demo Board"},
        {folder.Path("plain.brd"), "plain"},
        {folder.Path("x/../plain.brd"), "plain"},
        {folder.Path("x/inner.brd"), ""},
        {folder.Path("boards.map"), ""},
        {folder.Path("missing.brd"), ""},
        {outside, ""},
        {"", ""},
    };
    for (const auto& [file, name] : cases) {
        SCOPED_TRACE(file);
        EXPECT_EQ(library.NameFor(file), name);
    }
}

TEST(BoardLibrary, AFolderThatCannotBeReadGivesAnEmptyLibrary) {
    const UnitFolder folder;
    folder.Write("demo.brd", "x");
    const BoardLibrary missing = BoardLibrary::Load(folder.Path("missing"));
    EXPECT_TRUE(missing.Empty());
    EXPECT_NE(missing.Error(), "");
    EXPECT_EQ(missing.FileFor("demo"), std::nullopt);
    EXPECT_EQ(missing.NameFor(folder.Path("demo.brd")), "");
    EXPECT_TRUE(BoardLibrary::Load(folder.Path("demo.brd")).Empty());
    EXPECT_TRUE(BoardLibrary().Empty());

    ASSERT_EQ(::chmod(folder.Root().c_str(), 0), 0);
    const bool lockedOut = LockedOut(folder.Root());
    const BoardLibrary locked = BoardLibrary::Load(folder.Root());
    ASSERT_EQ(::chmod(folder.Root().c_str(), 0700), 0);
    if (!lockedOut) {
        GTEST_SKIP() << "this process reads folders whatever their permissions (root)";
    }
    EXPECT_TRUE(locked.Empty());
    EXPECT_NE(locked.Error(), "");
}

TEST(BoardLibrary, AMapTooLongIsReadAsFarAsItIsBounded) {
    const UnitFolder folder;
    folder.Write("x.brd", "x");
    std::string lines;
    for (int k = 1; k <= 10'500; ++k) {
        lines += "B" + std::to_string(k) + " = x.brd\n";
    }
    folder.Write("boards.map", lines);
    const BoardLibrary many = BoardLibrary::Load(folder.Root());
    ASSERT_EQ(many.MapProblems().size(), 1u);
    EXPECT_EQ(many.MapProblems()[0].Line, 10'001u);
    EXPECT_EQ(many.FileFor("B10000"), folder.Path("x.brd"));
    EXPECT_EQ(many.FileFor("B10001"), std::nullopt);

    // Larger than a map can be: the lines before the limit are read, the one it cuts is not.
    const std::string first = "FIRST = x.brd\n";
    std::string large = first + "CUT = x.brd " + std::string(2u << 20, '#') + "\n" + first;
    folder.Write("boards.map", large);
    const BoardLibrary cut = BoardLibrary::Load(folder.Root());
    EXPECT_EQ(ProblemTexts(cut),
              std::vector<std::string>{"2: the map is larger than 1 MB; the rest is not read"});
    EXPECT_EQ(cut.FileFor("FIRST"), folder.Path("x.brd"));
    EXPECT_EQ(cut.FileFor("CUT"), std::nullopt);

    // Bytes that are no text at all: told about, never more than the bound.
    std::string noise(3u << 20, '\0');
    for (std::size_t k = 0; k < noise.size(); ++k) {
        noise[k] = static_cast<char>((k * 131) % 251);
    }
    folder.Write("boards.map", noise);
    const BoardLibrary noisy = BoardLibrary::Load(folder.Root());
    EXPECT_FALSE(noisy.MapProblems().empty());
    EXPECT_LE(noisy.MapProblems().size(), 10'001u);
}

} // namespace
} // namespace dorvik::test
