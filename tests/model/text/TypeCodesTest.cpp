#include "text/TypeCodes.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

TEST(TypeCode, MainsSupplyAndUnknownKindsHaveNoCode)
{
    EXPECT_EQ(TypeCode(0, KindFamily::Supply), "");
    EXPECT_EQ(TypeCode(-1, KindFamily::Motor), "");
    EXPECT_EQ(TypeCode(3, KindFamily::Motor), "");
    EXPECT_EQ(TypeCode(3, KindFamily::Supply), "");
    EXPECT_EQ(TypeCode(4, KindFamily::Gear), "");
    EXPECT_EQ(TypeCode(0, static_cast<KindFamily>(0)), "");
}

TEST(TypeIndex, ComparesExactlyAndIgnoresTheFamily)
{
    EXPECT_EQ(TypeIndex("TR"), 1);
    EXPECT_EQ(TypeIndex("am"), -1);
    EXPECT_EQ(TypeIndex(" AM"), -1);
    EXPECT_EQ(TypeIndex("AM "), -1);
    EXPECT_EQ(TypeIndex(""), -1);
    EXPECT_EQ(TypeIndex("A"), -1);
}

} // namespace
} // namespace kinetra
