#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

// A text of key lines "name=value" as the model text and the settings file use it. The name is
// everything before the first "=", the value everything after it; neither is trimmed. Lines
// without "=" (section headers, empty lines) never match a key.
using KeyValueText = QStringList;

// The value of the first line whose name equals key without regard to letter case; an empty
// text when no line matches.
QString ReadKey(const KeyValueText& text, const QString& key);

// True when some line's name equals key without regard to letter case.
bool HasKey(const KeyValueText& text, const QString& key);

// A non-empty value replaces the first matching line by "key=value" in place, or appends that
// line when none matches. An empty value removes the first matching line.
void WriteKey(KeyValueText& text, const QString& key, const QString& value);

} // namespace kinetra
