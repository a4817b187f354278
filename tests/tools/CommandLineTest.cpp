#include "brd/CommandLine.h"
#include "brd/Generator.h"

#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace dorvik::brd {
namespace {

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string bytes;
    char block[4096];
    std::size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.append(block, n);
    }
    return bytes;
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the command line with `input` as standard input and captures both outputs.
Outcome Command(std::vector<std::string_view> args, const std::string& input = {}) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Outcome run;
    run.status = RunCommand(args, in, out, err);
    run.out = Contents(out);
    run.err = Contents(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return run;
}

std::string TempPath(const char* name) {
    return testing::TempDir() + "dorvik_brd_" + name;
}

TEST(CommandLine, DecodeAndEncodeReadStandardInput) {
    const std::string stored = test::Encode(test::WorkedExample);
    const Outcome decoded = Command({"decode", "-"}, stored);
    EXPECT_EQ(decoded.status, ExitOk);
    EXPECT_EQ(decoded.out, test::WorkedExample);
    // Without a FILE, standard input is read too.
    const Outcome encoded = Command({"encode"}, decoded.out);
    EXPECT_EQ(encoded.status, ExitOk);
    EXPECT_EQ(encoded.out, stored);
}

TEST(CommandLine, GenerateWritesTheFileThatCheckPasses) {
    const std::string path = TempPath("generated.brd");
    const Outcome generated = Command({"generate", "--parts", "30", "--seed", "4", "-o", path});
    ASSERT_EQ(generated.status, ExitOk) << generated.err;
    EXPECT_TRUE(generated.out.empty());
    const Outcome check = Command({"check", path});
    EXPECT_EQ(check.status, ExitOk);
    EXPECT_EQ(check.out, path + ": no findings\n");
    // The file and standard output get the same bytes.
    const std::string expected = GenerateStored({30, 4, false});
    EXPECT_EQ(Command({"encode", "-"}, Command({"decode", path}).out).out, expected);
    EXPECT_EQ(Command({"generate", "--seed", "4", "--parts", "30"}).out, expected);
    std::remove(path.c_str());
}

TEST(CommandLine, CheckNamesFileAndLineOfEachFinding) {
    std::string text(test::WorkedExample);
    text.replace(text.find("R7 1 5"), 6, "U1 1 5");
    const Outcome run = Command({"check", "-"}, test::Encode(text));
    EXPECT_EQ(run.status, ExitFindings);
    EXPECT_EQ(run.out, "<stdin>:13: part name \"U1\" is also on line 12\n");
}

struct Misuse {
    std::vector<std::string_view> args;
    std::string input;
    int status;
    const char* out; // expected at the start of standard output, or nullptr for nothing
    const char* err; // expected somewhere in standard error, or nullptr for nothing
};

TEST(CommandLine, ExitStatusAndMessages) {
    const Misuse cases[] = {
        {{"--help"}, "", ExitOk, "Usage: dorvik-brd", nullptr},
        {{}, "", ExitError, nullptr, "no command given"},
        {{"frobnicate"}, "", ExitError, nullptr, "unknown command frobnicate"},
        {{"encode", "a", "b"}, "", ExitError, nullptr, "encode takes one FILE"},
        {{"decode", "/nonexistent/board.brd"},
         "",
         ExitError,
         nullptr,
         "cannot open /nonexistent/board.brd"},
        {{"check", "/nonexistent/board.brd"}, "", ExitError, nullptr, "cannot open"},
        {{"check", "/"}, "", ExitError, nullptr, "cannot read /"},
        {{"decode", "-"}, "x\x7D\n", ExitError, nullptr, "line 1, byte 2: 0x7D becomes 0x0A"},
        {{"generate", "--parts", "0"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts", "30001"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts", "12x"}, "", ExitError, nullptr, "--parts takes a number"},
        {{"generate", "--parts"}, "", ExitError, nullptr, "incomplete option --parts"},
        {{"generate", "--seed", "-1"}, "", ExitError, nullptr, "--seed takes"},
        {{"generate", "--full", "--parts", "5"}, "", ExitError, nullptr, "--parts cannot differ"},
        {{"generate", "-o", "/nonexistent/dir/x.brd"}, "", ExitError, nullptr, "cannot create"},
        {{"check", "-"}, "plain words\n", ExitFindings, "<stdin>: no section keyword", nullptr},
    };
    for (const Misuse& c : cases) {
        const Outcome run = Command(c.args, c.input);
        const std::string what = c.args.empty() ? "(none)" : std::string(c.args.front());
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        if (c.out != nullptr) {
            EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << what << ": " << run.out;
        } else {
            EXPECT_TRUE(run.out.empty()) << what << ": " << run.out;
        }
        if (c.err != nullptr) {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
        } else {
            EXPECT_TRUE(run.err.empty()) << what << ": " << run.err;
        }
    }
}

} // namespace
} // namespace dorvik::brd
