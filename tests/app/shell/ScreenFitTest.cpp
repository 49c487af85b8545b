#include <gtest/gtest.h>

#include <vector>

#include "shell/ScreenFit.h"

namespace kinetra::test {
namespace {

// A 1366 by 768 desktop with a panel of 32 along its top.
TEST(ScreenFit, FrameIsMovedTheLeastThenCutToTheAvailableArea)
{
    const QRect available(0, 32, 1366, 736);
    struct Case {
        const char* where;
        QRect frame;
        QRect fitted;
    };
    for (const Case& c : std::vector<Case>{
             {"inside", {100, 100, 655, 470}, {100, 100, 655, 470}},
             {"below", {0, 268, 655, 530}, {0, 238, 655, 530}},
             {"right and below", {900, 600, 655, 470}, {711, 298, 655, 470}},
             {"under the panel, left", {-20, 10, 655, 470}, {0, 32, 655, 470}},
             {"taller", {300, 200, 720, 800}, {300, 32, 720, 736}},
             {"larger", {50, 50, 2000, 900}, {0, 32, 1366, 736}},
         })
        EXPECT_EQ(FitIntoScreen(c.frame, available), c.fitted) << c.where;
}

} // namespace
} // namespace kinetra::test
