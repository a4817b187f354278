#pragma once
// One line of an IPC-D-356 / 356A netlist, cut into its fields by column. The fields are found
// at their fixed columns; numbers may be blank-padded and their sign blank.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik::ipc356 {

enum class RecordKind : std::uint8_t {
    Blank,        // an empty line
    Comment,      // C
    Parameter,    // P
    ThroughHole,  // 317: plated hole, a pad of a through-hole part or a via
    Surface,      // 327: surface-mount pad
    Unplated,     // 367: non-plated tooling or mounting hole
    Continuation, // 017 / 027: the feature of the record before, on another layer
    Outline,      // 389: an outline feature (board edge, panel edge, ...)
    OutlineMore,  // 089: more points of the outline feature before
    End,          // 999
    Other,        // a record this program does not use (conductors, adjacency, ...)
    Unknown,      // no operation code of the format
};

// The fields of a 317, 327 or 367 record (and of their continuations). Coordinates are the raw
// counts of the file's unit.
struct FeatureRecord {
    std::string Net;    // columns 4-17, trimmed; empty for a blank field
    std::string RefDes; // columns 21-26, trimmed
    std::string Pin;    // columns 28-31, trimmed
    std::int32_t X = 0;
    std::int32_t Y = 0;
    int Access = 0;        // columns 40-41: 0 both sides, 1 top, n layer n
    bool MidPoint = false; // column 32 'M'
};

// A P line: the keyword from column 4 and the rest of the line, both trimmed.
struct Parameter {
    std::string Keyword;
    std::string Value;
};

// A long net name: `NNAME<k> <name>` from a P or a C line.
struct NetAlias {
    std::string Key; // NNAME1, NNAMEm0000
    std::string Name;
};

// One point of an outline: a coordinate the record omits repeats the point before (modal), and
// a '*' lifts the pen before the next point.
struct OutlinePointRecord {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

struct OutlineRecord {
    std::string Name; // columns 4-17: BOARD_EDGE, PANEL_EDGE, ...
    std::vector<OutlinePointRecord> Points;
};

// What is wrong with a line that the reader cannot use.
struct RecordError {
    std::string Message;
};

// The kind of a line from its first three columns.
RecordKind KindOf(std::string_view line) noexcept;

// The fields of a feature record, or what is wrong with it.
struct FeatureParse {
    FeatureRecord Record;
    std::optional<RecordError> Error;
};
FeatureParse ParseFeature(std::string_view line);

Parameter ParseParameter(std::string_view line);

// The long net name defined on a P or C line, if the line defines one.
std::optional<NetAlias> ParseAlias(std::string_view line);

// The points of a 389 or 089 record; `last` carries the modal coordinates from record to record.
struct OutlineParse {
    OutlineRecord Record;
    std::optional<RecordError> Error;
};
OutlineParse ParseOutline(std::string_view line, OutlinePointRecord& last);

// A number field: blanks around it, an optional sign (or a blank for +), blanks, then digits.
// Empty when the field is not a number or does not fit 32 bits (`overflow` says which).
std::optional<std::int32_t> ParseField(std::string_view field, bool& overflow) noexcept;

// Units of the coordinates, from the value of a UNITS parameter.
enum class Units : std::uint8_t { TenThousandthInch, Micrometre };
std::optional<Units> ParseUnits(std::string_view value);

} // namespace dorvik::ipc356
