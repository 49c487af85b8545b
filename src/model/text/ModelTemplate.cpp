#include "text/ModelTemplate.h"

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

bool CouldBeModelText(const QStringList& lines)
{
    // A header is a whole line; a key line is named by its text up to and with the first "=".
    const auto nameOf = [](const QString& line) {
        const qsizetype sign = line.indexOf(u'=');
        return (sign < 0 ? line : line.left(sign + 1)).toCaseFolded();
    };
    static const QSet<QString> templateNames = [&nameOf] {
        QSet<QString> names;
        for (const QString& line : ModelTemplate())
            if (!line.isEmpty())
                names.insert(nameOf(line));
        return names;
    }();
    bool empty = true;
    for (const QString& line : lines) {
        if (templateNames.contains(nameOf(line)))
            return true;
        empty = empty && line.isEmpty();
    }
    return empty;
}

} // namespace kinetra
