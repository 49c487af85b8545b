#include "SqlText.h"

#include <QRegularExpression>

namespace kinetra {

namespace {

// The end of a quoted part starting at `at`, where quote is its quote character; a doubled quote
// stands for itself.
qsizetype endOfQuoted(const QString& text, qsizetype at, QChar quote)
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

// A dollar quote "$tag$" starting at `at`, or an empty string.
QString dollarTag(const QString& text, qsizetype at)
{
    static const QRegularExpression tag(QStringLiteral("\\$[A-Za-z_]?[A-Za-z0-9_]*\\$"));
    const QRegularExpressionMatch match = tag.match(text, at, QRegularExpression::NormalMatch,
                                                    QRegularExpression::AnchorAtOffsetMatchOption);
    return match.hasMatch() ? match.captured() : QString();
}

// Comments become blanks, so that a statement's first word can be read.
QString withoutComments(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (c == u'\'' || c == u'"') {
            const qsizetype end = endOfQuoted(text, i, c);
            plain += text.mid(i, end - i);
            i = end;
        } else if (c == u'-' && next == u'-') {
            const qsizetype end = text.indexOf(u'\n', i);
            i = end < 0 ? text.size() : end;
            plain += u' ';
        } else if (c == u'/' && next == u'*') {
            const qsizetype end = text.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? text.size() : end + 2;
            plain += u' ';
        } else if (const QString tag = c == u'$' ? dollarTag(text, i) : QString(); !tag.isEmpty()) {
            const qsizetype end = text.indexOf(tag, i + tag.size());
            const qsizetype stop = end < 0 ? text.size() : end + tag.size();
            plain += text.mid(i, stop - i);
            i = stop;
        } else {
            plain += c;
            ++i;
        }
    }
    return plain;
}

} // namespace

QStringList SplitSqlStatements(const QString& text)
{
    const QString plain = withoutComments(text);
    QStringList statements;
    qsizetype start = 0;
    qsizetype i = 0;
    const auto take = [&](qsizetype end) {
        if (const QString statement = plain.mid(start, end - start).trimmed(); !statement.isEmpty())
            statements.append(statement);
    };
    while (i < plain.size()) {
        const QChar c = plain.at(i);
        if (c == u'\'' || c == u'"') {
            i = endOfQuoted(plain, i, c);
        } else if (const QString tag = c == u'$' ? dollarTag(plain, i) : QString();
                   !tag.isEmpty()) {
            const qsizetype end = plain.indexOf(tag, i + tag.size());
            i = end < 0 ? plain.size() : end + tag.size();
        } else if (c == u';') {
            take(i);
            start = ++i;
        } else {
            ++i;
        }
    }
    take(plain.size());
    return statements;
}

bool IsSingleReadingStatement(const QString& text)
{
    const QStringList statements = SplitSqlStatements(text);
    if (statements.size() != 1)
        return false;
    static const QRegularExpression reading(
        QStringLiteral("^\\(*\\s*(SELECT|WITH|VALUES|TABLE)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return reading.match(statements.constFirst()).hasMatch();
}

} // namespace kinetra
