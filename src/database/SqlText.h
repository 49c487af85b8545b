#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace kinetra {

// One statement of an SQL text, without its terminating semicolon and without comments.
struct SqlStatement {
    QString text;
    int line = 0; // 1-based line of the text where the statement starts
};

// Splits an SQL text at the semicolons that end statements. A semicolon inside a single-quoted
// string (with '' for a quote), a double-quoted name (with "" for a quote), a "--" or "/* */"
// comment or a PostgreSQL dollar-quoted body ends nothing. Comments are left out; a last
// statement without a semicolon counts, and blank statements are dropped.
QList<SqlStatement> SplitSqlStatements(QStringView text);

// True for one statement that only reads: it starts with SELECT, WITH, VALUES or TABLE. The
// engines' read-only sessions stop anything else a reading statement might try.
bool IsSingleReadingStatement(QStringView text);

} // namespace kinetra
