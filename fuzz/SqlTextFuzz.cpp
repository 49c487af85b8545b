// The SQL text filter that lets only one reading statement reach the catalogue.

#include <QString>

#include "FuzzSupport.h"
#include "SqlText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<SqlStatement> statements = SplitSqlStatements(text);
    // A text the filter passes is exactly one statement.
    if (IsSingleReadingStatement(text))
        fuzz::Check(statements.size() == 1);
    return 0;
}
