#include "repairlog/PostgresConnection.h"

#include <QStringList>

#include <libpq-fe.h>

#include <memory>
#include <utility>
#include <vector>

namespace dorvik {
namespace {

using Setting = std::pair<QString, QString>;

struct Parsed {
    std::vector<Setting> Settings; // those given, in libpq's order
    QString Error;
};

Parsed Parse(const QString& conninfo) {
    Parsed parsed;
    char* error = nullptr;
    const QByteArray text = conninfo.toUtf8();
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(text.constData(), &error), PQconninfoFree);
    if (options == nullptr) {
        parsed.Error = error != nullptr ? QString::fromUtf8(error).trimmed()
                                        : QStringLiteral("the connection cannot be read");
        PQfreemem(error);
        return parsed;
    }
    for (const PQconninfoOption* option = options.get(); option->keyword != nullptr; ++option) {
        if (option->val != nullptr) {
            parsed.Settings.emplace_back(QString::fromUtf8(option->keyword),
                                         QString::fromUtf8(option->val));
        }
    }
    return parsed;
}

// A value as libpq's keyword form writes it: in single quotes, with ' and \ escaped.
QString Quoted(QString value) {
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

bool Gives(const std::vector<Setting>& settings, QLatin1String keyword) {
    for (const Setting& setting : settings) {
        if (setting.first == keyword) {
            return true;
        }
    }
    return false;
}

} // namespace

PostgresOptions PostgresConnectOptions(const QString& conninfo) {
    Parsed parsed = Parse(conninfo);
    if (!parsed.Error.isEmpty()) {
        return {QString(), parsed.Error};
    }
    if (!Gives(parsed.Settings, QLatin1String("connect_timeout"))) {
        parsed.Settings.emplace_back(QStringLiteral("connect_timeout"),
                                     QString::number(ConnectTimeoutSeconds));
    }
    if (!Gives(parsed.Settings, QLatin1String("application_name"))) {
        parsed.Settings.emplace_back(QStringLiteral("application_name"), QStringLiteral("dorvik"));
    }
    QStringList options;
    for (const auto& [keyword, value] : parsed.Settings) {
        // The driver reads ';' as the separator of its options, whatever the quotes.
        if (value.contains(u';')) {
            return {QString(),
                    QStringLiteral("the setting %1 holds a ';', which the database driver cannot "
                                   "pass on")
                        .arg(keyword)};
        }
        options << keyword + u'=' + Quoted(value);
    }
    return {options.join(u';'), QString()};
}

bool GivesPassword(const QString& conninfo) {
    const Parsed parsed = Parse(conninfo);
    return Gives(parsed.Settings, QLatin1String("password")) ||
           (!parsed.Error.isEmpty() && conninfo.contains(QLatin1String("password")));
}

QString ConninfoWithoutPassword(const QString& conninfo) {
    const Parsed parsed = Parse(conninfo);
    if (!parsed.Error.isEmpty()) {
        return conninfo.contains(QLatin1String("password"), Qt::CaseInsensitive)
                   ? QStringLiteral("(a connection that cannot be read)")
                   : conninfo;
    }
    QStringList shown;
    for (const auto& [keyword, value] : parsed.Settings) {
        if (keyword != QLatin1String("password")) {
            shown << keyword + u'=' +
                         (value.contains(u' ') || value.isEmpty() ? Quoted(value) : value);
        }
    }
    return shown.join(u' ');
}

} // namespace dorvik
