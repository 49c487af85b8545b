#pragma once

#include <QStringList>

namespace kinetra {

// The fixed template every collection rebuilds the model text from: 74 lines, four section
// headers, three empty lines and 67 key lines, of which only p1 and m1 carry a value.
const QStringList& ModelTemplate();

// Whether lines read from a file can hold a model: they name a section header or a key of the
// template, or they are empty. A picture or a stray text is no model, and saving a model over
// it would destroy it.
bool CouldBeModelText(const QStringList& lines);

} // namespace kinetra
