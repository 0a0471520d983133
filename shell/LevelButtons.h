#pragma once

namespace shell {

struct LevelButtons {
  bool MakeAgain, CompilePlay, Keep, PlayKept, CompileKept, DeleteKept;
};

LevelButtons LevelButtonsFor(bool actionsEnabled, bool hasLevel, bool keptChosen);

}  // namespace shell
