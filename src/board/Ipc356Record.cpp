#include "board/Ipc356Record.h"

namespace dorvik::ipc356 {

namespace {

constexpr bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

constexpr bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Columns `first` to `last` (1-based, inclusive), clipped to the line.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) noexcept {
    if (line.size() < first) {
        return {};
    }
    return line.substr(first - 1, last - first + 1);
}

char Column(std::string_view line, std::size_t column) noexcept {
    return column <= line.size() ? line[column - 1] : ' ';
}

std::string ColumnText(std::string_view line, std::size_t first, std::size_t last) {
    return std::string(Trim(Columns(line, first, last)));
}

// The value of digits[0..n) with an optional sign, within 32 bits.
std::optional<std::int32_t> Accumulate(std::string_view digits, bool negative,
                                       bool& overflow) noexcept {
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > limit) {
            overflow = true;
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(Trim(text)) + "\"";
}

} // namespace

RecordKind KindOf(std::string_view line) noexcept {
    if (Trim(line).empty()) {
        return RecordKind::Blank;
    }
    const char first = line[0];
    const bool codeEnds = line.size() < 2 || IsBlank(line[1]);
    if (first == 'C' && codeEnds) {
        return RecordKind::Comment;
    }
    if (first == 'P' && codeEnds) {
        return RecordKind::Parameter;
    }
    if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2])) {
        return RecordKind::Unknown;
    }
    const std::string_view code = line.substr(0, 3);
    if (code == "317") {
        return RecordKind::ThroughHole;
    }
    if (code == "327") {
        return RecordKind::Surface;
    }
    if (code == "367") {
        return RecordKind::Unplated;
    }
    if (code == "017" || code == "027") {
        return RecordKind::Continuation;
    }
    if (code == "389") {
        return RecordKind::Outline;
    }
    if (code == "089") {
        return RecordKind::OutlineMore;
    }
    if (code == "999") {
        return RecordKind::End;
    }
    return RecordKind::Other;
}

std::optional<std::int32_t> ParseField(std::string_view field, bool& overflow) noexcept {
    overflow = false;
    field = Trim(field);
    bool negative = false;
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
        negative = field.front() == '-';
        field = Trim(field.substr(1));
    }
    if (field.empty()) {
        return std::nullopt;
    }
    for (const char c : field) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    return Accumulate(field, negative, overflow);
}

FeatureParse ParseFeature(std::string_view line) {
    FeatureParse out;
    FeatureRecord& r = out.Record;
    // The coordinates end at column 57; anything shorter cannot hold them.
    if (line.size() < 51) {
        out.Error = RecordError{"record cut short at column " + std::to_string(line.size()) +
                                " (the coordinates end at column 57)"};
        return out;
    }
    r.Net = ColumnText(line, 4, 17);
    r.RefDes = ColumnText(line, 21, 26);
    r.Pin = ColumnText(line, 28, 31);
    r.MidPoint = Column(line, 32) == 'M';

    const char access = Column(line, 39);
    const std::string_view accessDigits = Columns(line, 40, 41);
    if (access == 'A') {
        bool overflow = false;
        const auto layer = ParseField(accessDigits, overflow);
        if (!layer || *layer < 0) {
            out.Error = RecordError{"access code " + Quoted(accessDigits) +
                                    " at columns 40-41 is no number"};
            return out;
        }
        r.Access = *layer;
    } else if (!IsBlank(access) || !Trim(accessDigits).empty()) {
        out.Error = RecordError{"columns out of place: column 39 holds '" + std::string(1, access) +
                                "', not the access code A"};
        return out;
    }

    struct Axis {
        std::size_t Marker;
        char Letter;
        std::int32_t* Value;
    };
    for (const Axis& axis : {Axis{42, 'X', &r.X}, Axis{50, 'Y', &r.Y}}) {
        if (Column(line, axis.Marker) != axis.Letter) {
            out.Error = RecordError{"columns out of place: column " + std::to_string(axis.Marker) +
                                    " holds '" + std::string(1, Column(line, axis.Marker)) +
                                    "', not " + std::string(1, axis.Letter)};
            return out;
        }
        const std::string_view field = Columns(line, axis.Marker + 1, axis.Marker + 7);
        bool overflow = false;
        const auto value = ParseField(field, overflow);
        if (!value) {
            out.Error = RecordError{std::string(1, axis.Letter) + " coordinate " + Quoted(field) +
                                    (overflow ? " is beyond 32 bits" : " is no number")};
            return out;
        }
        *axis.Value = *value;
    }
    // A number longer than its field pushes the next field's marker out of its column.
    if (const char size = Column(line, 58); size != 'X' && !IsBlank(size)) {
        out.Error = RecordError{"columns out of place: column 58 holds '" + std::string(1, size) +
                                "', not X"};
    }
    return out;
}

