#include "log/DayRange.h"

#include "repairlog/UtcTime.h"

#include <QStringList>

namespace dorvik::logtool {

bool DayRange::Take(const QStringList& args, qsizetype& at, QString& error) {
    const QString& option = args[at];
    std::optional<QString>* day = option == QLatin1String("--since")   ? &Since
                                  : option == QLatin1String("--until") ? &Until
                                                                       : nullptr;
    if (day == nullptr) {
        return false;
    }
    if (at + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a DAY").arg(option);
    } else if (day->has_value()) {
        error = QStringLiteral("%1 is given twice").arg(option);
    } else {
        *day = args[++at];
    }
    return true;
}

std::optional<DayRange::Span> DayRange::Milliseconds(QString& error) const {
    Span span;
    for (const auto& [given, ms, option] : {std::tuple{&Since, &span.FromMs, "--since"},
                                            std::tuple{&Until, &span.UntilMs, "--until"}}) {
        if (!given->has_value()) {
            continue;
        }
        const std::optional<std::int64_t> start = DayStartUtc(given->value().toStdString());
        if (!start) {
            error = QStringLiteral("%1 %2 is no day (YYYY-MM-DD)")
                        .arg(QLatin1String(option), given->value());
            return std::nullopt;
        }
        *ms = *start;
    }
    if (Until) {
        span.UntilMs += MsPerDay;
    }
    if (Since && Until && span.FromMs >= span.UntilMs) {
        error = QStringLiteral("--since %1 comes after --until %2").arg(*Since, *Until);
        return std::nullopt;
    }
    return span;
}

} // namespace dorvik::logtool
