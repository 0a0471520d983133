#include "app/Resources.h"

// The resources live in a static library, whose registration nothing would
// pull in otherwise.
static void InitResources() { Q_INIT_RESOURCE(quorvel); }

QIcon ProgramIcon() {
  static const bool loaded = (InitResources(), true);
  (void)loaded;
  return QIcon(QStringLiteral(":/quorvel.png"));
}
