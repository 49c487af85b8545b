#include "RecordSetXml.h"

#include <QCoreApplication>
#include <QXmlStreamWriter>

#include "RecordSet.h"
#include "text/FileSave.h"

namespace kinetra {

namespace {

QString typeName(const RecordSet& records, int field)
{
    if (records.field(field).memo)
        return QStringLiteral("memo");
    switch (records.columnKind(field)) {
    case ColumnKind::Empty:
        return QStringLiteral("empty");
    case ColumnKind::Integer:
        return QStringLiteral("integer");
    case ColumnKind::Real:
        return QStringLiteral("real");
    case ColumnKind::Text:
        return QStringLiteral("text");
    case ColumnKind::Binary:
        return QStringLiteral("binary");
    }
    return QStringLiteral("text");
}

void writeValue(QXmlStreamWriter& xml, const QVariant& value)
{
    if (value.isNull()) {
        xml.writeEmptyElement(QStringLiteral("null"));
        return;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        xml.writeTextElement(QStringLiteral("value"),
                             QString::fromLatin1(value.toByteArray().toBase64()));
        return;
    }
    xml.writeTextElement(QStringLiteral("value"), ValueText(value, u'.'));
}

bool WriteRecords(QIODevice& file, const RecordSet& records, const QString& name)
{
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("recordset"));
    xml.writeDefaultNamespace(QStringLiteral("urn:kinetra:recordset:1"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeStartElement(QStringLiteral("fields"));
    for (int field = 0; field < records.fieldCount(); ++field) {
        xml.writeEmptyElement(QStringLiteral("field"));
        xml.writeAttribute(QStringLiteral("name"), records.field(field).name);
        xml.writeAttribute(QStringLiteral("type"), typeName(records, field));
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("records"));
    for (int row = 0; row < records.RecordCount(); ++row) {
        xml.writeStartElement(QStringLiteral("record"));
        for (int field = 0; field < records.fieldCount(); ++field)
            writeValue(xml, records.value(row, field));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace

Status SaveRecordSetXml(const RecordSet& records, const QString& name, const QString& path)
{
    if (!records.isOpen())
        return Status::Failed(QCoreApplication::translate("RecordSetXml", "Нет открытой таблицы"));
    return SaveFile(
        path, [&records, &name](QIODevice& file) { return WriteRecords(file, records, name); });
}

} // namespace kinetra
