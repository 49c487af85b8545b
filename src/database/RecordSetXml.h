#pragma once

#include <QString>

#include "text/Status.h"

namespace kinetra {

class RecordSet;

// Writes a record set as XML, in the order shown:
//
//   <recordset xmlns="urn:kinetra:recordset:1" name="...">
//     <fields><field name="Motor" type="text"/> ...</fields>
//     <records><record><value>2ПН112М</value><null/> ...</record> ...</records>
//   </recordset>
//
// A field's type is integer, real, text, memo, binary or empty (no values at all). Values are
// written with a decimal point whatever the locale, binary values in base64. The file is UTF-8
// and replaces an existing one only once it is written whole.
Status SaveRecordSetXml(const RecordSet& records, const QString& name, const QString& path);

} // namespace kinetra