Parameter ParseParameter(std::string_view line) {
    const std::string_view rest = Trim(line.size() > 3 ? line.substr(3) : std::string_view{});
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) {
        ++end;
    }
    return {std::string(rest.substr(0, end)), std::string(Trim(rest.substr(end)))};
}

std::optional<NetAlias> ParseAlias(std::string_view line) {
    const Parameter p = ParseParameter(line);
    if (p.Keyword.size() <= 5 || p.Keyword.compare(0, 5, "NNAME") != 0 || p.Value.empty()) {
        return std::nullopt;
    }
    return NetAlias{p.Keyword, p.Value};
}

OutlineParse ParseOutline(std::string_view line, OutlinePointRecord& last) {
    OutlineParse out;
    std::size_t firstColumn = 4; // of the points: 089 continues right after its code
    if (line.substr(0, 3) == "389") {
        out.Record.Name = ColumnText(line, 4, 17);
        firstColumn = 18;
    }
    const std::string_view points =
        line.size() >= firstColumn ? line.substr(firstColumn - 1) : std::string_view{};
    std::size_t i = 0;
    while (i < points.size()) {
        if (IsBlank(points[i]) || points[i] == '*') {
            ++i; // pen up: the next point starts a new stroke, drawn joined to the last one
            continue;
        }
        if (points[i] != 'X' && points[i] != 'Y') {
            out.Error = RecordError{"outline point at column " + std::to_string(firstColumn + i) +
                                    " starts with '" + std::string(1, points[i]) + "', not X or Y"};
            return out;
        }
        OutlinePointRecord point = last;
        while (i < points.size() && (points[i] == 'X' || points[i] == 'Y')) {
            const char axis = points[i++];
            const std::size_t start = i;
            if (i < points.size() && (points[i] == '+' || points[i] == '-')) {
                ++i;
            }
            while (i < points.size() && IsDigit(points[i])) {
                ++i;
            }
            bool overflow = false;
            const std::string_view field = points.substr(start, i - start);
            const auto value = ParseField(field, overflow);
            if (!value) {
                out.Error = RecordError{"outline " + std::string(1, axis) + " " + Quoted(field) +
                                        (overflow ? " is beyond 32 bits" : " is no number")};
                return out;
            }
            (axis == 'X' ? point.X : point.Y) = *value;
        }
        out.Record.Points.push_back(point);
        last = point;
    }
    return out;
}

std::optional<Units> ParseUnits(std::string_view value) {
    // Writers separate the words by one blank or several.
    std::string words;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (!IsBlank(value[i])) {
            if (!words.empty() && i > 0 && IsBlank(value[i - 1])) {
                words += ' ';
            }
            words += value[i];
        }
    }
    value = words;
    if (value == "CUST" || value == "CUST 0" || value == "CUST 2") {
        return Units::TenThousandthInch;
    }
    if (value == "CUST 1" || value == "SI") {
        return Units::Micrometre;
    }
    return std::nullopt;
}

} // namespace dorvik::ipc356
