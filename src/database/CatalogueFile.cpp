#include "CatalogueFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace kinetra {

namespace {

// The first 16 bytes of every SQLite 3 database.
const QByteArray SQLiteHeader("SQLite format 3\0", 16);
// Access files carry their engine's name from byte 4 on.
const QByteArray JetSignature("Standard Jet DB\0", 16);
const QByteArray AceSignature("Standard ACE DB\0", 16);

// The translation context of the messages.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(CatalogueFile)
};

QString WhatWeRead()
{
    return Text::tr("Kinetra читает каталоги оборудования в формате SQLite (файл Kinetra.mdb, "
                    "построенный из data/catalogue.sql) и каталоги на сервере PostgreSQL.");
}

} // namespace

CatalogueFileKind SniffCatalogueFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return CatalogueFileKind::Missing;
    if (!QFileInfo(path).isFile())
        return CatalogueFileKind::NotRegular;
    if (!file.open(QIODevice::ReadOnly))
        return CatalogueFileKind::Unreadable;
    const QByteArray head = file.read(20);
    if (head.startsWith(SQLiteHeader))
        return CatalogueFileKind::SQLite;
    if (head.mid(4, 16) == JetSignature)
        return CatalogueFileKind::AccessJet;
    if (head.mid(4, 16) == AceSignature)
        return CatalogueFileKind::AccessAce;
    return CatalogueFileKind::Other;
}

QString CatalogueFileProblem(CatalogueFileKind kind, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    switch (kind) {
    case CatalogueFileKind::SQLite:
        return {};
    case CatalogueFileKind::Missing:
        return Text::tr("Файл каталога «%1» не найден. ").arg(path) + WhatWeRead();
    case CatalogueFileKind::NotRegular:
        return Text::tr("«%1» — не обычный файл, каталогом он быть не может. ").arg(path) +
               WhatWeRead();
    case CatalogueFileKind::Unreadable:
        return Text::tr("Файл каталога «%1» не удается прочитать: нет доступа.").arg(path);
    case CatalogueFileKind::AccessJet:
        return Text::tr("Файл «%1» — база данных Microsoft Access (Jet). ").arg(name) +
               WhatWeRead() + Text::tr(" Перенесите таблицы в SQLite или на сервер PostgreSQL.");
    case CatalogueFileKind::AccessAce:
        return Text::tr("Файл «%1» — база данных Microsoft Access (ACE). ").arg(name) +
               WhatWeRead() + Text::tr(" Перенесите таблицы в SQLite или на сервер PostgreSQL.");
    case CatalogueFileKind::Other:
        return Text::tr("Файл «%1» не является базой данных SQLite. ").arg(name) + WhatWeRead();
    }
    return {};
}

} // namespace kinetra
