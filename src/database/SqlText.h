#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

// The statements of an SQL text, split at ";" outside quoted strings, quoted names, comments
// and PostgreSQL's dollar-quoted bodies. Each statement is trimmed; empty ones are left out.
QStringList SplitSqlStatements(const QString& text);

// True for one statement that only reads: it starts with SELECT, WITH, VALUES or TABLE. The
// engines' read-only sessions stop anything else a reading statement might try.
bool IsSingleReadingStatement(const QString& text);

} // namespace kinetra
