#include "text/TypeCodes.h"

#include <span>

namespace kinetra {

namespace {

// The run of TypeCodes that belongs to a family. The mains supply has no code, so the supply
// run starts at kind 1.
std::span<const TypeCodeEntry> FamilyCodes(KindFamily family)
{
    const std::span<const TypeCodeEntry> codes(TypeCodes);
    switch (family) {
    case KindFamily::Motor:
        return codes.subspan(0, 3);
    case KindFamily::Supply:
        return codes.subspan(3, 2);
    case KindFamily::Gear:
        return codes.subspan(5, 4);
    }
    return {};
}

} // namespace

QString TypeCode(std::int32_t kind, KindFamily family)
{
    for (const TypeCodeEntry& entry : FamilyCodes(family)) {
        if (entry.kind == kind)
            return QString::fromLatin1(entry.code);
    }
    return {};
}

std::int32_t TypeIndex(const QString& text)
{
    for (const TypeCodeEntry& entry : TypeCodes) {
        if (text == QLatin1String(entry.code))
            return entry.kind;
    }
    return -1;
}

} // namespace kinetra
