#include "shell/LevelButtons.h"

namespace shell {

LevelButtons LevelButtonsFor(bool actionsEnabled, bool hasLevel, bool keptChosen) {
  const bool kept = actionsEnabled && keptChosen;
  return {actionsEnabled, actionsEnabled, actionsEnabled && hasLevel, kept, kept, kept};
}

}  // namespace shell
