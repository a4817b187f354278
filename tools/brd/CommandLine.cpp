#include "CommandLine.h"

#include "Checker.h"
#include "Codec.h"
#include "Generator.h"
#include "Import.h"
#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "report/FaultListFile.h"
#include "report/ReportReader.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace dorvik::brd {

namespace {

constexpr std::string_view Usage =
    "Usage: dorvik-brd COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  decode [FILE]   print the plain text of a stored board file\n"
    "  encode [FILE]   print the stored form of a plain-text board file\n"
    "  generate [--parts N] [--seed S] [--full] [-o FILE]\n"
    "                  write a synthetic board in the stored form (default 100 parts,\n"
    "                  seed 1); --full fills every table to its capacity\n"
    "  check [FILE]    list everything out of format in a stored board file\n"
    "  faults REPORT BOARD\n"
    "                  print the fault list lines a tester's report becomes on BOARD\n"
    "  import FILE [-o OUT.brd] [--probe-side bottom|top|both]\n"
    "                  write the board of an IPC-D-356 netlist as a stored board file, with\n"
    "                  one nail on each net reachable from the probing side (default bottom)\n"
    "\n"
    "Without FILE, or with -, standard input is read. Output goes to standard output.\n"
    "Exit status: 0 done (check: no findings), 1 check or import found something or report\n"
    "lines were skipped, 2 error.\n";

struct Streams {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
};

void Write(std::FILE* to, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), to);
}

int Fail(const Streams& io, const std::string& message) {
    Write(io.err, "dorvik-brd: " + message + "\n");
    return ExitError;
}

int UsageError(const Streams& io, const std::string& message) {
    Write(io.err, "dorvik-brd: " + message + "\n\n");
    Write(io.err, Usage);
    return ExitError;
}

std::optional<std::string> ReadAll(std::FILE* file) {
    std::string bytes;
    char block[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, file);
        bytes.append(block, n);
        if (n < sizeof block) {
            break;
        }
    }
    if (std::ferror(file)) {
        return std::nullopt;
    }
    return bytes;
}

// The bytes of FILE, or of standard input for "-"; nullopt after reporting the error.
std::optional<std::string> Load(const Streams& io, std::string_view path) {
    if (path == "-") {
        auto bytes = ReadAll(io.in);
        if (!bytes) {
            Fail(io, "cannot read standard input");
        }
        return bytes;
    }
    const std::string name(path);
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        Fail(io, "cannot open " + name + ": " + std::strerror(errno));
        return std::nullopt;
    }
    auto bytes = ReadAll(file);
    const int error = errno;
    std::fclose(file);
    if (!bytes) {
        Fail(io, "cannot read " + name + ": " + std::strerror(error));
    }
    return bytes;
}

bool Flush(std::FILE* out) {
    return std::fflush(out) == 0 && !std::ferror(out);
}

int Convert(const Streams& io, std::span<const std::string_view> args, bool decode) {
    const char* command = decode ? "decode" : "encode";
    if (args.size() > 1) {
        return UsageError(io, std::string(command) + " takes one FILE");
    }
    const std::string_view path = args.empty() ? "-" : args[0];
    const auto input = Load(io, path);
    if (!input) {
        return ExitError;
    }
    const CodecResult result = decode ? DecodeStored(*input) : EncodePlain(*input);
    if (result.Error) {
        return Fail(io, std::string(path) + ": " + result.Error->Message);
    }
    Write(io.out, result.Bytes);
    return Flush(io.out) ? ExitOk : Fail(io, "cannot write the output");
}

template <typename T> bool ParseNumber(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

int Generate(const Streams& io, std::span<const std::string_view> args) {
    GenerateOptions options;
    std::optional<std::string> outputPath;
    bool partsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--full") {
            options.Full = true;
        } else if (arg == "--parts" && hasValue) {
            if (!ParseNumber(args[++i], options.Parts) || options.Parts < 1 ||
                options.Parts > PartCapacity) {
                return UsageError(io, "--parts takes a number from 1 to " +
                                          std::to_string(PartCapacity));
            }
            partsGiven = true;
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(args[++i], options.Seed)) {
                return UsageError(io, "--seed takes a whole number from 0 to 2^64 - 1");
            }
        } else if (arg == "-o" && hasValue) {
            outputPath = std::string(args[++i]);
        } else {
            return UsageError(io, "generate: unknown or incomplete option " + std::string(arg));
        }
    }
    if (options.Full && partsGiven && options.Parts != PartCapacity) {
        return UsageError(io, "--full fills the part table; --parts cannot differ from it");
    }
    const std::string stored = GenerateStored(options);
    if (!outputPath) {
        Write(io.out, stored);
        return Flush(io.out) ? ExitOk : Fail(io, "cannot write the output");
    }
    std::FILE* file = std::fopen(outputPath->c_str(), "wb");
    if (file == nullptr) {
        return Fail(io, "cannot create " + *outputPath + ": " + std::strerror(errno));
    }
    Write(file, stored);
    const bool written = Flush(file);
    const bool closed = std::fclose(file) == 0;
    return written && closed ? ExitOk : Fail(io, "cannot write " + *outputPath);
}

// Writes bytes to the file at `path`; reports and answers false when that fails.
bool WriteFile(const Streams& io, const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        Fail(io, "cannot create " + path + ": " + std::strerror(errno));
        return false;
    }
    Write(file, bytes);
    const bool written = Flush(file);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        Fail(io, "cannot write " + path);
    }
    return written && closed;
}

