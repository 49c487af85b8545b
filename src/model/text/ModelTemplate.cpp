#include "text/ModelTemplate.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

namespace kinetra {

namespace {

// The template as one text, lines separated by LF and no line end after the last line.
constexpr char TemplateText[] = R"([Motor]
Motor=
Type=
R1=
L1=
X1=
R2=
L2=
X2=
L12=
X12=
p1=1
m1=2
P=
U=
w=
J=
I=

[Converter]
Converter=
cType=
R10=
L10=
R20=
L20=
U10=
U20=
I0=
m0=
P0=
U0=
F0=
T0=

[Load]
Gear=
iType=
Active load=
Jc=
Mc=
cc=
bc=
ii=
Mi=
Pi=
wi=
gi=
ni=

[Controller]
Kk=
fmax=
Kpf=
Tpfint=
Tpfdif=
Kf=
Tf=
wmax=
Kpw=
Tpwint=
Tpwdif=
Kw=
Tw=
Imax=
KpI=
TpIint=
TpIdif=
KI=
TI=
Tmax=
wref=
Mref=
Iref=)";

} // namespace

const QStringList& ModelTemplate()
{
    static const QStringList lines = QString::fromLatin1(TemplateText).split(u'\n');
    return lines;
}

QString ModelTextMismatch(const QStringList& lines)
{
    // Each template key with the header of its section, keys and headers without letter case.
    static const QHash<QString, QString> sectionOfKey = [] {
        QHash<QString, QString> sections;
        QString header;
        for (const QString& line : ModelTemplate()) {
            if (line.startsWith(u'['))
                header = line.toCaseFolded();
            else if (!line.isEmpty())
                sections.insert(line.left(line.indexOf(u'=')).toCaseFolded(), header);
        }
        return sections;
    }();
    static const QSet<QString> headers = [] {
        QSet<QString> found;
        for (const QString& line : ModelTemplate())
            if (line.startsWith(u'['))
                found.insert(line.toCaseFolded());
        return found;
    }();
    const auto quoted = [](const QString& text) {
        constexpr qsizetype Shown = 40;
        return u'"' + (text.size() > Shown ? text.left(Shown) + QStringLiteral("...") : text) +
               u'"';
    };
    QString section;
    QHash<QString, qsizetype> firstLineOfKey;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype sign = line.indexOf(u'=');
        if (sign < 0) {
            if (!headers.contains(line.toCaseFolded()))
                return QCoreApplication::translate("ModelTemplate",
                                                   "Строка %1 (строка %2) не из файла модели")
                    .arg(quoted(line), QString::number(index + 1));
            section = line.toCaseFolded();
            continue;
        }
        const auto key = sectionOfKey.constFind(line.left(sign).toCaseFolded());
        if (key == sectionOfKey.constEnd())
            return QCoreApplication::translate("ModelTemplate",
                                               "Параметр %1 (строка %2) не из файла модели")
                .arg(quoted(line.left(sign)), QString::number(index + 1));
        // A model file written without headers is read as well, but a key under a header stands
        // in the section the template gives it.
        if (!section.isEmpty() && *key != section)
            return QCoreApplication::translate("ModelTemplate",
                                               "Параметр %1 (строка %2) стоит не в своём разделе")
                .arg(quoted(line.left(sign)), QString::number(index + 1));
        // A reader takes the first line of a key, so a second one would be lost in silence;
        // an empty value counts as well, since it would hide a value given after it.
        if (const auto first = firstLineOfKey.constFind(key.key()); first != firstLineOfKey.cend())
            return QCoreApplication::translate("ModelTemplate",
                                               "Параметр %1 задан дважды (строки %2 и %3)")
                .arg(quoted(line.left(sign)), QString::number(*first), QString::number(index + 1));
        firstLineOfKey.insert(key.key(), index + 1);
    }
    return {};
}

} // namespace kinetra
