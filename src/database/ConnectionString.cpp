#include "ConnectionString.h"

#include <QHash>
#include <QStringList>

namespace kinetra {

namespace {

using Pairs = QHash<QString, QString>;

// Splits at ";" outside quotes; keys are lower-cased and trimmed, a quoted value loses its quotes.
std::optional<Pairs> splitPairs(const QString& text)
{
    Pairs pairs;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf(u'=', at);
        const qsizetype semicolon = text.indexOf(u';', at);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A part without "=": only blanks may stand there.
            const qsizetype end = semicolon < 0 ? text.size() : semicolon;
            if (!text.mid(at, end - at).trimmed().isEmpty())
                return std::nullopt;
            at = end + 1;
            continue;
        }
        const QString key = text.mid(at, equals - at).trimmed().toLower();
        qsizetype valueStart = equals + 1;
        while (valueStart < text.size() && text.at(valueStart) == u' ')
            ++valueStart;
        QString value;
        qsizetype next;
        if (valueStart < text.size() &&
            (text.at(valueStart) == u'"' || text.at(valueStart) == u'\'')) {
            const QChar quote = text.at(valueStart);
            const qsizetype close = text.indexOf(quote, valueStart + 1);
            if (close < 0)
                return std::nullopt;
            value = text.mid(valueStart + 1, close - valueStart - 1);
            next = text.indexOf(u';', close);
            if (!text.mid(close + 1, (next < 0 ? text.size() : next) - close - 1)
                     .trimmed()
                     .isEmpty())
                return std::nullopt;
        } else {
            next = text.indexOf(u';', valueStart);
            value = text.mid(valueStart, (next < 0 ? text.size() : next) - valueStart).trimmed();
        }
        if (key.isEmpty())
            return std::nullopt;
        pairs.insert(key, value);
        at = next < 0 ? text.size() : next + 1;
    }
    return pairs;
}

QString firstOf(const Pairs& pairs, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        if (const auto found = pairs.constFind(QLatin1String(key)); found != pairs.cend())
            return *found;
    }
    return {};
}

QString quotedWhenNeeded(const QString& value)
{
    if (!value.contains(u';') && value.trimmed() == value && !value.startsWith(u'"') &&
        !value.startsWith(u'\''))
        return value;
    return value.contains(u'"') ? u'\'' + value + u'\'' : u'"' + value + u'"';
}

} // namespace

std::optional<ConnectionSettings> ParseConnectionString(const QString& text)
{
    const std::optional<Pairs> pairs = splitPairs(text);
    if (!pairs)
        return std::nullopt;
    ConnectionSettings settings;
    settings.provider = firstOf(*pairs, {"provider"});
    const QString provider = settings.provider.toLower();
    if (provider.startsWith(u"microsoft.jet.oledb") || provider.startsWith(u"microsoft.ace.oledb"))
        settings.kind = ConnectionSettings::Kind::CatalogueFile;
    else if (provider == u"sqlite")
        settings.kind = ConnectionSettings::Kind::SQLiteFile;
    else if (provider == u"postgresql")
        settings.kind = ConnectionSettings::Kind::PostgreSQL;
    else
        return std::nullopt;

    if (settings.kind == ConnectionSettings::Kind::PostgreSQL) {
        settings.server = firstOf(*pairs, {"server", "host", "data source"});
        settings.database = firstOf(*pairs, {"database", "initial catalog"});
        settings.user = firstOf(*pairs, {"user id", "uid", "user", "username"});
        settings.password = firstOf(*pairs, {"password", "pwd"});
        if (const QString port = firstOf(*pairs, {"port"}); !port.isEmpty()) {
            bool ok = false;
            settings.port = port.toInt(&ok);
            if (!ok || settings.port <= 0 || settings.port > 65535)
                return std::nullopt;
        }
        if (settings.database.isEmpty())
            return std::nullopt;
    } else {
        settings.file = firstOf(*pairs, {"data source"});
        if (settings.file.isEmpty())
            return std::nullopt;
    }
    return settings;
}

QString ComposeConnectionString(const ConnectionSettings& settings)
{
    QStringList parts;
    const auto add = [&parts](const char* key, const QString& value) {
        if (!value.isEmpty())
            parts.append(QLatin1String(key) + u'=' + quotedWhenNeeded(value));
    };
    switch (settings.kind) {
    case ConnectionSettings::Kind::CatalogueFile:
        add("Provider", settings.provider.isEmpty() ? QStringLiteral("Microsoft.Jet.OLEDB.4.0")
                                                    : settings.provider);
        add("Data Source", settings.file);
        break;
    case ConnectionSettings::Kind::SQLiteFile:
        add("Provider", QStringLiteral("SQLite"));
        add("Data Source", settings.file);
        break;
    case ConnectionSettings::Kind::PostgreSQL:
        add("Provider", QStringLiteral("PostgreSQL"));
        add("Server", settings.server);
        if (settings.port > 0)
            add("Port", QString::number(settings.port));
        add("Database", settings.database);
        add("User ID", settings.user);
        add("Password", settings.password);
        break;
    }
    return parts.join(u';');
}

} // namespace kinetra
