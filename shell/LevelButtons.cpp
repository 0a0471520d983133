#include "shell/LevelButtons.h"

namespace shell {

LevelButtons LevelButtonsFor(bool actionsEnabled, bool hasLevel, bool keptChosen) {
  return {actionsEnabled, actionsEnabled, actionsEnabled && hasLevel, actionsEnabled && keptChosen,
          actionsEnabled && keptChosen, actionsEnabled && keptChosen};
}

}  // namespace shell
