#pragma once
// Which of the Level window's buttons can be pressed, one rule for both
// windows: none of them while a compile runs; "Keep level" wants a level,
// and the kept levels' buttons a chosen kept level.

namespace shell {

struct LevelButtons {
  bool MakeAgain, CompilePlay, Keep, PlayKept, CompileKept, DeleteKept;
};
LevelButtons LevelButtonsFor(bool actionsEnabled, bool hasLevel, bool keptChosen);

}  // namespace shell
