#include <gtest/gtest.h>

#include "shell/LevelButtons.h"

// A typed seed needs no level before it; keeping does, and the kept levels'
// buttons need one chosen; a running compile stops them all.
TEST(LevelButtons, KeepWantsALevelTheKeptOnesAChoiceAndACompileStopsAll) {
  const shell::LevelButtons first = shell::LevelButtonsFor(true, false, false);
  EXPECT_TRUE(first.MakeAgain && first.CompilePlay);
  EXPECT_FALSE(first.Keep || first.PlayKept || first.CompileKept || first.DeleteKept);
  const shell::LevelButtons chosen = shell::LevelButtonsFor(true, false, true);
  EXPECT_TRUE(chosen.PlayKept && chosen.CompileKept && chosen.DeleteKept);
  EXPECT_FALSE(chosen.Keep);
  EXPECT_TRUE(shell::LevelButtonsFor(true, true, false).Keep);
  const shell::LevelButtons compiling = shell::LevelButtonsFor(false, true, true);
  EXPECT_FALSE(compiling.MakeAgain || compiling.CompilePlay || compiling.Keep || compiling.PlayKept ||
               compiling.CompileKept || compiling.DeleteKept);
}
