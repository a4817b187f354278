#pragma once
// The board library: a folder of board files and netlists, and its mapping file `boards.map`
// (lines "REPORT BOARD NAME = FILE", '#' comments) from the board names reports give to files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace dorvik {

inline constexpr std::string_view BoardMapName = "boards.map";

struct BoardMapProblem {
    std::size_t Line = 0; // from 1; 0 for the whole file
    std::string Reason;   // "no '='", "no board name", "no file", "names a file that is not there",
                          // "names the board a second time"
};

class BoardLibrary {
public:
    BoardLibrary() = default;
    // Reads the folder's boards.map (when there is one) and the names of its files. A folder that
    // cannot be read gives an empty library with Error() saying so.
    static BoardLibrary Load(const std::string& folder);

    const std::string& Folder() const noexcept { return folder_; }
    bool Empty() const noexcept { return folder_.empty(); }
    const std::string& Error() const noexcept { return error_; }
    const std::vector<BoardMapProblem>& MapProblems() const noexcept { return problems_; }

    // The board file for a report's board name: the mapping's file when boards.map names it
    // (names compared ignoring case and surrounding blanks), else a file of the folder whose name
    // without its last extension equals the name ignoring case (a board file before a netlist
    // when both are there); nothing otherwise. A full path.
    std::optional<std::string> FileFor(std::string_view boardName) const;
    // The board name the library gives `file` (a full path): the first mapping to it, else its
    // file name without the extension when the file lies in the library; empty otherwise.
    std::string NameFor(const std::string& file) const;

private:
    struct Mapping {
        std::string Name;      // as written
        std::string File;      // full path
        std::string Canonical; // of File, for NameFor
    };
    void ReadMap();
    void ReadMapLine(std::size_t number, std::string_view line,
                     std::unordered_set<std::string>& named);

    std::string folder_;
    std::string canonicalFolder_;
    std::string error_;
    std::vector<Mapping> mappings_;
    std::vector<std::string> files_; // full paths of the folder's regular files
    std::vector<BoardMapProblem> problems_;
};

} // namespace dorvik
