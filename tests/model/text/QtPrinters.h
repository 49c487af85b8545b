#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show Qt strings, and lists of them, as readable text in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
