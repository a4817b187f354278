#include "unitindex/BoardLibrary.h"

#include "report/TextLines.h"
#include "unitindex/FolderPaths.h"
#include "unitindex/OpenFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <tuple>

#include <sys/stat.h>

namespace dorvik {
namespace {

// A mapping file is a few hundred lines; more than this is no mapping file, and is not read on.
constexpr std::size_t MaxMapBytes = 1u << 20;
constexpr std::size_t MaxMapLines = 10'000;

constexpr std::string_view NetlistExtensions[] = {".ipc", ".d356", ".356", ".net"};

std::string Canonical(const std::string& path) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    if (error) {
        canonical = std::filesystem::path(path).lexically_normal();
    }
    return canonical.string();
}

std::string_view FileName(std::string_view path) noexcept {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The name without its last extension; a name that starts with its only dot has none.
std::string_view Stem(std::string_view name) noexcept {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

// Board files first, then netlists, then the rest.
int KindRank(std::string_view name) noexcept {
    const std::string_view extension = name.substr(Stem(name).size());
    if (EqualsIgnoringCase(extension, ".brd")) {
        return 0;
    }
    const bool netlist =
        std::any_of(std::begin(NetlistExtensions), std::end(NetlistExtensions),
                    [extension](std::string_view n) { return EqualsIgnoringCase(extension, n); });
    return netlist ? 1 : 2;
}

// File names may hold '#', board names too; only a '#' after a blank on the file's side starts a
// comment at the end of a line ("DEMO = demo.brd   # the old one").
std::string_view WithoutTrailingComment(std::string_view file) noexcept {
    for (std::size_t k = 0; k < file.size(); ++k) {
        if (file[k] == '#' && (k == 0 || IsBlankChar(file[k - 1]))) {
            return file.substr(0, k);
        }
    }
    return file;
}

bool IsRegularFile(const std::string& path) noexcept {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string CannotBeRead(int error) {
    return "cannot be read: " + std::string(std::strerror(error));
}

} // namespace

BoardLibrary BoardLibrary::Load(const std::string& folder) {
    BoardLibrary library;
    const std::string path = FolderPath(folder);
    const OpenFolder open(path);
    if (open.Dir() == nullptr) {
        library.error_ = "the board library " + path + " " + CannotBeRead(errno);
        return library;
    }
    const int fd = ::dirfd(open.Dir());
    while (const dirent* entry = ::readdir(open.Dir())) {
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode)) {
            library.files_.push_back(PathIn(path, entry->d_name));
        }
    }
    std::sort(library.files_.begin(), library.files_.end());
    library.folder_ = path;
    library.canonicalFolder_ = Canonical(path);
    library.ReadMap();
    return library;
}

void BoardLibrary::ReadMap() {
    const std::string path = PathIn(folder_, BoardMapName);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return; // the names of the files are the mapping
    }
    const OpenFile file(path);
    std::string bytes;
    if (file.Fd() < 0 || ::fstat(file.Fd(), &info) != 0) {
        problems_.push_back({0, std::string(BoardMapName) + " " + CannotBeRead(errno)});
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        problems_.push_back({0, std::string(BoardMapName) + " is not a file"});
        return;
    }
    // One byte beyond the bound tells a map that goes on.
    const auto size = static_cast<unsigned long long>(std::max<off_t>(info.st_size, 0));
    if (!AppendRead(file.Fd(), std::min<unsigned long long>(size, MaxMapBytes) + 1, bytes)) {
        problems_.push_back({0, std::string(BoardMapName) + " " + CannotBeRead(errno)});
        return;
    }
    const bool cut = bytes.size() > MaxMapBytes;
    if (cut) {
        // The line the limit falls in is not read in part.
        const std::size_t lastEnd = bytes.rfind('\n', MaxMapBytes - 1);
        bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    }
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::vector<std::string_view> lines = SplitLines(text);
    std::unordered_set<std::string> named;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k == MaxMapLines) {
            problems_.push_back({k + 1, "the map has more than " + std::to_string(MaxMapLines) +
                                            " lines; the rest is not read"});
            return;
        }
        ReadMapLine(k + 1, lines[k], named);
    }
    if (cut) {
        problems_.push_back({lines.size() + 1, "the map is larger than " +
                                                   std::to_string(MaxMapBytes >> 20) +
                                                   " MB; the rest is not read"});
    }
}

void BoardLibrary::ReadMapLine(std::size_t number, std::string_view line,
                               std::unordered_set<std::string>& named) {
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() == '#') {
        return;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        problems_.push_back({number, "no '='"});
        return;
    }
    const std::string_view name = Trimmed(text.substr(0, equals));
    const std::string_view file = Trimmed(WithoutTrailingComment(text.substr(equals + 1)));
    if (name.empty()) {
        problems_.push_back({number, "no board name"});
        return;
    }
    if (file.empty()) {
        problems_.push_back({number, "no file"});
        return;
    }
    std::string full = file.front() == '/' ? std::string(file) : PathIn(folder_, file);
    if (full.find('\0') != std::string::npos || !IsRegularFile(full)) {
        problems_.push_back({number, "names a file that is not there"});
        return;
    }
    if (!named.insert(LowerAscii(name)).second) {
        problems_.push_back({number, "names the board a second time"});
        return;
    }
    std::string canonical = Canonical(full);
    mappings_.push_back({std::string(name), std::move(full), std::move(canonical)});
}

std::optional<std::string> BoardLibrary::FileFor(std::string_view boardName) const {
    const std::string_view name = Trimmed(boardName);
    if (name.empty()) {
        return std::nullopt;
    }
    for (const Mapping& mapping : mappings_) {
        if (EqualsIgnoringCase(mapping.Name, name)) {
            return mapping.File;
        }
    }
    const std::string* best = nullptr;
    auto rank = [](const std::string& path) {
        return std::make_tuple(KindRank(FileName(path)), FileName(path));
    };
    for (const std::string& path : files_) {
        const std::string_view fileName = FileName(path);
        if (fileName != BoardMapName && EqualsIgnoringCase(Stem(fileName), name) &&
            (best == nullptr || rank(path) < rank(*best))) {
            best = &path;
        }
    }
    return best == nullptr ? std::nullopt : std::optional<std::string>(*best);
}

std::string BoardLibrary::NameFor(const std::string& file) const {
    if (folder_.empty() || file.empty()) {
        return {};
    }
    const std::string canonical = Canonical(file);
    for (const Mapping& mapping : mappings_) {
        if (mapping.Canonical == canonical) {
            return mapping.Name;
        }
    }
    // The file's own name counts, even when it is a link to a file elsewhere.
    const std::string_view fileName = FileName(file);
    const std::string folder(file.data(), file.size() - fileName.size());
    const bool inLibrary =
        !fileName.empty() && fileName != BoardMapName &&
        Canonical(folder.empty() ? "." : FolderPath(folder)) == canonicalFolder_ &&
        std::any_of(files_.begin(), files_.end(),
                    [fileName](const std::string& path) { return FileName(path) == fileName; });
    return inLibrary ? std::string(Stem(fileName)) : std::string();
}

} // namespace dorvik
