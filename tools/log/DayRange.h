#pragma once
// The days of --since and --until: UTC, both included, either open. Kept for every command that
// takes them (export now, the line's figures later).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>
#include <optional>

namespace dorvik::logtool {

struct DayRange {
    std::optional<QString> Since; // as given
    std::optional<QString> Until;

    // Takes --since or --until from args[at] and the word after it; false when args[at] is
    // neither. `error` is set for a word missing or given twice.
    bool Take(const QStringList& args, qsizetype& at, QString& error);

    struct Span {
        std::int64_t FromMs = std::numeric_limits<std::int64_t>::min();
        std::int64_t UntilMs = std::numeric_limits<std::int64_t>::max(); // exclusive
    };
    // The milliseconds the days cover; nothing, with the reason, for a day that is no day or
    // days in the wrong order.
    std::optional<Span> Milliseconds(QString& error) const;
};

} // namespace dorvik::logtool
