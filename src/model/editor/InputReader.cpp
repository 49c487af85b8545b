#include "editor/InputReader.h"

#include "text/NumberText.h"

namespace kinetra {

double InputReader::ParseNumber(const QString& text)
{
    if (const auto value = ReadNumber(text, m_decimalSeparator))
        return *value;
    ErrorList += u'\n' + text;
    return 0;
}

} // namespace kinetra
