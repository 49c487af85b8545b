#include "SqlText.h"

#include <QRegularExpression>

namespace kinetra {

namespace {

// The end of a quoted part starting at `at`, where quote is its quote character; a doubled quote
// stands for itself.
qsizetype endOfQuoted(QStringView text, qsizetype at, QChar quote)
{
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        if (text.at(i) != quote)
            continue;
        if (i + 1 < text.size() && text.at(i + 1) == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return text.size();
}

// The dollar quote "$tag$" that starts at `at`, or an empty string. A tag is empty or a name
// that does not start with a digit.
QString dollarTag(QStringView text, qsizetype at)
{
    qsizetype end = at + 1;
    while (end < text.size() && (text.at(end) == u'_' || text.at(end).isLetter() ||
                                 (end > at + 1 && text.at(end).isDigit())))
        ++end;
    if (end < text.size() && text.at(end) == u'$')
        return text.mid(at, end + 1 - at).toString();
    return {};
}

// The end of the part that starts at `at` when that is a string, a quoted name or a dollar-quoted
// body; `at` itself otherwise.
qsizetype endOfQuotedPart(QStringView text, qsizetype at)
{
    const QChar c = text.at(at);
    if (c == u'\'' || c == u'"')
        return endOfQuoted(text, at, c);
    if (c == u'$') {
        if (const QString tag = dollarTag(text, at); !tag.isEmpty()) {
            const qsizetype end = text.indexOf(tag, at + tag.size());
            return end < 0 ? text.size() : end + tag.size();
        }
    }
    return at;
}

// The text without its comments; a block comment leaves a blank and its line ends, so that the
// words around it stay apart and the lines keep their numbers.
QString withoutComments(QStringView text)
{
    QString plain;
    plain.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (const qsizetype end = endOfQuotedPart(text, i); end != i) {
            plain += text.mid(i, end - i);
            i = end;
        } else if (text.at(i) == u'-' && next == u'-') {
            const qsizetype end = text.indexOf(u'\n', i);
            i = end < 0 ? text.size() : end;
        } else if (text.at(i) == u'/' && next == u'*') {
            const qsizetype close = text.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype end = close < 0 ? text.size() : close + 2;
            plain += u' ';
            plain += QString(text.mid(i, end - i).count(u'\n'), u'\n');
            i = end;
        } else {
            plain += text.at(i);
            ++i;
        }
    }
    return plain;
}

} // namespace

QList<SqlStatement> SplitSqlStatements(QStringView text)
{
    const QString plain = withoutComments(text);
    QList<SqlStatement> statements;
    qsizetype start = 0;
    int startLine = 1;
    int line = 1;
    const auto take = [&](qsizetype end) {
        const QString raw = plain.mid(start, end - start);
        const QString statement = raw.trimmed();
        if (statement.isEmpty())
            return;
        const qsizetype first = raw.indexOf(statement.at(0));
        statements.append({statement, startLine + int(raw.left(first).count(u'\n'))});
    };
    qsizetype i = 0;
    while (i < plain.size()) {
        if (const qsizetype end = endOfQuotedPart(plain, i); end != i) {
            line += int(QStringView(plain).mid(i, end - i).count(u'\n'));
            i = end;
            continue;
        }
        if (plain.at(i) == u'\n')
            ++line;
        if (plain.at(i) == u';') {
            take(i);
            start = i + 1;
            startLine = line;
        }
        ++i;
    }
    take(plain.size());
    return statements;
}

bool IsSingleReadingStatement(QStringView text)
{
    const QList<SqlStatement> statements = SplitSqlStatements(text);
    if (statements.size() != 1)
        return false;
    static const QRegularExpression reading(
        QStringLiteral("^\\(*\\s*(SELECT|WITH|VALUES|TABLE)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return reading.match(statements.constFirst().text).hasMatch();
}

} // namespace kinetra
