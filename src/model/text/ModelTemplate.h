#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

// The fixed template every collection rebuilds the model text from: 74 lines, four section
// headers, three empty lines and 67 key lines, of which only p1 and m1 carry a value.
const QStringList& ModelTemplate();

// Why lines read from a file are no model text, or an empty text when they are one. A model file
// holds the template's section headers, its keys each once and in its own section (a file without
// headers may list keys alone) and empty lines, nothing else. A picture, a desktop entry or a
// settings file that merely shares a key is no model, and saving a model over it would destroy
// it; a key given twice names both its lines.
QString ModelTextMismatch(const QStringList& lines);

} // namespace kinetra
