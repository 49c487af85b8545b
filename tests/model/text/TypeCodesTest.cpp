#include "text/TypeCodes.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

TEST(TypeCode, GivesTheCodeOfEachKind)
{
    EXPECT_EQ(TypeCode(0, KindFamily::Motor), "AM");
    EXPECT_EQ(TypeCode(1, KindFamily::Motor), "DM");
    EXPECT_EQ(TypeCode(2, KindFamily::Motor), "SM");
    EXPECT_EQ(TypeCode(1, KindFamily::Supply), "TR");
    EXPECT_EQ(TypeCode(2, KindFamily::Supply), "TH");
    EXPECT_EQ(TypeCode(0, KindFamily::Gear), "G");
    EXPECT_EQ(TypeCode(1, KindFamily::Gear), "W");
    EXPECT_EQ(TypeCode(2, KindFamily::Gear), "S");
    EXPECT_EQ(TypeCode(3, KindFamily::Gear), "P");
}

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
