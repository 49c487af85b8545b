#include <gtest/gtest.h>

#include "editor/SeparatorFallback.h"

namespace kinetra {
namespace {

// A file read under the other separator is taken only when that separator reads every number;
// names and type codes are no numbers and keep their commas and points.
TEST(SeparatorFallback, ReadsAFileOfTheOtherSeparatorOnly)
{
    struct Case {
        const char* what;
        QChar separator;
        KeyValueText file;
        bool converted;
        KeyValueText read;
    };
    const Case cases[] = {
        {"comma file, point locale",
         u'.',
         {"[Motor]", "Motor=4А,112", "R1=1,5", "p1=2"},
         true,
         {"[Motor]", "Motor=4А,112", "R1=1.5", "p1=2"}},
        {"point file, comma locale",
         u',',
         {"Motor=A.1", "R1=1.5", "J=2E-3", "wref=-0.5"},
         true,
         {"Motor=A.1", "R1=1,5", "J=2E-3", "wref=-0,5"}},
        {"own separator", u',', {"R1=1,5", "Motor=A.1"}, false, {"R1=1,5", "Motor=A.1"}},
        {"whole numbers", u'.', {"R1=2", "w=150"}, false, {"R1=2", "w=150"}},
        {"both separators", u'.', {"R1=1,5", "R2=2.5"}, false, {"R1=1,5", "R2=2.5"}},
        {"no number at all", u'.', {"R1=1,5", "R2=abc"}, false, {"R1=1,5", "R2=abc"}},
    };
    for (const Case& c : cases) {
        KeyValueText text = c.file;
        EXPECT_EQ(ReadWithOtherSeparator(text, c.separator), c.converted) << c.what;
        EXPECT_EQ(text, c.read) << c.what;
    }
    EXPECT_TRUE(OtherSeparatorNotice(u'.').contains(u"\",\""));
}

} // namespace
} // namespace kinetra
