#include <gtest/gtest.h>

#include "shell/LevelButtons.h"

namespace {

// Nothing runs during a compile; Keep wants a level, the kept levels' buttons a chosen one.
TEST(LevelButtons, OffDuringACompileAndWithoutWhatTheyActOn) {
  for (const bool hasLevel : {false, true})
    for (const bool keptChosen : {false, true}) {
      const shell::LevelButtons off = shell::LevelButtonsFor(false, hasLevel, keptChosen);
      EXPECT_FALSE(off.MakeAgain || off.CompilePlay || off.Keep || off.PlayKept || off.CompileKept || off.DeleteKept);
      const shell::LevelButtons on = shell::LevelButtonsFor(true, hasLevel, keptChosen);
      EXPECT_TRUE(on.MakeAgain && on.CompilePlay);
      EXPECT_EQ(on.Keep, hasLevel);
      EXPECT_TRUE(on.PlayKept == keptChosen && on.CompileKept == keptChosen && on.DeleteKept == keptChosen);
    }
}

}  // namespace