int Import(const Streams& io, std::span<const std::string_view> args) {
    std::optional<std::string_view> path;
    std::optional<std::string> outputPath;
    NetlistOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue) {
            outputPath = std::string(args[++i]);
        } else if (arg == "--probe-side" && hasValue) {
            const std::string_view side = args[++i];
            if (side == "bottom") {
                options.Probing = ProbeSide::Bottom;
            } else if (side == "top") {
                options.Probing = ProbeSide::Top;
            } else if (side == "both") {
                options.Probing = ProbeSide::Both;
            } else {
                return UsageError(io, "--probe-side takes bottom, top or both");
            }
        } else if (!path && (arg == "-" || !arg.starts_with("-"))) {
            path = arg;
        } else {
            return UsageError(io, "import: unknown or incomplete option " + std::string(arg));
        }
    }
    if (!path) {
        return UsageError(io, "import takes the netlist FILE");
    }
    const auto input = Load(io, *path);
    if (!input) {
        return ExitError;
    }
    const std::string name = *path == "-" ? "<stdin>" : std::string(*path);
    const ImportResult imported = ImportNetlist(*input, options);
    const auto located = [&](const NetlistMessage& m) {
        return name + (m.Line > 0 ? ":" + std::to_string(m.Line) : std::string()) + ": " + m.Text;
    };
    for (const NetlistMessage& m : imported.Read.Findings) {
        Write(io.err, located(m) + "\n");
    }
    if (imported.Read.FindingsLeftOut > 0) {
        Write(io.err, name + ": ... and " + std::to_string(imported.Read.FindingsLeftOut) +
                          " more findings\n");
    }
    if (imported.Read.Error) {
        return Fail(io, located(*imported.Read.Error));
    }
    const NetlistCounts& c = imported.Read.Counts;
    Write(io.err, name + ": " + std::to_string(c.Parts) + " parts, " + std::to_string(c.Pins) +
                      " pins, " + std::to_string(c.Nets) + " nets, " + std::to_string(c.Nails) +
                      " nails, " + std::to_string(c.Vias) + " vias, outline " +
                      (c.BoardEdge ? "from BOARD_EDGE" : "around the pads") + "\n");
    if (outputPath) {
        if (!WriteFile(io, *outputPath, imported.Stored)) {
            return ExitError;
        }
    } else {
        Write(io.out, imported.Stored);
        if (!Flush(io.out)) {
            return Fail(io, "cannot write the output");
        }
    }
    const bool clean = imported.Read.Findings.empty() && imported.Read.FindingsLeftOut == 0;
    return clean ? ExitOk : ExitFindings;
}

int Check(const Streams& io, std::span<const std::string_view> args) {
    if (args.size() > 1) {
        return UsageError(io, "check takes one FILE");
    }
    const std::string_view path = args.empty() ? "-" : args[0];
    const auto input = Load(io, path);
    if (!input) {
        return ExitError;
    }
    const std::string name = path == "-" ? "<stdin>" : std::string(path);
    const CheckReport report = CheckBoardBytes(*input);
    if (report.Error) {
        return Fail(io, name + ": " + *report.Error);
    }
    for (const CheckFinding& f : report.Findings) {
        Write(io.out, name + (f.Line > 0 ? ":" + std::to_string(f.Line) : std::string()) + ": " +
                          f.Message + "\n");
    }
    if (report.Clean()) {
        Write(io.out, name + ": no findings\n");
    }
    if (!Flush(io.out)) {
        return Fail(io, "cannot write the output");
    }
    return report.Clean() ? ExitOk : ExitFindings;
}

int Faults(const Streams& io, std::span<const std::string_view> args) {
    if (args.size() != 2) {
        return UsageError(io, "faults takes a REPORT and a BOARD");
    }
    const std::string reportPath(args[0]);
    const std::string boardPath(args[1]);
    std::FILE* boardFile = std::fopen(boardPath.c_str(), "rb");
    if (boardFile == nullptr) {
        return Fail(io, "cannot open " + boardPath + ": " + std::strerror(errno));
    }
    const auto board = std::make_unique<BoardData>();
    ReadBoardFile(boardFile, *board);
    std::fclose(boardFile);

    const ReportResult result = ReadReportFile(reportPath, *board);
    for (const ReportProblem& problem : result.Problems) {
        Write(io.err,
              reportPath + ":" + std::to_string(problem.LineNumber) + ": " + problem.Reason + "\n");
    }
    if (!result.Error.empty()) {
        return Fail(io, reportPath + ": " + result.Error);
    }
    Write(io.out, FaultsListing(result.List));
    if (result.SkippedLines > 0) {
        Write(io.err, reportPath + ": " + std::string(ReportKindName(result.Kind)) + ", " +
                          std::to_string(result.SkippedLines) + " lines skipped\n");
    }
    if (!Flush(io.out)) {
        return Fail(io, "cannot write the output");
    }
    return result.SkippedLines > 0 ? ExitFindings : ExitOk;
}

} // namespace

int RunCommand(std::span<const std::string_view> args, std::FILE* in, std::FILE* out,
               std::FILE* err) {
    const Streams io{in, out, err};
    if (args.empty()) {
        return UsageError(io, "no command given");
    }
    const std::string_view command = args[0];
    const auto rest = args.subspan(1);
    if (command == "--help" || command == "-h" || command == "help") {
        Write(out, Usage);
        return Flush(out) ? ExitOk : ExitError;
    }
    if (command == "decode" || command == "encode") {
        return Convert(io, rest, command == "decode");
    }
    if (command == "generate") {
        return Generate(io, rest);
    }
    if (command == "check") {
        return Check(io, rest);
    }
    if (command == "faults") {
        return Faults(io, rest);
    }
    if (command == "import") {
        return Import(io, rest);
    }
    return UsageError(io, "unknown command " + std::string(command));
}

} // namespace dorvik::brd
