#pragma once

#include <QChar>
#include <QString>

#include "text/KeyValueText.h"

namespace kinetra {

// A model file is written with the decimal separator of the locale it was saved under. Its
// numbers carry no thousands separators, so a file written under the other of "," and "." is
// unambiguous: when some number does not read with separator but every number reads with the
// other one, the file is read with the other one. Gives true, and rewrites the numbers of text
// with separator, in that case only; typed entries keep their own rule.
bool ReadWithOtherSeparator(KeyValueText& text, QChar separator);

// What the user is told, once, when a file was read that way.
QString OtherSeparatorNotice(QChar separator);

} // namespace kinetra
